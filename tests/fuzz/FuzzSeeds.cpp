#include "FuzzSeeds.h"

#include "BoxWriter.h"
#include "ProcessRunner.h"
#include "SystemSettingsStore.h"
#include "ViewerConfig.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <optional>
#include <string_view>

namespace kyvo::fuzz {

namespace {

namespace fs = std::filesystem;
namespace rg = kyvo::recgen;

constexpr std::uint32_t kScrambleKey = 0x5A5A1234;
constexpr std::string_view kRmcPrefix = "$GPRMC";
constexpr std::size_t kSentenceLimit = 128;
constexpr std::size_t kSentencesPerRecording = 4;
constexpr std::size_t kKeyBytes = 4;

// Short, small recordings: a few kilobytes each, several telemetry entries.
const std::vector<std::string> kRecordingOptions{"--length", "2",  "--size",   "64x36",    "--rate",
                                                 "10",       "--no-audio", "--preset", "ultrafast"};

struct RecordingPlan {
    std::string name;
    std::vector<std::string> options;
    std::uint32_t key = 0;
};

const std::vector<RecordingPlan> kRecordings{
    {"drf_20240612_081500.mov", {}},
    {"evt_20240612_081502.mov", {"--events", "3"}},
    {"muevt_20240612_081504.mov", {"--time-tag", "RTCD", "--seed", "7", "--lat", "-33.86", "--lon", "-151.2"}},
    {"evt_20240612_081506.mov", {"--scrambled", "0x5A5A1234"}, kScrambleKey},
};

Bytes readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

void appendBe32(Bytes& out, std::uint32_t word) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<std::uint8_t>(word >> shift));
}

Bytes bytesOf(std::string_view text) {
    return Bytes(text.begin(), text.end());
}

Bytes join(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

Bytes box(std::string_view type, const Bytes& payload, std::optional<std::uint32_t> sizeWord = std::nullopt) {
    Bytes out;
    appendBe32(out, sizeWord.value_or(static_cast<std::uint32_t>(rg::box::kHeaderSize + payload.size())));
    out.insert(out.end(), type.begin(), type.end());
    out.insert(out.end(), payload.begin(), payload.end());
    return out;
}

Bytes largeBox(std::string_view type, const Bytes& payload) {
    Bytes out;
    appendBe32(out, rg::box::kSizeIsLarge);
    out.insert(out.end(), type.begin(), type.end());
    appendBe32(out, 0);
    appendBe32(out, static_cast<std::uint32_t>(rg::box::kLargeHeaderSize + payload.size()));
    out.insert(out.end(), payload.begin(), payload.end());
    return out;
}

Bytes withKey(std::uint32_t key, const Bytes& file) {
    Bytes out;
    appendBe32(out, key);
    out.insert(out.end(), file.begin(), file.end());
    return out;
}

Bytes scrambled(Bytes file, std::uint32_t key) {
    rg::scrambleHeader(file, key);
    return file;
}

std::vector<rg::TelemetryEntry> entries() {
    return {
        {rg::entry::kTimeTag, 0, "$GPRMC,081500.000,A,2503.4980,N,12133.8400,E,014.1,204.0,120624,,,A*6C",
         {0.125f, -1.0f, 0.98f}},
        {rg::entry::kClockTag, 1, "$GPRMC,081501.000,V,,,,,,,120624,,,N*4F", {8.0f, -8.0f, 0.0f}},
        {rg::entry::kTimeTag, 2, "$GPRMC,235959,A,4807.038,S,01131.000,W,999.9,359.9,311299,003.1,W*6A",
         {9.5f, 1.0f, 1.0f}},
    };
}

const Bytes kFtyp = box("ftyp", bytesOf("qt  \0\0\2\0qt  "));
const Bytes kMovie = box("mdat", Bytes(40, 0x17));

// Video data that holds an event box of its own at a 4-aligned file offset.
Bytes videoWithEventBox() {
    Bytes video(64, 0x33);
    const Bytes fake = rg::encodeEventBox(std::vector<std::string>{"1999/09/09 09:09:09 not an event"});
    video.insert(video.end(), fake.begin(), fake.end());
    return box("mdat", video);
}

std::vector<Bytes> handMadeRecordings() {
    const std::vector<std::string> events{"2024/06/12 08:15:00 G-sensor event", "2024/06/12 08:15:01 manual"};
    const Bytes plain = join({kFtyp, kMovie, rg::encodeUdatBox(entries())});
    const Bytes withEvents =
        join({kFtyp, kMovie, rg::encodeTrailer(kFtyp.size() + kMovie.size(), entries(), events)});
    Bytes cutEntry = plain;
    cutEntry.resize(cutEntry.size() - 100);
    Bytes eventsToEnd = rg::encodeEventBox(events);
    std::fill_n(eventsToEnd.begin(), kKeyBytes, 0);
    return {
        plain,
        withEvents,
        cutEntry,
        join({kFtyp, videoWithEventBox(), rg::encodeUdatBox(entries()), rg::encodeEventBox(events)}),
        join({kFtyp, largeBox("mdat", Bytes(30, 0x44)), box("udat", {}, 0u)}),
        join({kFtyp, kMovie, eventsToEnd}),
        join({kFtyp, largeBox("mdat", Bytes(30, 0x44)), largeBox("EVTI", rg::encodeEventBox(events))}),
    };
}

std::vector<Bytes> telemetrySeeds() {
    std::vector<Bytes> seeds;
    for (const Bytes& file : handMadeRecordings())
        seeds.push_back(withKey(0, file));
    seeds.push_back(withKey(kScrambleKey, scrambled(handMadeRecordings()[1], kScrambleKey)));
    return seeds;
}

std::vector<Bytes> eventSeeds() {
    std::vector<Bytes> seeds = handMadeRecordings();
    seeds.push_back(scrambled(seeds[1], kScrambleKey));
    return seeds;
}

std::vector<Bytes> rmcSeeds() {
    std::vector<Bytes> seeds;
    for (const rg::TelemetryEntry& entry : entries())
        seeds.push_back(bytesOf(entry.sentence));
    for (const std::string_view sentence : {
             "$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*6A",
             "$GPRMC,123519.123,A,4807.038,S,01131.000,W,022.4,084.4,230394,003.1,W*6A",
             "$GPRMC,,,,,,,,,,,,",
             "$GPRMC",
             "$GPRMC,000000,A,9000.000,N,18000.000,E,1e308,-1e308,290200",
             "$GPRMC,120000,A, -12.5e2,N,+0.5,E,-0,nan,010100*",
             "$GPRMC,1234567890123456789,AV,12345678901234567890123,S,0x1p4,W,inf,.5,3102,extra,fields",
             "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47",
         })
        seeds.push_back(bytesOf(sentence));
    Bytes withNul = bytesOf("$GPRMC,081500,A,2503.4980,N,12133.8400,E,014.1,204.0,120624");
    withNul[20] = 0;
    seeds.push_back(withNul);
    return seeds;
}

std::vector<Bytes> configSeeds() {
    std::vector<Bytes> seeds;
    const auto add = [&](const settings::SystemSettings& block, std::string_view capture, std::string_view backup,
                         std::string_view card) {
        settings::SystemSettingsStore store;
        store.setCaptureFolder(capture);
        store.setBackupFolder(backup);
        store.setCardDrive(card);
        seeds.push_back(bytesOf(app::buildViewerConfig(block, app::kVolumeOnRead, &store)));
    };
    settings::SystemSettings locked = settings::SystemSettings::defaults();
    locked.setUsePassword(1);
    locked.setPassword("1234");
    locked.setSpeedUnit(settings::kSpeedUnitKnots);
    add(settings::SystemSettings::defaults(), "", "", "");
    add(locked, "/home/u/Pictures", "/media/u/NO_NAME/backup", "/media/u/NO_NAME");
    add(locked, "/home/u/圖片", std::string(250, 'b'), "/media/card");
    for (const std::string_view text : {
             "2?21?0?0?????128?",
             "2?21?0?0?????128??1?0??1?0??",
             "-2147483649?99999999999? 7?+1?12*4?text?x?y?40?/cap?1?0?/back?1?0?/card?",
             "*?*?*?*?*?*?*?*?*?*?*?*?",
             "????????????????????????????????",
         })
        seeds.push_back(bytesOf(text));
    seeds.push_back(bytesOf(std::string("3?21?1?1?98") + '\0' + "76?ignored?"));
    return seeds;
}

// The "$GPRMC" sentences in a recording's bytes, each up to its NUL.
std::vector<Bytes> sentencesIn(const Bytes& file) {
    std::vector<Bytes> sentences;
    const std::string_view text(reinterpret_cast<const char*>(file.data()), file.size());
    for (std::size_t at = text.find(kRmcPrefix);
         at != std::string_view::npos && sentences.size() < kSentencesPerRecording;
         at = text.find(kRmcPrefix, at + 1)) {
        const std::string_view rest = text.substr(at, kSentenceLimit);
        sentences.push_back(bytesOf(rest.substr(0, rest.find('\0'))));
    }
    return sentences;
}

void writeSeeds(const fs::path& folder, const std::vector<Bytes>& seeds) {
    fs::create_directories(folder);
    for (std::size_t i = 0; i < seeds.size(); ++i) {
        const std::string name = (i < 10 ? "seed-0" : "seed-") + std::to_string(i);
        std::ofstream(folder / name, std::ios::binary)
            .write(reinterpret_cast<const char*>(seeds[i].data()), static_cast<std::streamsize>(seeds[i].size()));
    }
}

} // namespace

std::string writeFuzzSeeds(const fs::path& recgen, const fs::path& folder) {
    std::error_code error;
    fs::remove_all(folder, error);
    const fs::path recordings = folder / "recordings";
    fs::create_directories(recordings, error);
    if (error)
        return "cannot create " + recordings.string() + ": " + error.message();

    std::vector<Bytes> telemetry = telemetrySeeds();
    std::vector<Bytes> events = eventSeeds();
    std::vector<Bytes> sentences = rmcSeeds();
    for (const RecordingPlan& plan : kRecordings) {
        std::vector<std::string> command{recgen.string()};
        command.insert(command.end(), kRecordingOptions.begin(), kRecordingOptions.end());
        command.insert(command.end(), plan.options.begin(), plan.options.end());
        command.push_back((recordings / plan.name).string());
        const rg::ProcessResult result = rg::runProcess(command);
        if (!result.succeeded())
            return "recgen failed for " + plan.name + ": " + result.startError + result.errors;
        const Bytes file = readFile(recordings / plan.name);
        if (file.empty())
            return "recgen wrote no " + plan.name;
        telemetry.push_back(withKey(plan.key, file));
        events.push_back(file);
        const std::vector<Bytes> found = sentencesIn(file);
        sentences.insert(sentences.end(), found.begin(), found.end());
    }
    writeSeeds(folder / kTelemetryBoxSeeds, telemetry);
    writeSeeds(folder / kEventMarksSeeds, events);
    writeSeeds(folder / kRmcSeeds, sentences);
    writeSeeds(folder / kViewerConfigSeeds, configSeeds());
    fs::remove_all(recordings, error);
    return {};
}

std::vector<Bytes> readFuzzSeeds(const fs::path& folder) {
    std::vector<fs::path> paths;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error))
        if (entry.is_regular_file())
            paths.push_back(entry.path());
    std::sort(paths.begin(), paths.end());
    std::vector<Bytes> seeds;
    for (const fs::path& path : paths)
        seeds.push_back(readFile(path));
    return seeds;
}

} // namespace kyvo::fuzz
