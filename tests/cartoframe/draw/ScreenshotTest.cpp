// Screenshots: names from the last position record, numbered suffixes
// instead of replacing an earlier file, and failures that leave no file.
#include "DrawFixture.h"

#include <sys/resource.h>

#include <csignal>
#include <filesystem>

namespace cartoframe::test {
namespace {

TGisPosition record(int date, int hour, int minute, int second) {
    TGisPosition position;
    position.date = date;
    position.hour = hour;
    position.minute = minute;
    position.second = second;
    return position;
}

TEST_F(DrawFixture, ScreenshotsAreNamedAfterTheLastPositionAndNeverReplaceEachOther) {
    openDrawing();
    draw({0, 0}, 3);
    const TGisPosition last = record(20240131, 7, 5, 9);
    char name[64] = {};
    const int size = dv_WriteScreenshot(last, name, sizeof name);
    EXPECT_EQ(size, 54 + 2400 * 600);
    EXPECT_STREQ(name, "Screenshot/20240131070509.BMP");
    const Bytes first = readFile(folder_ / name);
    EXPECT_EQ(first.size(), static_cast<std::size_t>(size));

    // Another picture under the same record: new names, the first file kept.
    dv_TrackAdd({0, 0});
    draw({0, 0}, 3);
    EXPECT_EQ(dv_WriteScreenshot(last, name, sizeof name), size);
    EXPECT_STREQ(name, "Screenshot/20240131070509_2.BMP");
    EXPECT_NE(readFile(folder_ / name), first);
    EXPECT_EQ(dv_WriteScreenshot(last, name, sizeof name), size);
    EXPECT_STREQ(name, "Screenshot/20240131070509_3.BMP");
    EXPECT_EQ(readFile(folder_ / "Screenshot/20240131070509.BMP"), first);

    // No position received yet: zero date and time.
    EXPECT_EQ(dv_WriteScreenshot({}, name, sizeof name), size);
    EXPECT_STREQ(name, "Screenshot/00000000000000.BMP");
}

TEST_F(DrawFixture, AScreenshotThatCannotBeWrittenWholeLeavesNoFile) {
    const TGisPosition last = record(20240131, 23, 59, 59);
    EXPECT_EQ(dv_WriteScreenshot(last), 0) << "drawing not initialised";
    openDrawing();
    draw({0, 0}, 3);

    // A file where the folder should be.
    writeFile(folder_ / "Screenshot", Bytes{1});
    EXPECT_EQ(dv_WriteScreenshot(last), 0);
    std::filesystem::remove(folder_ / "Screenshot");

    // The disk fills up part way through the picture.
    rlimit limit{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &limit), 0);
    const rlimit kept = limit;
    limit.rlim_cur = 100000;
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
    const int written = dv_WriteScreenshot(last);
    setrlimit(RLIMIT_FSIZE, &kept);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(written, 0);
    ASSERT_TRUE(std::filesystem::is_directory(folder_ / "Screenshot"));
    EXPECT_TRUE(std::filesystem::is_empty(folder_ / "Screenshot"));
    EXPECT_TRUE(diag_.contains("fp_Write")) << "the short write is reported";
}

} // namespace
} // namespace cartoframe::test
