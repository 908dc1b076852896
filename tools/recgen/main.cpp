// recgen: makes test and sample recordings of the in-car recorder.

#include "BoxReader.h"
#include "CommandLine.h"

#include <cstdio>
#include <iostream>
#include <variant>

namespace {

using namespace kyvo::recgen;

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

void printRecording(const RecordingReport& report) {
    std::cout << report.path.string() << ": " << report.frames << " frames, " << report.entries
              << " telemetry entries, " << report.events << " events, " << report.bytes << " bytes\n";
}

int run(const MakeCommand& command) {
    printRecording(makeRecording(command.options, command.output));
    return 0;
}

int run(const CardCommand& command) {
    fillCard(command.options, [](const CardItem& item, CardStep step, const RecordingReport* report) {
        if (step == CardStep::Skipped)
            std::cout << item.path.string() << ": exists, kept\n";
        else
            printRecording(*report);
    });
    return 0;
}

int run(const DumpCommand& command) {
    const FileSource file(command.file);
    const DescrambledSource descrambled(file, command.scrambleKey.value_or(0));
    const ByteSource& source = command.scrambleKey ? static_cast<const ByteSource&>(descrambled) : file;
    const RecordingContents contents = readRecording(source);
    for (const BoxInfo& box : contents.boxes.boxes)
        std::cout << "box " << toString(box.type) << " at " << box.offset << ", " << box.size << " bytes\n";
    if (!contents.boxes.complete)
        std::cout << "walk stopped: " << contents.boxes.problem << "\n";
    if (const auto at = scanForEventBox(source))
        std::cout << "EVTI found by the 4-byte scan at " << *at << "\n";
    if (contents.telemetry) {
        std::size_t k = 0;
        for (const TelemetryEntry& item : contents.telemetry->entries) {
            char sensor[64];
            std::snprintf(sensor, sizeof sensor, "%+.3f %+.3f %+.3f", item.g[0], item.g[1], item.g[2]);
            std::cout << "entry " << k++ << " " << toString(item.timeTag) << " " << item.seconds << " "
                      << item.sentence << " g " << sensor << "\n";
        }
        if (contents.telemetry->malformedEntries > 0 || contents.telemetry->trailingBytes > 0)
            std::cout << contents.telemetry->malformedEntries << " malformed entries, "
                      << contents.telemetry->trailingBytes << " trailing bytes\n";
    }
    if (contents.events)
        for (const std::string& text : *contents.events)
            std::cout << "event " << text << "\n";
    return 0;
}

int run(const HelpCommand&) {
    std::cout << usageText();
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    try {
        const Command command = parseCommandLine(arguments);
        return std::visit([](const auto& c) { return run(c); }, command);
    } catch (const UsageError& error) {
        std::cerr << "recgen: " << error.what() << "\n";
        return kExitUsage;
    } catch (const std::exception& error) {
        std::cerr << "recgen: " << error.what() << "\n";
        return kExitFailure;
    }
}
