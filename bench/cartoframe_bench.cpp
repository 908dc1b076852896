// Map library benchmark on a city-size data set made by mapforge from a
// generated OpenStreetMap city (a lattice of named streets, over 50,000 road
// pieces). Prints medians of warm runs:
//   1. loading the data set (target: at most 300 ms);
//   2. reading the packed map file sequentially through the store against
//      liblzo2 unpacking the same blocks straight from memory (target: the
//      store at least 60 % of that speed), for the map file and for a
//      packed road-node file, whose blocks compress better;
//   3. choosing the visible grids of an 800 x 600 view at every scale step
//      (target: at most 50 microseconds).
// Numbers are printed, never asserted.
//
//   cartoframe_bench [STREETS]    (default 160 streets each way)
#include "CartoTestSupport.h"
#include "Diagnostics.h"
#include "FileList.h"
#include "FileProcess.h"
#include "Forge.h"
#include "LittleEndian.h"
#include "MapProcess.h"
#include "OsmReader.h"
#include "PackedLayout.h"
#include "TestTown.h"
#include "VisibleGrids.h"

#include <lzo1x.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

using namespace cartoframe;
namespace forge = kyvo::mapforge;
using Clock = std::chrono::steady_clock;

constexpr int kDefaultStreets = 160;
constexpr double kSpacing = 0.0015; // about 150 m between streets
constexpr double kWest = 121.45;
constexpr double kSouth = 24.95;
constexpr int kRuns = 9;
constexpr int kReadPiece = 4096;
constexpr int kScaleValues[] = {25, 50, 75, 100, 150, 200, 300, 400, 600, 800};
constexpr int kWindowWidth = 800;
constexpr int kWindowHeight = 600;
constexpr int kPixelsPerScale = 37;
constexpr int kSelectionsPerScale = 2000;

double medianMs(const std::function<void()>& work) {
    std::vector<double> times;
    work(); // warm up
    for (int i = 0; i < kRuns; ++i) {
        const auto start = Clock::now();
        work();
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void discard(const char*, void*) {}

// Unpacked bytes per second of liblzo2 on the blocks of a packed file, and
// of the store reading the same file sequentially.
void compareReads(const std::string& folder, const char* name) {
    const test::Bytes file = test::readFile(folder + "/" + name);
    const int size = le_LoadInt(file.data() + PACK_UNPACKED_SIZE_AT);
    const int blocks = le_LoadInt(file.data() + PACK_BLOCK_COUNT_AT);
    std::vector<std::uint8_t> out(LZO_BUF_SIZE);
    const double raw = medianMs([&] {
        for (int b = 0; b < blocks; ++b) {
            const int from = le_LoadInt(file.data() + PACK_OFFSET_TABLE_AT + static_cast<std::size_t>(b) * 4);
            const int to = le_LoadInt(file.data() + PACK_OFFSET_TABLE_AT + static_cast<std::size_t>(b + 1) * 4);
            lzo_uint unpacked = LZO_BUF_SIZE;
            lzo1x_decompress_safe(file.data() + from, static_cast<lzo_uint>(to - from), out.data(), &unpacked, nullptr);
        }
    });
    // The stream stays open: each pass seeks back to the start; with more
    // blocks than cache slots a sequential pass finds none of its blocks cached.
    std::vector<std::uint8_t> piece(kReadPiece);
    std::FILE* stream = fp_Open(name, "rb");
    const long unpackedBefore = fp_BlocksUnpacked();
    const double store = medianMs([&] {
        fp_Seek(stream, 0, FP_SEEK_SET);
        for (int at = 0; at < size; at += kReadPiece)
            fp_Read(piece.data(), std::min(kReadPiece, size - at), stream);
    });
    const long passes = (fp_BlocksUnpacked() - unpackedBefore) / std::max(blocks, 1);
    fp_Close(stream);
    const double mb = size / 1e6;
    std::printf("  %-13s %7.2f MB in %4d blocks: liblzo2 %7.1f MB/s, store %7.1f MB/s = %5.1f %% (%ld full passes)\n",
                name, mb, blocks, mb / (raw / 1000), mb / (store / 1000), 100 * raw / store, passes);
}

TMapRect viewRect(const TMapPoint& centre, int scale) {
    // The window's corners taken to the map.
    const int halfWidth = kWindowWidth / 2;
    const int halfHeight = kWindowHeight / 2;
    return {centre.x + static_cast<int>(static_cast<double>(scale) * -halfWidth / kPixelsPerScale),
            centre.y + static_cast<int>(static_cast<double>(scale) * halfHeight / kPixelsPerScale),
            centre.x + static_cast<int>(static_cast<double>(scale) * (halfWidth - 1) / kPixelsPerScale),
            centre.y - static_cast<int>(static_cast<double>(scale) * (halfHeight - 1) / kPixelsPerScale)};
}

} // namespace

int main(int argc, char** argv) {
    const int streets = argc > 1 ? std::atoi(argv[1]) : kDefaultStreets;
    dbg_SetSink(discard, nullptr);
    test::TempFolder folder;

    auto start = Clock::now();
    forge::OsmData data;
    std::string error;
    if (!forge::readOsmText(test::latticeCityOsm(streets, kSpacing, kWest, kSouth), data, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    const forge::ForgeResult city = forge::forgeDataSet(data, folder.path(), {});
    forge::WriteOptions packAll;
    packAll.packAll = true;
    test::TempFolder packedFolder;
    const forge::ForgeResult cityPacked = forge::forgeDataSet(data, packedFolder.path(), packAll);
    if (!city.ok || !cityPacked.ok) {
        std::fprintf(stderr, "%s\n", city.error.c_str());
        return 1;
    }
    std::printf("city of %d x %d streets, made by mapforge in %.0f ms (twice):\n%s", streets, streets,
                std::chrono::duration<double, std::milli>(Clock::now() - start).count(),
                forge::describeDataSet(city.model).c_str());

    fp_Setup(folder.str().c_str());
    fp_ReadFileList();
    int loadResult = -1;
    const double load = medianMs([&] { loadResult = mp_LoadMapFiles(); });
    int roads = 0;
    for (int g = 0; g < MAP_GRID_MAX; ++g)
        roads += mp_GetRoadCount(g);
    std::printf("1. loading the data set: %.1f ms (target at most 300 ms); %s, %d roads\n", load,
                loadResult == 0 ? "loaded" : "FAILED", roads);

    fp_Setup(packedFolder.str().c_str());
    fp_ReadFileList();
    const double loadPacked = medianMs([] { mp_LoadMapFiles(); });
    std::printf("   with every file of the set packed: %.1f ms\n", loadPacked);

    std::printf("2. sequential reads in %d-byte pieces (target: store at least 60 %% of liblzo2):\n", kReadPiece);
    fp_Setup(folder.str().c_str());
    compareReads(folder.str(), forge::kTargetNames[0]);
    fp_Setup(packedFolder.str().c_str());
    compareReads(packedFolder.str(), forge::kTargetNames[2]);
    fp_Setup(folder.str().c_str());
    fp_ReadFileList();
    mp_LoadMapFiles();

    const TMapBounds bounds = mp_GetBounds();
    const int spanX = (bounds.highColumn - bounds.lowColumn + 1) * MAP_GRID_SIZE;
    const int spanY = (bounds.highRow - bounds.lowRow + 1) * MAP_GRID_SIZE;
    std::printf("3. choosing the visible grids (target at most 50 us):\n  ");
    double worst = 0;
    for (int scale : kScaleValues) {
        int grids = 0;
        const auto begin = Clock::now();
        for (int i = 0; i < kSelectionsPerScale; ++i) {
            const TMapPoint centre{bounds.lowColumn * MAP_GRID_SIZE + (i * 7919) % spanX,
                                   bounds.lowRow * MAP_GRID_SIZE + (i * 104729) % spanY};
            grids += mp_SelectVisibleGrids({viewRect(centre, scale), centre, scale, kWindowWidth, kWindowHeight});
        }
        const double us = std::chrono::duration<double, std::micro>(Clock::now() - begin).count() / kSelectionsPerScale;
        worst = std::max(worst, us);
        std::printf("scale %d: %.2f us (%.1f grids)%s", scale, us, static_cast<double>(grids) / kSelectionsPerScale,
                    scale == kScaleValues[4] ? "\n  " : "; ");
    }
    std::printf("\n  slowest scale: %.2f us\n", worst);
    mp_FreeAll();
    fp_Teardown();
    return 0;
}
