// The settings store: loading, the card write and the folder fragment.
#include "CardFile.h"
#include "SystemSettingsStore.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace kyvo::settings {
namespace {

namespace fs = std::filesystem;

TEST(SystemSettingsStoreTest, LoadForcesMarkersAndPlacesTheSlider) {
    SystemSettings source;
    source.setLevel(3);
    source.setMarkerA(0x77);
    SystemSettingsStore store;
    store.loadBlock(source.toBytes());
    EXPECT_EQ(store.levelPosition(), 149);
    EXPECT_EQ(store.handOut().markerA(), 5);
    EXPECT_EQ(store.handOut().markerB(), 1);

    store.live().setSpeedUnit(kSpeedUnitMph);
    EXPECT_EQ(store.handOut().speedUnit(), kSpeedUnitMph);
}

TEST(SystemSettingsStoreTest, PrepareCardWriteSetsTextLevelAndPath) {
    SystemSettingsStore store;
    store.live().setText("left over text");
    store.setLevelPosition(70);
    const CardWrite write = store.prepareCardWrite();
    EXPECT_EQ(write.path, "jxq_config.dat");
    EXPECT_EQ(store.handOut().level(), 1);
    EXPECT_EQ(write.record[0], 1);
    const std::vector<std::uint8_t> text(write.record.begin() + 9, write.record.begin() + 33);
    EXPECT_EQ(text, std::vector<std::uint8_t>({'0', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                               0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));

    store.setCardDrive("/media/card");
    EXPECT_EQ(store.prepareCardWrite().path, "/media/card/jxq_config.dat");
    store.setCardDrive("/media/card/");
    EXPECT_EQ(store.prepareCardWrite().path, "/media/card/jxq_config.dat");
}

TEST(SystemSettingsStoreTest, CardFileIsWrittenOrTheFailureReported) {
    const kyvo::test::TempFolder card("kyvocard");
    const fs::path& dir = card.path();
    SystemSettingsStore store;
    store.setCardDrive(dir.string());
    ASSERT_TRUE(store.writeCardSettings());
    std::ifstream in(dir / "jxq_config.dat", std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
    const CardRecord expected = store.prepareCardWrite().record;
    EXPECT_EQ(bytes, std::vector<std::uint8_t>(expected.begin(), expected.end()));

    // A regular file as a folder: cannot be created, even as root.
    std::ofstream(dir / "plain").put('x');
    EXPECT_FALSE(writeCardFile((dir / "plain" / "jxq_config.dat").string(), expected));
    // A full device accepts the open and fails on the flush at close.
    if (fs::exists("/dev/full")) {
        EXPECT_FALSE(writeCardFile("/dev/full", expected));
    }
}

TEST(SystemSettingsStoreTest, FragmentKeepsFoldersThatFitAndEmptiesTheRest) {
    SystemSettingsStore store;
    EXPECT_EQ(store.buildFragment(), "?1?0??1?0??");
    store.setCaptureFolder("/home/ana/Aufnahmen");
    store.setBackupFolder("/srv/备份");
    store.setCardDrive("/media/card");
    EXPECT_EQ(store.buildFragment(), "/home/ana/Aufnahmen?1?0?/srv/备份?1?0?/media/card?");

    // 259 + 259 does not fit in 511: the backup folder is dropped, the card
    // drive after it still fits.
    const std::string longFolder = "/" + std::string(258, 'a');
    store.setCaptureFolder(longFolder);
    store.setBackupFolder(longFolder);
    EXPECT_EQ(store.buildFragment(), longFolder + "?1?0??1?0?/media/card?");
    EXPECT_EQ(store.buildFragment(30), "?1?0??1?0?/media/card?");
    EXPECT_EQ(store.buildFragment(10), "");

    // A folder that would end its field early is not written.
    store.setCaptureFolder("/tmp/why?*");
    EXPECT_EQ(store.buildFragment().substr(0, 5), "?1?0?");
}

TEST(SystemSettingsStoreTest, ParseFragmentReadsFieldsOneFourSeven) {
    SystemSettingsStore store;
    store.parseFragment("/cap?1?0?/bak?1?0?/card?");
    EXPECT_EQ(store.captureFolder(), "/cap");
    EXPECT_EQ(store.backupFolder(), "/bak");
    EXPECT_EQ(store.cardDrive(), "/card");

    // "*" ends a field; missing fields empty the folders.
    store.parseFragment("/a*b?x");
    EXPECT_EQ(store.captureFolder(), "/a");
    EXPECT_EQ(store.backupFolder(), "");
    EXPECT_EQ(store.cardDrive(), "");

    store.parseFragment(std::string(1000, 'z'));
    EXPECT_EQ(store.captureFolder().size(), SystemSettingsStore::kFolderMaxBytes);
}

} // namespace
} // namespace kyvo::settings
