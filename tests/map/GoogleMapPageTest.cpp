// The map page's text and its one-time writing into the program folder.
#include "GoogleMapPage.h"

#include "TempFolder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <string>
#include <vector>

namespace kyvo::map {
namespace {

namespace fs = std::filesystem;
using test::TempFolder;

std::string readAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeText(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

std::vector<std::string> namesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::size_t at(const std::string& page, const std::string& text) {
    const std::size_t pos = page.find(text);
    EXPECT_NE(pos, std::string::npos) << "missing: " << text;
    return pos;
}

TEST(MapPageTextTest, HeadLoadsTheLocalFilesBeforeThePageScript) {
    const std::string page = googleMapPageText(25.06, 121.56);
    EXPECT_TRUE(page.starts_with("<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Strict//EN\""));
    EXPECT_TRUE(std::all_of(page.begin(), page.end(), [](char c) { return c > 0 && c < 0x7F; }));
    const std::size_t css = at(page, "<link rel=\"stylesheet\" href=\"leaflet/leaflet.css\" />");
    const std::size_t leaflet = at(page, "<script type=\"text/javascript\" src=\"leaflet/leaflet.js\"></script>");
    const std::size_t shim = at(page, "<script type=\"text/javascript\" src=\"gmapshim.js\"></script>");
    const std::size_t own = at(page, "<script type=\"text/javascript\">\nvar map;\nvar marker;\nvar iterations = 0;\n");
    EXPECT_LT(css, own);
    EXPECT_LT(leaflet, shim); // the shim builds on Leaflet
    EXPECT_LT(shim, own);
    EXPECT_LT(at(page, "<title>Google Maps</title>"), own);
    at(page, "html, body { margin:0; padding:0; overflow:hidden }");
    at(page, "var following = true;\n");
    EXPECT_EQ(page.find("/maps?"), std::string::npos);
    EXPECT_EQ(page.find("key="), std::string::npos);
}

TEST(MapPageTextTest, PiecesFollowEachOtherInOrder) {
    const std::string page = googleMapPageText(25.06, 121.56);
    const std::size_t start = at(page, "var iterations = 0;\nvar following = true;\n"
                                       "  var latitude = 25;\n  var longitude = 121;\n  var zoom = 15;\n"
                                       "function check_compat() {\n");
    EXPECT_LT(start, at(page, "function initialize() {"));
    EXPECT_LT(at(page, "function initialize() {"), at(page, "function updateMap(lat, lon) {"));
    EXPECT_LT(at(page, "function updateMap(lat, lon) {"), at(page, "function UnloadGoogleMap() {"));
    EXPECT_TRUE(page.ends_with("</script>\n</head>\n"
                               "<body onload=\"check_compat()\" onunload=\"UnloadGoogleMap()\">\n"
                               "<div id=\"map_canvas\" style=\"width: 310px; height: 410px\"></div>\n"
                               "</body>\n</html>\n"));
}

TEST(MapPageTextTest, StartValuesAreWholeDegreesTowardZero) {
    const struct {
        double lat, lon;
        const char* lines;
    } cases[] = {
        {-33.99, -151.7, "  var latitude = -33;\n  var longitude = -151;\n"},
        {-0.5, 0.99, "  var latitude = 0;\n  var longitude = 0;\n"},
        {90, -180, "  var latitude = 90;\n  var longitude = -180;\n"},
        {std::numeric_limits<double>::quiet_NaN(), 1e300, "  var latitude = 0;\n  var longitude = 0;\n"},
    };
    for (const auto& c : cases)
        EXPECT_NE(googleMapPageText(c.lat, c.lon).find(c.lines), std::string::npos) << c.lines;
}

class WriteMapPageTest : public testing::Test {
protected:
    fs::path page() const { return folder_ / kMapPageFileName; }
    TempFolder folder_{"kyvomap"};
};

TEST_F(WriteMapPageTest, WritesThePageWhenNoneIsThere) {
    EXPECT_EQ(writeGoogleMapPage(folder_.path(), -33.9, 151.2), PageWrite::Written);
    EXPECT_EQ(readAll(page()), googleMapPageText(-33.9, 151.2));
    EXPECT_EQ(namesIn(folder_.path()), std::vector<std::string>{"googlemap.htm"});
    struct stat st {};
    ASSERT_EQ(::stat(page().c_str(), &st), 0);
    EXPECT_NE(st.st_mode & S_IRGRP, 0u) << "the page is readable like any file the user makes";
    // A second start keeps it.
    EXPECT_EQ(writeGoogleMapPage(folder_.path(), 10, 10), PageWrite::Kept);
    EXPECT_EQ(readAll(page()), googleMapPageText(-33.9, 151.2));
}

TEST_F(WriteMapPageTest, AnyEntryOfThatNameIsKeptAsItIs) {
    const std::string edited = "<html>the user's own map</html>\r\n";
    writeText(page(), edited);
    EXPECT_EQ(writeGoogleMapPage(folder_.path(), 0, 0), PageWrite::Kept);
    EXPECT_EQ(readAll(page()), edited);

    ::chmod(page().c_str(), 0);
    EXPECT_EQ(writeGoogleMapPage(folder_.path(), 0, 0), PageWrite::Kept);
    ::chmod(page().c_str(), 0644);
    EXPECT_EQ(readAll(page()), edited);
    fs::remove(page());

    fs::create_symlink(folder_ / "nowhere.htm", page());
    EXPECT_EQ(writeGoogleMapPage(folder_.path(), 0, 0), PageWrite::Kept);
    EXPECT_FALSE(fs::exists(folder_ / "nowhere.htm")) << "a dangling link is not followed";
    fs::remove(page());

    fs::create_directory(page());
    EXPECT_EQ(writeGoogleMapPage(folder_.path(), 0, 0), PageWrite::Kept);
    EXPECT_TRUE(fs::is_empty(page()));
    EXPECT_EQ(namesIn(folder_.path()), std::vector<std::string>{"googlemap.htm"});
}

TEST_F(WriteMapPageTest, FailsWithoutAFolder) {
    EXPECT_EQ(writeGoogleMapPage(folder_ / "missing", 0, 0), PageWrite::Failed);
    writeText(folder_ / "file", "x");
    EXPECT_EQ(writeGoogleMapPage(folder_ / "file", 0, 0), PageWrite::Failed);
    EXPECT_EQ(namesIn(folder_.path()), std::vector<std::string>{"file"});
}

// File systems and races played through the writer's calls.
struct Scenario {
    static inline fs::path page;
    static constexpr std::size_t kWriteSize = 100; // bytes each write takes, at most
    static inline int writesLeft = 0;              // writes that succeed before the disk is full
    static int linkUnsupported(int, const char*, int, const char*, int) { return errno = EPERM, -1; }
    static int renameUnsupported(int, const char*, int, const char*, unsigned) { return errno = EINVAL, -1; }
    // Another program writes the page while the writer moves its own into place.
    static int renameAfterOtherWriter(int fromDir, const char* from, int toDir, const char* to, unsigned flags) {
        writeText(page, "other");
        return detail::systemPageFileCalls().renameat2(fromDir, from, toDir, to, flags);
    }
    static int linkAfterOtherWriter(int fromDir, const char* from, int toDir, const char* to, int flags) {
        writeText(page, "other");
        return detail::systemPageFileCalls().linkat(fromDir, from, toDir, to, flags);
    }
    static ssize_t shortThenFull(int fd, const void* data, std::size_t size) {
        if (writesLeft-- <= 0)
            return errno = ENOSPC, -1;
        return ::write(fd, data, std::min(size, kWriteSize)); // partial writes on the way
    }
};

TEST_F(WriteMapPageTest, FallsBackWhenTheFileSystemLacksAMove) {
    const std::string text = googleMapPageText(1, 2);
    Scenario::page = page();
    const struct {
        const char* name;
        detail::PageFileCalls calls;
    } cases[] = {
        {"no rename without replacing", {::linkat, Scenario::renameUnsupported, ::write}},
        {"neither that nor hard links", {Scenario::linkUnsupported, Scenario::renameUnsupported, ::write}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(detail::writePage(folder_.path(), text, c.calls), PageWrite::Written);
        EXPECT_EQ(readAll(page()), text);
        EXPECT_EQ(namesIn(folder_.path()), std::vector<std::string>{"googlemap.htm"});
        fs::remove(page());
    }
}

TEST_F(WriteMapPageTest, APageThatAppearsMeanwhileIsNeverReplaced) {
    Scenario::page = page();
    const struct {
        const char* name;
        detail::PageFileCalls calls;
    } cases[] = {
        {"rename", {::linkat, Scenario::renameAfterOtherWriter, ::write}},
        {"link", {Scenario::linkAfterOtherWriter, Scenario::renameUnsupported, ::write}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(detail::writePage(folder_.path(), googleMapPageText(1, 2), c.calls), PageWrite::Kept);
        EXPECT_EQ(readAll(page()), "other");
        EXPECT_EQ(namesIn(folder_.path()), std::vector<std::string>{"googlemap.htm"});
        fs::remove(page());
    }
}

TEST_F(WriteMapPageTest, AFullDiskLeavesNoPartialPage) {
    const std::string text = googleMapPageText(1, 2);
    const int wholeText = static_cast<int>(text.size() / Scenario::kWriteSize + 1);
    ASSERT_GT(wholeText, 3);
    const detail::PageFileCalls system = detail::systemPageFileCalls();
    const struct {
        const char* name;
        detail::PageFileCalls calls;
        int writesLeft;
    } cases[] = {
        {"temporary file", {system.linkat, system.renameat2, Scenario::shortThenFull}, 3},
        {"in place", {Scenario::linkUnsupported, Scenario::renameUnsupported, Scenario::shortThenFull},
         wholeText + 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Scenario::writesLeft = c.writesLeft;
        EXPECT_EQ(detail::writePage(folder_.path(), text, c.calls), PageWrite::Failed);
        EXPECT_LT(Scenario::writesLeft, 0) << "the disk filled up";
        EXPECT_TRUE(fs::is_empty(folder_.path()));
    }
}

} // namespace
} // namespace kyvo::map
