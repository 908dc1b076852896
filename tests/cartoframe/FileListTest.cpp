// "FileList.cfg": scrambled entries, fillers inside names, names that match
// nothing, names too long for their buffers, and lists that cannot be read.
#include "CartoTestSupport.h"
#include "Diagnostics.h"
#include "FileList.h"
#include "FileProcess.h"

#include <gtest/gtest.h>

#include <string>

namespace cartoframe {
namespace {

using test::Bytes;

// One entry as the list stores it; a filler goes after every fillerEvery-th
// byte of the target name (0: none).
Bytes entry(const std::string& logical, const std::string& target, std::size_t fillerEvery = 0) {
    Bytes out;
    for (char c : logical)
        out.push_back(static_cast<std::uint8_t>(c) ^ FL_KEY);
    out.push_back(FL_VALUE_MARK);
    for (std::size_t i = 0; i < target.size(); ++i) {
        out.push_back(static_cast<std::uint8_t>(target[i]) ^ FL_KEY);
        if (fillerEvery && (i + 1) % fillerEvery == 0)
            out.push_back(FL_FILLER);
    }
    out.push_back(FL_END_MARK);
    return out;
}

Bytes join(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& part : parts)
        out.insert(out.end(), part.begin(), part.end());
    return out;
}

class FileListTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(fp_Setup(folder_.str().c_str()), 0); }
    void TearDown() override { fp_Teardown(); }

    int readList(const Bytes& bytes) {
        test::writeFile(folder_.path() / FL_FILE_NAME, bytes);
        return fp_ReadFileList();
    }
    static std::string targets() {
        std::string all;
        for (int i = 0; i < FL_ENTRY_COUNT; ++i)
            all += std::string(fp_FileListTarget(i)) + "|";
        return all;
    }

    test::DiagCapture diag_;
    test::TempFolder folder_;
};

TEST_F(FileListTest, FillsTheFiveTargetsSkippingFillersAndUnknownNames) {
    const Bytes list = join({entry("RoadNode", "ROADNODE.DAT", 3), entry("Maps", "WRONG.DAT"),
                             entry("Map", "MAP.DAT", 1), entry("map", "LOWER.DAT"), entry("Logo", "LOGO.BIN"),
                             entry("RSpeedIdx", "RSPEED.IDX", 2), entry("RoadName", "ROADNAME.DAT")});
    ASSERT_EQ(readList(list), 0);
    EXPECT_EQ(targets(), "MAP.DAT|ROADNAME.DAT|ROADNODE.DAT|RSPEED.IDX|LOGO.BIN|");
    EXPECT_EQ(fp_OpenCount(), 0);

    // A packed list reads the same.
    ASSERT_EQ(readList(test::PackedFile(list, 64).bytes()), 0);
    EXPECT_EQ(targets(), "MAP.DAT|ROADNAME.DAT|ROADNODE.DAT|RSPEED.IDX|LOGO.BIN|");

    // Every read starts from empty targets.
    ASSERT_EQ(readList(entry("Map", "OTHER.DAT")), 0);
    EXPECT_EQ(targets(), "OTHER.DAT|||||");
    EXPECT_STREQ(fp_FileListTarget(-1), "");
    EXPECT_STREQ(fp_FileListTarget(FL_ENTRY_COUNT), "");
}

TEST_F(FileListTest, OverlongNamesNeverOverflowAndCutTargetsAreNotUsed) {
    const std::string longest(FL_NAME_MAX, 'A');
    const Bytes list = join({entry(std::string(300, 'M'), "X.DAT"), entry("Map", std::string(200, 'B')),
                             entry("RoadName", longest), entry("Logo", "L.BIN"),
                             entry("RoadNode", "CUT.DAT")});
    Bytes unfinished(list.begin(), list.end() - 1); // the last entry has no end mark
    ASSERT_EQ(readList(unfinished), 0);
    EXPECT_EQ(targets(), "|" + longest + "|||L.BIN|");
    EXPECT_TRUE(diag_.contains("fp_ReadFileList: file name of 'Map' longer than 127 characters skipped!\n"));
    EXPECT_FALSE(dbg_IsMapStopped());
}

TEST_F(FileListTest, AMissingOrEmptyListFails) {
    EXPECT_EQ(fp_ReadFileList(), -1);
    EXPECT_TRUE(diag_.contains("fp_Open: open '" + folder_.str() + "/FileList.cfg'(rb) failed!\n"));
    EXPECT_EQ(readList({}), -1);
    EXPECT_TRUE(diag_.contains("fp_ReadFileList: 'FileList.cfg' is empty!\n"));
    EXPECT_EQ(targets(), "|||||");
    EXPECT_EQ(fp_OpenCount(), 0);
}

} // namespace
} // namespace cartoframe
