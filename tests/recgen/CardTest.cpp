// The recgen program and the make-sample-card script end to end: the card's
// files, their continuity, idempotency, and the refusals.
#include "BoxReader.h"
#include "RecgenTestSupport.h"
#include "SampleCard.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace kyvo::recgen {
namespace {

namespace fs = std::filesystem;
using test::TempFolder;

const std::vector<std::string> kTinyCard{"--seconds-each", "1", "--size", "128x72", "--count-each", "1",
                                         "--no-audio"};

ProcessResult runRecgen(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), KYVO_RECGEN_PATH);
    return runProcess(arguments);
}

ProcessResult runScript(const fs::path& folder, const std::vector<std::string>& options) {
    ::setenv("RECGEN", KYVO_RECGEN_PATH, 1);
    std::vector<std::string> arguments{KYVO_SAMPLE_CARD_SCRIPT, folder.string()};
    arguments.insert(arguments.end(), options.begin(), options.end());
    return runProcess(arguments);
}

std::vector<std::string> listing(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& item : fs::directory_iterator(folder))
        names.push_back(item.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<TelemetryEntry> entriesOf(const fs::path& file) {
    const auto contents = readRecording(FileSource(file));
    return contents.telemetry ? contents.telemetry->entries : std::vector<TelemetryEntry>{};
}

TEST(SampleCardTest, FillsTheCardOnceWithRecordingsThatContinueEachOther) {
    TempFolder scratch;
    const fs::path card = scratch.path() / "card";
    const ProcessResult first = runScript(card, kTinyCard);
    ASSERT_TRUE(first.succeeded()) << first.errors;
    // Back to back from the default start; the picture-only clip closes the card.
    const std::vector<std::string> expected{"drf_20240612_081500.mov", "drf_20240612_081503.mjpg",
                                            "evt_20240612_081501.mov", "muevt_20240612_081502.mov"};
    ASSERT_EQ(listing(card), expected);

    const std::vector<fs::path> inOrder{card / expected[0], card / expected[2], card / expected[3]};
    for (std::size_t i = 0; i + 1 < inOrder.size(); ++i) {
        const auto before = entriesOf(inOrder[i]);
        const auto after = entriesOf(inOrder[i + 1]);
        ASSERT_FALSE(before.empty());
        ASSERT_FALSE(after.empty());
        // The last entry of one recording and the first of the next describe the same moment.
        EXPECT_EQ(before.back().sentence, after.front().sentence) << inOrder[i];
    }
    const auto manual = readRecording(FileSource(inOrder[2]));
    ASSERT_TRUE(manual.events);
    EXPECT_EQ(*manual.events, std::vector<std::string>{"2024/06/12 08:15:02 manual event"});

    const auto stamp = fs::last_write_time(inOrder[0]);
    const ProcessResult again = runRecgen({"card", card.string(), "--seconds-each", "1", "--size", "128x72",
                                           "--count-each", "1", "--no-audio"});
    ASSERT_TRUE(again.succeeded()) << again.errors;
    std::size_t kept = 0;
    for (std::size_t at = again.output.find("exists, kept"); at != std::string::npos;
         at = again.output.find("exists, kept", at + 1))
        ++kept;
    EXPECT_EQ(kept, expected.size());
    EXPECT_EQ(fs::last_write_time(inOrder[0]), stamp);

    std::vector<std::string> forced = kTinyCard;
    forced.push_back("--force");
    const ProcessResult remade = runScript(card, forced);
    ASSERT_TRUE(remade.succeeded()) << remade.errors;
    EXPECT_EQ(remade.output.find("kept"), std::string::npos);
    EXPECT_EQ(listing(card), expected);
}

// A card mounted as .../NO_NAME/ is an ordinary place for recordings.
TEST(SampleCardTest, ATripCardPutsItsDrivesTheGapApartAndGoesOnWhereTheCarStopped) {
    CardOptions options;
    options.folder = "/card";
    options.trips = 2;
    options.piecesPerTrip = 3;
    options.tripGapS = 600;
    options.base.lengthS = 60;
    const std::vector<CardItem> items = planCard(options);
    ASSERT_EQ(items.size(), 6u);
    EXPECT_EQ(items[0].path.filename(), "drf_20240612_081500.mov");
    EXPECT_EQ(items[2].path.filename(), "drf_20240612_081700.mov");
    EXPECT_EQ(items[3].path.filename(), "drf_20240612_082800.mov") << "three minutes of driving, ten parked";
    EXPECT_DOUBLE_EQ(items[3].options.routeOffsetS, 180.0) << "the drive goes on where it stopped";
    for (const CardItem& item : items)
        EXPECT_EQ(item.options.kind, RecordingKind::Normal);

    options.piecesPerTrip = 0;
    EXPECT_THROW(validateCard(options), RecordingError);
}

TEST(SampleCardTest, TakesAFolderWithAnUnderscore) {
    TempFolder scratch;
    const fs::path card = scratch.path() / "NO_NAME";
    const ProcessResult script = runScript(card, {"--count-each", "1", "--seconds-each", "1", "--no-audio"});
    ASSERT_TRUE(script.succeeded()) << script.errors;
    EXPECT_TRUE(fs::exists(card / "evt_20240612_081501.mov")) << script.output;
}

TEST(RecgenProgramTest, HelpAndUsageErrors) {
    const ProcessResult help = runRecgen({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.output.find("recgen card DIR"), std::string::npos);
    const ProcessResult bad = runRecgen({"--frobnicate"});
    EXPECT_EQ(bad.exitCode, 2);
    EXPECT_NE(bad.errors.find("unknown option --frobnicate"), std::string::npos) << bad.errors;
}

}  // namespace
}  // namespace kyvo::recgen
