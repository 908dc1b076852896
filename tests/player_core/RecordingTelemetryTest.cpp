// Recordings made by recgen (through ffmpeg), plain and scrambled, read frame by
// frame as the adapter does and compared with what recgen's own reader decodes.
#include "TelemetryBox.h"
#include "TelemetryTestFiles.h"

#include "BoxReader.h"
#include "RecordingMaker.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace kyvo::player {
namespace {

struct Variant {
    const char* name;
    recgen::RecordingKind kind;
    std::optional<std::uint32_t> key;
};

void PrintTo(const Variant& variant, std::ostream* out) { *out << variant.name; }

class RecordingTelemetryTest : public testing::TestWithParam<Variant> {};

TEST_P(RecordingTelemetryTest, EveryEntryFrameShowsTheEntryRecgenWrote) {
    const Variant& variant = GetParam();
    test::TempFolder folder;
    recgen::RecordingOptions options;
    options.kind = variant.kind;
    options.lengthS = 2;
    options.width = 128;
    options.height = 72;
    options.preset = "ultrafast";
    options.scrambleKey = variant.key;
    const auto file = folder.path() / options.fileName();
    const recgen::RecordingReport report = recgen::makeRecording(options, file);

    const recgen::FileSource source(file);
    const recgen::DescrambledSource plain(source, variant.key.value_or(0));
    const recgen::RecordingContents expected = recgen::readRecording(
        variant.key ? static_cast<const recgen::ByteSource&>(plain) : source);
    ASSERT_TRUE(expected.telemetry);
    const recgen::BoxInfo* udatBox = expected.boxes.find(recgen::box::kUdat);
    ASSERT_NE(udatBox, nullptr);

    const ViewMode mode = variant.key ? ViewMode::Encrypted : ViewMode::General;
    const ViewMode wrongMode = variant.key ? ViewMode::General : ViewMode::Encrypted;
    std::vector<std::uint8_t> copy;
    EXPECT_EQ(readTelemetryBox(file.string(), wrongMode, variant.key.value_or(0), copy),
              variant.key ? kEncryptedInGeneralMode : kGeneralInEncryptedMode);
    ASSERT_EQ(readTelemetryBox(file.string(), mode, variant.key.value_or(0), copy), kTelemetryCopied);
    EXPECT_EQ(copy.size(), source.size() - udatBox->offset);

    // The same recording cut in its movie data: a scrambled one has lost the
    // box chain that tells it from a broken file; a plain one still starts with "ftyp".
    const auto cut = folder.path() / ("cut_" + options.fileName());
    std::filesystem::copy_file(file, cut);
    std::filesystem::resize_file(cut, udatBox->offset / 2);
    std::vector<std::uint8_t> cutCopy;
    EXPECT_EQ(readTelemetryBox(cut.string(), mode, variant.key.value_or(0), cutCopy),
              variant.key ? kNotARecordingFile : kNoTelemetryBox);

    MVOXUDAT reader;
    reader.setData(copy);
    reader.setEntryLimit(static_cast<std::uint32_t>(report.frames));
    const auto& entries = expected.telemetry->entries;
    for (std::uint32_t frame = 1; frame <= static_cast<std::uint32_t>(report.frames); ++frame) {
        SCOPED_TRACE(frame);
        ASSERT_EQ(reader.parseEntry(frame), MVOXUDAT::kParsed);
        if (frame % udat::kFramesPerEntry != udat::kEntryFrameRemainder)
            continue;
        const std::size_t k = frame == 1 ? 1 : frame / udat::kFramesPerEntry;
        ASSERT_LT(k, entries.size());
        ASSERT_NE(reader.gpsRecord(frame), nullptr);
        EXPECT_EQ(std::string(reader.gpsRecord(frame)), entries[k].sentence);
        const std::uint8_t* sensor = reader.sensorRecord(frame);
        ASSERT_NE(sensor, nullptr);
        for (std::size_t axis = 0; axis < entries[k].g.size(); ++axis)
            EXPECT_EQ(recgen::loadLeFloat(std::span(sensor + 4 * axis, 4).first<4>()), entries[k].g[axis]);
    }
}

INSTANTIATE_TEST_SUITE_P(Variants, RecordingTelemetryTest,
                         testing::Values(Variant{"Plain", recgen::RecordingKind::Normal, std::nullopt},
                                         Variant{"ScrambledEvent", recgen::RecordingKind::Event, 0x5A17C0DE}),
                         [](const testing::TestParamInfo<Variant>& param) { return std::string(param.param.name); });

} // namespace
} // namespace kyvo::player
