#include "CommandLine.h"

#include <algorithm>
#include <charconv>
#include <functional>
#include <span>

namespace kyvo::recgen {
namespace {

namespace fs = std::filesystem;

constexpr int kSecondsPerMinute = 60;

enum Scope : unsigned { kSingle = 1, kCard = 2, kBoth = kSingle | kCard };

// What the options set, with the facts the output name depends on.
struct Parsed {
    RecordingOptions options;
    CardOptions card;
    bool kindGiven = false;
    bool startGiven = false;
    bool pictureOnlyGiven = false;
};

using Setter = std::function<void(Parsed&, std::string_view)>;

struct OptionSpec {
    std::string_view name;
    std::string_view valueName;  // empty for a flag
    Scope scope;
    Setter set;
};

template <class Number>
Number parseNumber(std::string_view text, std::string_view option, int base = 10) {
    Number value{};
    std::errc error{};
    const char* end = nullptr;
    if constexpr (std::is_floating_point_v<Number>) {
        const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
        error = result.ec;
        end = result.ptr;
    } else {
        const auto result = std::from_chars(text.data(), text.data() + text.size(), value, base);
        error = result.ec;
        end = result.ptr;
    }
    if (text.empty() || error != std::errc{} || end != text.data() + text.size())
        throw UsageError(std::string(option) + ": not a valid number: " + std::string(text));
    return value;
}

std::uint32_t parseKey(std::string_view text) {
    if (text.starts_with("0x") || text.starts_with("0X"))
        return parseNumber<std::uint32_t>(text.substr(2), "--scrambled", 16);
    return parseNumber<std::uint32_t>(text, "--scrambled");
}

void parseSize(std::string_view text, RecordingOptions& options) {
    const std::size_t cross = text.find('x');
    if (cross == std::string_view::npos)
        throw UsageError("--size: expected WxH, e.g. 640x360, not " + std::string(text));
    options.width = parseNumber<int>(text.substr(0, cross), "--size");
    options.height = parseNumber<int>(text.substr(cross + 1), "--size");
}

const std::vector<OptionSpec>& optionTable() {
    static const std::vector<OptionSpec> table{
        {"--kind", "KIND", kSingle, [](Parsed& p, std::string_view v) {
             const auto kind = parseKindKeyword(v);
             if (!kind)
                 throw UsageError("--kind: expected normal, event or manual, not " + std::string(v));
             p.options.kind = *kind;
             p.kindGiven = true;
         }},
        {"--start", "TIME", kBoth, [](Parsed& p, std::string_view v) {
             const auto start = parseCivilTime(v);
             if (!start)
                 throw UsageError("--start: expected \"YYYY-MM-DD hh:mm:ss\", not " + std::string(v));
             p.options.start = *start;
             p.startGiven = true;
         }},
        {"--length", "SECONDS", kSingle,
         [](Parsed& p, std::string_view v) { p.options.lengthS = parseNumber<int>(v, "--length"); }},
        {"--size", "WxH", kBoth, [](Parsed& p, std::string_view v) { parseSize(v, p.options); }},
        {"--rate", "FPS", kBoth,
         [](Parsed& p, std::string_view v) { p.options.frameRate = parseNumber<int>(v, "--rate"); }},
        {"--codec", "CODEC", kBoth, [](Parsed& p, std::string_view v) {
             const auto codec = parseCodecKeyword(v);
             if (!codec)
                 throw UsageError("--codec: expected h264, mjpeg, mpeg4 or h265, not " + std::string(v));
             p.options.codec = *codec;
         }},
        {"--preset", "NAME", kBoth, [](Parsed& p, std::string_view v) { p.options.preset = std::string(v); }},
        {"--no-audio", "", kBoth, [](Parsed& p, std::string_view) { p.options.audio = false; }},
        {"--frame-code", "", kBoth, [](Parsed& p, std::string_view) { p.options.frameCode = true; }},
        {"--seed", "N", kBoth,
         [](Parsed& p, std::string_view v) { p.options.drive.seed = parseNumber<std::uint64_t>(v, "--seed"); }},
        {"--lat", "DEG", kBoth, [](Parsed& p, std::string_view v) {
             p.options.drive.startLatitudeDeg = parseNumber<double>(v, "--lat");
             if (std::abs(p.options.drive.startLatitudeDeg) > 80)
                 throw UsageError("--lat: the drive needs a latitude within 80 degrees of the equator");
         }},
        {"--lon", "DEG", kBoth, [](Parsed& p, std::string_view v) {
             p.options.drive.startLongitudeDeg = parseNumber<double>(v, "--lon");
             if (std::abs(p.options.drive.startLongitudeDeg) > 180)
                 throw UsageError("--lon: expected -180..180");
         }},
        {"--route-offset", "SECONDS", kBoth,
         [](Parsed& p, std::string_view v) { p.options.routeOffsetS = parseNumber<double>(v, "--route-offset"); }},
        {"--utc-offset", "HOURS", kBoth,
         [](Parsed& p, std::string_view v) { p.options.utcOffsetHours = parseNumber<double>(v, "--utc-offset"); }},
        {"--time-tag", "TAG", kBoth, [](Parsed& p, std::string_view v) {
             if (v == toString(entry::kTimeTag))
                 p.options.timeTag = entry::kTimeTag;
             else if (v == toString(entry::kClockTag))
                 p.options.timeTag = entry::kClockTag;
             else
                 throw UsageError("--time-tag: expected TIME or RTCD, not " + std::string(v));
         }},
        {"--events", "N", kSingle,
         [](Parsed& p, std::string_view v) { p.options.events = parseNumber<int>(v, "--events"); }},
        {"--scrambled", "KEY", kBoth, [](Parsed& p, std::string_view v) { p.options.scrambleKey = parseKey(v); }},
        {"--mjpg", "", kSingle, [](Parsed& p, std::string_view) {
             p.options.pictureOnly = true;
             p.pictureOnlyGiven = true;
         }},
        {"--rear", "WHERE", kBoth, [](Parsed& p, std::string_view v) {
             if (v == "file")
                 p.options.rear = RearPicture::File;
             else if (v == "track")
                 p.options.rear = RearPicture::Track;
             else if (v == "none")
                 p.options.rear = RearPicture::None;
             else
                 throw UsageError("--rear: expected file, track or none, not " + std::string(v));
         }},
        {"--rear-size", "WxH", kBoth, [](Parsed& p, std::string_view v) {
             RecordingOptions size;
             parseSize(v, size);
             p.options.rearWidth = size.width;
             p.options.rearHeight = size.height;
         }},
        {"--ffmpeg", "PROGRAM", kBoth, [](Parsed& p, std::string_view v) { p.options.ffmpeg = std::string(v); }},
        {"--count-each", "N", kCard, [](Parsed& p, std::string_view v) {
             const int count = parseNumber<int>(v, "--count-each");
             p.card.normalCount = p.card.eventCount = p.card.manualCount = count;
         }},
        {"--trips", "N", kCard,
         [](Parsed& p, std::string_view v) { p.card.trips = parseNumber<int>(v, "--trips"); }},
        {"--pieces-per-trip", "M", kCard,
         [](Parsed& p, std::string_view v) { p.card.piecesPerTrip = parseNumber<int>(v, "--pieces-per-trip"); }},
        {"--trip-gap", "SECONDS", kCard,
         [](Parsed& p, std::string_view v) { p.card.tripGapS = parseNumber<int>(v, "--trip-gap"); }},
        {"--seconds-each", "S", kCard,
         [](Parsed& p, std::string_view v) { p.options.lengthS = parseNumber<int>(v, "--seconds-each"); }},
        {"--minutes-each", "M", kCard, [](Parsed& p, std::string_view v) {
             p.options.lengthS = static_cast<int>(parseNumber<double>(v, "--minutes-each") * kSecondsPerMinute);
         }},
        {"--force", "", kCard, [](Parsed& p, std::string_view) { p.card.force = true; }},
        {"--jobs", "N", kCard, [](Parsed& p, std::string_view v) { p.card.jobs = parseNumber<int>(v, "--jobs"); }},
    };
    return table;
}

// Applies the options of `scope`; answers the arguments that are not options.
std::vector<std::string> applyOptions(std::span<const std::string> arguments, Scope scope, Parsed& parsed) {
    std::vector<std::string> positional;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (!argument.starts_with("--") || argument == "--") {
            positional.push_back(argument);
            continue;
        }
        const std::size_t equals = argument.find('=');
        const std::string_view name = std::string_view(argument).substr(0, equals);
        const auto& table = optionTable();
        const auto option = std::find_if(table.begin(), table.end(), [&](const OptionSpec& s) { return s.name == name; });
        if (option == table.end())
            throw UsageError("unknown option " + std::string(name) + " (see recgen --help)");
        if ((option->scope & scope) == 0)
            throw UsageError(std::string(name) + (scope == kCard ? " does not apply to a card" : " applies to a card only"));
        std::string_view value;
        if (!option->valueName.empty()) {
            if (equals != std::string::npos)
                value = std::string_view(argument).substr(equals + 1);
            else if (i + 1 < arguments.size())
                value = arguments[++i];
            else
                throw UsageError(std::string(name) + " needs a value " + std::string(option->valueName));
        } else if (equals != std::string::npos) {
            throw UsageError(std::string(name) + " takes no value");
        }
        option->set(parsed, value);
    }
    return positional;
}

// A folder receives the recorder's name; a file name in the recorder's form
// supplies what --kind, --start and --mjpg left open.
fs::path resolveOutput(Parsed& parsed, const std::optional<std::string>& argument) {
    if (!argument)
        return parsed.options.fileName();
    const fs::path path(*argument);
    std::error_code ignored;
    if (argument->ends_with('/') || fs::is_directory(path, ignored))
        return path / parsed.options.fileName();
    if (const auto name = parseRecordingName(path.filename().string())) {
        if (!parsed.kindGiven)
            parsed.options.kind = name->kind;
        if (!parsed.startGiven)
            parsed.options.start = name->start;
    }
    if (path.extension() == kPictureOnlyExtension && !parsed.pictureOnlyGiven)
        parsed.options.pictureOnly = true;
    return path;
}

}  // namespace

Command parseCommandLine(const std::vector<std::string>& arguments) {
    if (arguments.empty())
        return MakeCommand{RecordingOptions{}, RecordingOptions{}.fileName()};
    if (std::any_of(arguments.begin(), arguments.end(), [](const std::string& a) { return a == "--help" || a == "-h"; }))
        return HelpCommand{};

    const std::string& verb = arguments.front();
    const std::span<const std::string> rest = std::span(arguments).subspan(1);
    Parsed parsed;
    if (verb == "card") {
        parsed.options = CardOptions().base;
        const auto positional = applyOptions(rest, kCard, parsed);
        if (positional.size() != 1)
            throw UsageError("card needs exactly one folder: recgen card DIR [options]");
        parsed.card.folder = positional.front();
        parsed.card.base = parsed.options;
        return CardCommand{parsed.card};
    }
    if (verb == "dump") {
        const auto positional = applyOptions(rest, kBoth, parsed);
        if (positional.size() != 1)
            throw UsageError("dump needs exactly one file: recgen dump FILE [--scrambled KEY]");
        return DumpCommand{positional.front(), parsed.options.scrambleKey};
    }
    const auto positional = applyOptions(arguments, kSingle, parsed);
    if (positional.size() > 1)
        throw UsageError("more than one output given: " + positional[0] + ", " + positional[1]);
    const std::optional<std::string> output =
        positional.empty() ? std::nullopt : std::optional<std::string>(positional.front());
    fs::path path = resolveOutput(parsed, output);
    return MakeCommand{parsed.options, std::move(path)};
}

}  // namespace kyvo::recgen
