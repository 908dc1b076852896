// Trip export benchmark: a card of 500 one-minute recordings (100 drives of 5,
// made once by recgen under $TMPDIR and kept) exported as one GPX file by
// kyvo-trip, which reads only the telemetry boxes. Beside it, in the same run,
// GPSBabel converts an NMEA file of the same sentences to GPX.
//
//   trip_bench [CARD]

#include "BenchProcess.h"
#include "TelemetryBox.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

namespace fs = std::filesystem;
constexpr int kDrives = 100;
constexpr int kPiecesPerDrive = 5;

fs::path ensureCard() {
    const char* tmp = std::getenv("TMPDIR");
    const fs::path card = fs::path(tmp ? tmp : "/tmp") / "kyvo-trip-bench";
    std::printf("card: %s (made once by recgen, %d one-minute recordings)\n", card.c_str(), kDrives * kPiecesPerDrive);
    std::fflush(stdout);
    kyvo::bench::runProcess({KYVO_RECGEN_PATH, "card", card.string(), "--trips", std::to_string(kDrives),
                             "--pieces-per-trip", std::to_string(kPiecesPerDrive), "--minutes-each", "1", "--size",
                             "16x16", "--no-audio", "--jobs", "2"},
                            true);
    return card;
}

// The GPS records of every recording's telemetry box, one sentence a line.
std::size_t writeNmea(const fs::path& card, const fs::path& nmea) {
    std::ofstream out(nmea, std::ios::binary | std::ios::trunc);
    std::size_t sentences = 0;
    std::vector<std::uint8_t> copy;
    for (const auto& entry : fs::directory_iterator(card)) {
        if (entry.path().extension() != ".mov")
            continue;
        namespace udat = kyvo::player::udat;
        if (kyvo::player::readTelemetryBox(entry.path().string(), kyvo::player::ViewMode::General, 0, copy) !=
            kyvo::player::kTelemetryCopied)
            continue;
        for (std::size_t at = udat::kFirstEntryOffset; at + udat::kEntrySize <= copy.size(); at += udat::kEntrySize) {
            const char* record = reinterpret_cast<const char*>(copy.data() + at + udat::kGpsRecordOffset);
            if (std::strncmp(record, "$GPRMC", 6) != 0)
                break;
            out << std::string(record, strnlen(record, udat::kGpsRecordSize)) << "\r\n";
            ++sentences;
        }
    }
    return sentences;
}

} // namespace

int main(int argc, char** argv) {
    const fs::path card = argc > 1 ? fs::path(argv[1]) : ensureCard();
    const fs::path gpx = fs::temp_directory_path() / "kyvo-trip-bench.gpx";
    const fs::path nmea = fs::temp_directory_path() / "kyvo-trip-bench.nmea";
    const fs::path babelGpx = fs::temp_directory_path() / "kyvo-trip-bench-babel.gpx";

    // A first run reads the files into the page cache, as a second export would find them.
    kyvo::bench::runProcess({KYVO_TRIP_PATH, "export", "--trips", "-o", gpx.string(), card.string()}, true);
    const kyvo::bench::ProcessRun trip =
        kyvo::bench::runProcess({KYVO_TRIP_PATH, "export", "--trips", "-o", gpx.string(), card.string()}, true);
    const std::size_t sentences = writeNmea(card, nmea);
    const kyvo::bench::ProcessRun babel = kyvo::bench::runProcess(
        {"gpsbabel", "-i", "nmea", "-f", nmea.string(), "-o", "gpx", "-F", babelGpx.string()}, true);

    std::printf("\n%-40s %10s %10s\n", "", "kyvo-trip", "gpsbabel");
    std::printf("%-40s %10.3f %10.3f\n", "wall time (s)", trip.wallSeconds, babel.wallSeconds);
    std::printf("%-40s %10.3f %10.3f\n", "CPU time (s)", trip.cpuSeconds, babel.cpuSeconds);
    std::printf("%-40s %10.2f\n", "wall time ratio kyvo-trip / gpsbabel",
                babel.wallSeconds > 0 ? trip.wallSeconds / babel.wallSeconds : 0.0);
    std::printf("%-40s %10zu\n", "sentences", sentences);
    std::printf("%-40s %10ju %10ju\n", "GPX bytes", static_cast<std::uintmax_t>(fs::file_size(gpx)),
                static_cast<std::uintmax_t>(fs::exists(babelGpx) ? fs::file_size(babelGpx) : 0));
    if (trip.exitCode != 0 || babel.exitCode != 0)
        std::printf("note: exit codes %d and %d\n", trip.exitCode, babel.exitCode);
    return 0;
}
