// The viewer's configuration text: writing, reading back and bad input.
#include "ViewerConfig.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

namespace kyvo::app {
namespace {

using settings::SystemSettings;
using settings::SystemSettingsStore;
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

std::string foldersOf(const ViewerConfigRead& read) {
    SystemSettingsStore loaded;
    loaded.parseFragment(read.fragment);
    return loaded.captureFolder() + "|" + loaded.backupFolder() + "|" + loaded.cardDrive();
}

TEST(ViewerConfigTest, FirstRunWithDefaultsWritesTheKnownText) {
    const SystemSettingsStore store;
    EXPECT_EQ(buildViewerConfig(SystemSettings::defaults(), 128, &store),
              "2?21?0?0?????128??1?0??1?0???");
    EXPECT_EQ(buildViewerConfig(SystemSettings::defaults(), 128, nullptr), "2?21?0?0?????128?");
}

TEST(ViewerConfigTest, EveryFieldAndFolderReadsBack) {
    SystemSettings block = SystemSettings::defaults();
    block.setLevel(4);
    block.setCarriedValue(-7);
    block.setSpeedUnit(settings::kSpeedUnitKnots);
    block.setUsePassword(1);
    block.setPassword("4821");
    block.setText("a?b*c");  // must not shift the fields after it
    SystemSettingsStore store;
    store.setCaptureFolder("/home/zoë/Schnappschüsse");
    store.setBackupFolder("/mnt/備份/行車");
    store.setCardDrive("/media/ΚΑΡΤΑ");

    const ViewerConfigRead read = readViewerConfig(buildViewerConfig(block, 40, &store));
    EXPECT_FALSE(read.wasEmpty);
    EXPECT_EQ(read.block.level(), 4);
    EXPECT_EQ(read.block.carriedValue(), -7);
    EXPECT_EQ(read.block.speedUnit(), settings::kSpeedUnitKnots);
    EXPECT_EQ(read.block.usePassword(), 1);
    EXPECT_EQ(read.usePassword, 1);
    EXPECT_EQ(read.block.password(), "4821");
    EXPECT_STREQ(read.storedPassword.data(), "4821");
    EXPECT_EQ(read.volumePosition, 128);  // 40 was written
    EXPECT_EQ(read.adapterKey, 0);
    EXPECT_EQ(foldersOf(read), "/home/zoë/Schnappschüsse|/mnt/備份/行車|/media/ΚΑΡΤΑ");
}

TEST(ViewerConfigTest, LongFoldersKeepTheTextWithinTheLimit) {
    // Alone, capture and backup would fit in the fragment's own 511 bytes;
    // after the block fields only the capture folder and the drive do.
    const std::string capture = "/" + std::string(258, 'f');
    const std::string drive = "/media/" + std::string(93, 'c');
    SystemSettingsStore store;
    store.setCaptureFolder(capture);
    store.setBackupFolder("/" + std::string(199, 'b'));
    store.setCardDrive(drive);
    SystemSettings block = SystemSettings::defaults();
    block.setText(std::string(23, 't'));
    block.setPassword("9999");
    block.setCarriedValue(kMin);

    const std::string text = buildViewerConfig(block, kMin, &store);
    EXPECT_LE(text.size(), kConfigLimit);
    EXPECT_EQ(foldersOf(readViewerConfig(text)), capture + "||" + drive);
}

TEST(ViewerConfigTest, EmptyInputGivesTheDefaults) {
    for (const std::string_view text : {std::string_view{}, std::string_view("\0abc", 4)}) {
        const ViewerConfigRead read = readViewerConfig(text);
        EXPECT_TRUE(read.wasEmpty);
        EXPECT_EQ(read.block, SystemSettings::defaults());
        EXPECT_EQ(read.fragment, "");
    }
}

TEST(ViewerConfigTest, FieldsAreReadLikeAtoiAndEndAtStarOrNul) {
    ViewerConfigRead read = readViewerConfig(" -12abc?+7?x5?99999999999?");
    EXPECT_EQ(read.block.level(), -12);
    EXPECT_EQ(read.block.carriedValue(), 7);
    EXPECT_EQ(read.block.speedUnit(), 0);
    EXPECT_EQ(read.usePassword, kMax);
    EXPECT_EQ(readViewerConfig("-99999999999999999999").block.level(), kMin);

    read = readViewerConfig("4*7?1?");
    EXPECT_EQ(read.block.level(), 4);
    EXPECT_EQ(read.block.carriedValue(), 7);
    EXPECT_EQ(read.block.speedUnit(), 1);
    EXPECT_EQ(read.block.markerA(), 0);  // a zeroed block once there is text

    read = readViewerConfig(std::string_view("3?\0" "5?", 5));
    EXPECT_EQ(read.block.carriedValue(), 0);
}

TEST(ViewerConfigTest, GarbledAndOversizedInputIsReadSafely) {
    std::vector<std::uint8_t> binary(600);
    for (std::size_t i = 0; i < binary.size(); ++i)
        binary[i] = static_cast<std::uint8_t>(1 + i % 255);  // never NUL
    EXPECT_LE(readViewerConfig(binary).fragment.size(), kConfigLimit);

    const std::string huge(1000, '8');
    ViewerConfigRead read = readViewerConfig(huge + "?" + huge);
    EXPECT_EQ(read.block.level(), kMax);
    EXPECT_EQ(read.block.carriedValue(), 0);  // beyond byte 512

    read = readViewerConfig("1?2?0?1?" + huge + "?");
    EXPECT_STREQ(read.storedPassword.data(), "8888");
    EXPECT_EQ(read.fragment, "");
}

} // namespace
} // namespace kyvo::app
