#include "GoogleMapPage.h"

#include "MapCall.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <cmath>
#include <optional>

namespace kyvo::map {

namespace {

// Piece 1: the head up to the opening of the page's own script.
constexpr std::string_view kDoctype =
    "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Strict//EN\" "
    "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-strict.dtd\">\n"
    "<html xmlns=\"http://www.w3.org/1999/xhtml\" xmlns:v=\"urn:schemas-microsoft-com:vml\">\n"
    "<head>\n"
    "<meta http-equiv=\"content-type\" content=\"text/html; charset=utf-8\"/>\n";
constexpr std::string_view kStyle =
    "<style type=\"text/css\">\n"
    "html, body { margin:0; padding:0; overflow:hidden }\n"
    "</style>\n";
constexpr std::string_view kGlobals =
    "<script type=\"text/javascript\">\n"
    "var map;\n"
    "var marker;\n"
    "var iterations = 0;\n"
    "var following = true;\n";

// Piece 2: "  var latitude = %d;\n  var longitude = %d;\n  var zoom = %d;\n".
constexpr std::string_view kLatitudeLine = "  var latitude = ";
constexpr std::string_view kLongitudeLine = "  var longitude = ";
constexpr std::string_view kZoomLine = "  var zoom = ";
constexpr std::string_view kLineEnd = ";\n";

// Piece 3: waits for the map script; the numbers come from the constants.
constexpr std::string_view kCheckCompatHead =
    "function check_compat() {\n"
    "  if (iterations == ";
constexpr std::string_view kCheckCompatMiddle =
    ") {\n"
    "    document.write(\"Failed to load Google Maps API\");\n"
    "    return;\n"
    "  }\n"
    "  if (typeof GBrowserIsCompatible == \"undefined\") {\n"
    "    setTimeout(check_compat, ";
constexpr std::string_view kCheckCompatTail =
    ");\n"
    "    iterations++;\n"
    "    return;\n"
    "  }\n"
    "  if (GBrowserIsCompatible()) {\n"
    "    initialize();\n"
    "  } else {\n"
    "    document.write(\"Sorry, your browser is not supported.\");\n"
    "  }\n"
    "}\n";

// Piece 4: the map, the position updates, the track and the unload.
constexpr std::string_view kInitializeHead =
    "function initialize() {\n"
    "  map = new GMap2(document.getElementById(\"";
constexpr std::string_view kInitializeMiddle =
    "\"));\n"
    "  var point = new GLatLng(latitude, longitude);\n"
    "  map.setCenter(point, ";
constexpr std::string_view kInitializeTail =
    ");\n"
    "  marker = new GMarker(point);\n"
    "  map.addOverlay(marker);\n"
    "  map.addControl(new GSmallZoomControl());\n"
    "  map.addControl(new GMapTypeControl());\n"
    "}\n";
// A coordinate text must read as one number from end to end (parseFloat and
// Number agree: no trailing text, no empty text),
// finite and inside its range. The new
// marker exists before the old one goes, so a failing call keeps the old one.
constexpr std::string_view kUpdateMapHead =
    "function degrees(text, limit) {\n"
    "  var value = parseFloat(text);\n"
    "  return (value === Number(text) && Math.abs(value) <= limit) ? value : null;\n"
    "}\n"
    "function updateMap(lat, lon) {\n"
    "  if (!map) return;\n"
    "  var la = degrees(lat, ";
constexpr std::string_view kUpdateMapLongitude =
    ");\n"
    "  var lo = degrees(lon, ";
constexpr std::string_view kUpdateMapTail =
    ");\n"
    "  if (la === null || lo === null) return;\n"
    "  var point = new GLatLng(la, lo);\n"
    "  var next = new GMarker(point);\n"
    "  if (marker) map.removeOverlay(marker);\n"
    "  map.addOverlay(next);\n"
    "  marker = next;\n"
    "  if (following) map.setCenter(point, map.getZoom());\n"
    "}\n"
    "function setTrack(points) {\n"
    "  if (typeof GTrack == \"function\") GTrack(points);\n"
    "}\n"
    "function UnloadGoogleMap() {\n"
    "  if (map) {\n"
    "    try { GUnload(); } catch (e) {}\n"
    "  }\n"
    "}\n"
    "</script>\n"
    "</head>\n"
    "<body onload=\"check_compat()\" onunload=\"UnloadGoogleMap()\">\n"
    "<div id=\"";
constexpr std::string_view kCanvasWidthOpen = "\" style=\"width: ";
constexpr std::string_view kCanvasHeightOpen = "px; height: ";
constexpr std::string_view kBodyEnd =
    "px\"></div>\n"
    "</body>\n"
    "</html>\n";

constexpr std::string_view kTitleOpen = "<title>";
constexpr std::string_view kTitleClose = "</title>\n";
constexpr std::string_view kStyleSheetOpen = "<link rel=\"stylesheet\" href=\"";
constexpr std::string_view kStyleSheetClose = "\" />\n";
constexpr std::string_view kScriptFileOpen = "<script type=\"text/javascript\" src=\"";
constexpr std::string_view kScriptFileClose = "\"></script>\n";

constexpr std::size_t kIntTextCapacity = 16;

void appendInt(std::string& out, int value) {
    char text[kIntTextCapacity];
    const auto result = std::to_chars(text, text + sizeof text, value);
    out.append(text, result.ptr);
}

// Whole degrees toward zero; anything that is no coordinate counts as 0.
int wholeDegrees(double degrees, double limit) {
    if (!std::isfinite(degrees) || std::fabs(degrees) > limit)
        return 0;
    return static_cast<int>(std::trunc(degrees));
}

void appendTag(std::string& out, std::string_view open, std::string_view file, std::string_view close) {
    out += open;
    out += file;
    out += close;
}

// --- Writing the file -----------------------------------------------------

constexpr std::string_view kTempPrefix = ".";
constexpr std::string_view kTempSuffix = ".tmp";
constexpr int kTempNameAttempts = 64;
constexpr mode_t kPageMode = 0666; // narrowed by the umask
constexpr int kNoFd = -1;

// The errors of a move call that mean "this file system (or kernel) cannot
// do that", after which the next way is tried.
bool unsupported(int error) {
    return error == EINVAL || error == ENOSYS || error == EOPNOTSUPP || error == EPERM;
}

class Fd {
public:
    explicit Fd(int fd = kNoFd) : fd_(fd) {}
    ~Fd() { reset(); }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    // Closes the descriptor; false when the close reports an error.
    bool reset() {
        if (fd_ < 0)
            return true;
        const int fd = fd_;
        fd_ = kNoFd;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

int sysLinkat(int fromDir, const char* from, int toDir, const char* to, int flags) {
    return ::linkat(fromDir, from, toDir, to, flags);
}
int sysRenameat2(int fromDir, const char* from, int toDir, const char* to, unsigned flags) {
    return ::renameat2(fromDir, from, toDir, to, flags);
}
ssize_t sysWrite(int fd, const void* data, std::size_t size) { return ::write(fd, data, size); }

// Writes all of `text`, then flushes it to the disk and closes the file.
bool writeAll(Fd& fd, std::string_view text, const detail::PageFileCalls& calls) {
    while (!text.empty()) {
        const ssize_t written = calls.write(fd.get(), text.data(), text.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        text.remove_prefix(static_cast<std::size_t>(written));
    }
    if (::fsync(fd.get()) != 0)
        return false;
    return fd.reset();
}

std::string tempName() {
    static std::atomic<unsigned> counter{0};
    const auto tick = static_cast<unsigned long long>(std::chrono::steady_clock::now().time_since_epoch().count());
    std::string name(kTempPrefix);
    name += kMapPageFileName;
    name += '.';
    name += std::to_string(::getpid());
    name += '.';
    name += std::to_string(tick);
    name += '.';
    name += std::to_string(counter.fetch_add(1));
    name += kTempSuffix;
    return name;
}

// Creates a fresh temporary file in the folder: its name goes to `name`.
Fd createTemp(int dir, std::string& name) {
    for (int attempt = 0; attempt < kTempNameAttempts; ++attempt) {
        name = tempName();
        const int fd = ::openat(dir, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, kPageMode);
        if (fd >= 0 || errno != EEXIST)
            return Fd(fd);
    }
    return Fd();
}

enum class Entry { Present, Absent, Unknown };

Entry pageEntry(int dir, const char* name) {
    struct stat st {};
    if (::fstatat(dir, name, &st, AT_SYMLINK_NOFOLLOW) == 0)
        return Entry::Present;
    return errno == ENOENT ? Entry::Absent : Entry::Unknown;
}

// The last way, for a file system that neither renames without replacing nor
// links: the page is created under its own name (never over an existing
// entry) and removed again if it cannot be written whole.
PageWrite writeInPlace(int dir, const char* name, std::string_view text, const detail::PageFileCalls& calls) {
    Fd fd(::openat(dir, name, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, kPageMode));
    if (fd.get() < 0)
        return errno == EEXIST ? PageWrite::Kept : PageWrite::Failed;
    if (writeAll(fd, text, calls))
        return PageWrite::Written;
    fd.reset();
    ::unlinkat(dir, name, 0);
    return PageWrite::Failed;
}

// Moves the temporary file to the page's name unless that name exists.
// Answers nothing when neither way is supported here.
std::optional<PageWrite> moveIntoPlace(int dir, const char* temp, const char* name,
                                       const detail::PageFileCalls& calls) {
    if (calls.renameat2(dir, temp, dir, name, RENAME_NOREPLACE) == 0)
        return PageWrite::Written;
    if (errno == EEXIST)
        return PageWrite::Kept;
    if (!unsupported(errno))
        return PageWrite::Failed;
    if (calls.linkat(dir, temp, dir, name, 0) == 0)
        return PageWrite::Written; // the caller removes the temporary name
    if (errno == EEXIST)
        return PageWrite::Kept;
    if (!unsupported(errno))
        return PageWrite::Failed;
    return std::nullopt;
}

} // namespace

std::string googleMapPageText(double latitude, double longitude) {
    std::string page;
    // 1. Head.
    page += kDoctype;
    appendTag(page, kTitleOpen, kMapPageTitle, kTitleClose);
    appendTag(page, kStyleSheetOpen, kLeafletStyleFile, kStyleSheetClose);
    page += kStyle;
    appendTag(page, kScriptFileOpen, kLeafletScriptFile, kScriptFileClose);
    appendTag(page, kScriptFileOpen, kShimScriptFile, kScriptFileClose);
    page += kGlobals;
    // 2. Start values.
    page += kLatitudeLine;
    appendInt(page, wholeDegrees(latitude, kLatitudeLimit));
    page += kLineEnd;
    page += kLongitudeLine;
    appendInt(page, wholeDegrees(longitude, kLongitudeLimit));
    page += kLineEnd;
    page += kZoomLine;
    appendInt(page, kMapZoom);
    page += kLineEnd;
    // 3. check_compat.
    page += kCheckCompatHead;
    appendInt(page, kCompatRetries);
    page += kCheckCompatMiddle;
    appendInt(page, kCompatRetryMs);
    page += kCheckCompatTail;
    // 4. initialize, updateMap, setTrack, UnloadGoogleMap and the body.
    page += kInitializeHead;
    page += kMapCanvasId;
    page += kInitializeMiddle;
    appendInt(page, kMapZoom);
    page += kInitializeTail;
    page += kUpdateMapHead;
    appendInt(page, static_cast<int>(kLatitudeLimit));
    page += kUpdateMapLongitude;
    appendInt(page, static_cast<int>(kLongitudeLimit));
    page += kUpdateMapTail;
    page += kMapCanvasId;
    page += kCanvasWidthOpen;
    appendInt(page, kMapCanvasWidth);
    page += kCanvasHeightOpen;
    appendInt(page, kMapCanvasHeight);
    page += kBodyEnd;
    return page;
}

PageWrite writeGoogleMapPage(const std::filesystem::path& folder, double latitude, double longitude) {
    return detail::writePage(folder, googleMapPageText(latitude, longitude), detail::systemPageFileCalls());
}

namespace detail {

PageFileCalls systemPageFileCalls() { return {sysLinkat, sysRenameat2, sysWrite}; }

PageWrite writePage(const std::filesystem::path& folder, std::string_view text, const PageFileCalls& calls) {
    const Fd dir(::open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() < 0)
        return PageWrite::Failed;
    const std::string name(kMapPageFileName);
    switch (pageEntry(dir.get(), name.c_str())) {
    case Entry::Present:
        return PageWrite::Kept;
    case Entry::Unknown:
        return PageWrite::Failed;
    case Entry::Absent:
        break;
    }

    std::string temp;
    Fd fd = createTemp(dir.get(), temp);
    if (fd.get() < 0)
        return PageWrite::Failed;
    const bool written = writeAll(fd, text, calls);
    fd.reset();
    std::optional<PageWrite> result = PageWrite::Failed;
    if (written)
        result = moveIntoPlace(dir.get(), temp.c_str(), name.c_str(), calls);
    // After a rename the temporary name is gone already; otherwise it goes now.
    ::unlinkat(dir.get(), temp.c_str(), 0);
    if (!result)
        return writeInPlace(dir.get(), name.c_str(), text, calls);
    return *result;
}

} // namespace detail

} // namespace kyvo::map
