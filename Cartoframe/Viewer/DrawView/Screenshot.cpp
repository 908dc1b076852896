// Screenshots: the drawing canvas written as a bitmap file in the map
// folder's "Screenshot" folder, named after the last position's date and
// time. A name already taken gets a numbered suffix, so a screenshot never
// replaces an earlier one; a file that cannot be written whole is removed.
#include "BmpFile.h"
#include "Diagnostics.h"
#include "DrawContext.h"
#include "FileProcess.h"

#include <climits>
#include <cstdio>
#include <memory>
#include <new>

namespace cartoframe {
namespace {

constexpr char SHOT_FOLDER[] = "Screenshot";
constexpr char SHOT_EXTENSION[] = ".BMP";
// Suffixes tried after the plain name: "_2" up to this.
constexpr int SHOT_SUFFIX_LAST = 9999;
// Rows are written through a buffer of about this many bytes (at least one row).
constexpr std::size_t SHOT_CHUNK_BYTES = 64 * 1024;
// The folder, four numbers of up to 11 characters each, then room for the
// suffix and the extension.
constexpr int SHOT_BASE_SIZE = 64;
constexpr int SHOT_NAME_SIZE = SHOT_BASE_SIZE + 16;

// Opens a file that did not exist before under the first free name of
// base + ".BMP", base + "_2.BMP", ... and leaves that name in `name`.
std::FILE* openNewShot(const char* base, char* name) {
    for (int n = 1; n <= SHOT_SUFFIX_LAST; ++n) {
        if (n == 1)
            std::snprintf(name, SHOT_NAME_SIZE, "%s%s", base, SHOT_EXTENSION);
        else
            std::snprintf(name, SHOT_NAME_SIZE, "%s_%d%s", base, n, SHOT_EXTENSION);
        // "x": the open fails rather than replace an existing file.
        if (std::FILE* file = fp_Open(name, "wbx"))
            return file;
        // Only a name that is taken moves on to the next suffix; any other
        // failure (no folder, no permission) ends the search.
        std::FILE* existing = fp_Open(name, "rb");
        if (!existing)
            return nullptr;
        fp_Close(existing);
    }
    return nullptr;
}

// Writes the canvas's bitmap file; false at the first short write.
bool writeShot(const TCanvas& canvas, std::FILE* file) {
    std::uint8_t header[BMP_HEADER_SIZE];
    bmp_WriteHeader(canvas.width, canvas.height, header);
    if (fp_Write(header, static_cast<int>(sizeof header), file) != static_cast<int>(sizeof header))
        return false;
    const std::size_t rowSize = bmp_RowSize(canvas.width);
    const int rowsPerChunk = static_cast<int>(rowSize >= SHOT_CHUNK_BYTES ? 1 : SHOT_CHUNK_BYTES / rowSize);
    const std::unique_ptr<std::uint8_t[]> chunk(new (std::nothrow) std::uint8_t[rowSize * rowsPerChunk]);
    if (!chunk) {
        dbg_Print("dv_WriteScreenshot: no memory for the row buffer!\n");
        return false;
    }
    for (int row = 0; row < canvas.height; row += rowsPerChunk) {
        const int rows = canvas.height - row < rowsPerChunk ? canvas.height - row : rowsPerChunk;
        for (int r = 0; r < rows; ++r)
            bmp_WriteRow(canvas, row + r, chunk.get() + static_cast<std::size_t>(r) * rowSize);
        const int bytes = static_cast<int>(rowSize * static_cast<std::size_t>(rows));
        if (fp_Write(chunk.get(), bytes, file) != bytes)
            return false;
    }
    return true;
}

} // namespace

int dv_WriteScreenshot(const TGisPosition& last, char* writtenName, int nameSize) {
    const TCanvas* canvas = dv_Canvas();
    if (!canvas)
        return 0;
    const std::size_t size = bmp_FileSize(canvas->width, canvas->height);
    if (size == 0 || size > static_cast<std::size_t>(INT_MAX))
        return 0;
    char base[SHOT_BASE_SIZE];
    std::snprintf(base, sizeof base, "%s/%08d%02d%02d%02d", SHOT_FOLDER, last.date, last.hour, last.minute,
                  last.second);
    if (fp_MakeFolder(SHOT_FOLDER) != 0)
        return 0;
    char name[SHOT_NAME_SIZE];
    std::FILE* file = openNewShot(base, name);
    if (!file)
        return 0;
    const bool written = writeShot(*canvas, file);
    // Closing flushes the last bytes, so a full disk may only show here.
    const bool closed = fp_Close(file) == 0;
    if (!written || !closed) {
        fp_Remove(name);
        return 0;
    }
    if (writtenName && nameSize > 0)
        std::snprintf(writtenName, static_cast<std::size_t>(nameSize), "%s", name);
    return static_cast<int>(size);
}

} // namespace cartoframe
