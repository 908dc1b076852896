// Fuzz target: a map folder made of the input's files is read through the
// file store and loaded as a map data set; every accessor and the choice of
// visible grids then runs over whatever loaded. Nothing may crash, read or
// write outside its buffers, or take unbounded memory.
#include "Diagnostics.h"
#include "FileList.h"
#include "FileProcess.h"
#include "MapFuzzInput.h"
#include "MapProcess.h"
#include "VisibleGrids.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

using namespace cartoframe;
namespace fuzz = cartoframe::fuzz;

constexpr int kMaxObjectsWalked = 256; // per layer and grid: enough to reach every field
constexpr int kMaxPointsWalked = 64;
constexpr int kLayers[] = {LAYER_WATER, LAYER_ROAD, LAYER_LINE, LAYER_LANDUSE};

void discard(const char*, void*) {}

void removeFolder();

// The folder lives until the process ends: the exit handler that removes it
// runs after static objects are gone, so its name is never destroyed.
const std::string& folder() {
    static const std::string* path = [] {
        const auto dir = std::filesystem::temp_directory_path() / ("cartoframe-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir);
        std::atexit(removeFolder);
        return new std::string(dir.string());
    }();
    return *path;
}

void removeFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(folder(), ignored);
}

void writeFile(const std::string& name, const fuzz::Bytes& bytes) {
    std::FILE* file = std::fopen((folder() + "/" + name).c_str(), "wb");
    if (!file)
        return;
    if (!bytes.empty())
        std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

fuzz::Bytes defaultFileList() {
    fuzz::Bytes out;
    for (int entry = 0; entry < 4; ++entry) {
        for (const char* c = FL_LOGICAL_NAMES[entry]; *c; ++c)
            out.push_back(static_cast<std::uint8_t>(*c) ^ FL_KEY);
        out.push_back(FL_VALUE_MARK);
        for (const char* c = fuzz::kFuzzFiles[entry + 1]; *c; ++c)
            out.push_back(static_cast<std::uint8_t>(*c) ^ FL_KEY);
        out.push_back(FL_END_MARK);
    }
    return out;
}

void walkGrid(int g) {
    TMapPoint point;
    TMapRect box;
    int a = 0, b = 0;
    for (int layer : kLayers) {
        const int objects = std::min(mp_GetObjectCount(g, layer), kMaxObjectsWalked);
        for (int o = 0; o < objects; ++o) {
            mp_GetObjectBox(g, layer, o, &box);
            const int points = std::min(mp_GetPointCount(g, layer, o), kMaxPointsWalked);
            for (int k = -1; k <= points; ++k)
                mp_GetPoint(g, layer, o, k, &point);
        }
    }
    const int roads = std::min(mp_GetRoadCount(g), kMaxObjectsWalked);
    for (int r = 0; r <= roads; ++r) {
        if (const char* name = mp_GetRoadName(g, r)) {
            volatile std::size_t length = std::string(name).size();
            (void)length;
        }
        mp_GetRoadClass(g, r);
        mp_GetRoadLabelMode(g, r);
        mp_GetRoadAttribute(g, r);
        mp_GetRoadWidthFactors(g, r, &a, &b);
        mp_GetRoadBox(g, r, &box);
        mp_SetNameBit(0, mp_GetRoadNameOffset(g, r));
        mp_TestNameBit(1, mp_GetRoadNameOffset(g, r));
    }
    for (int n = 0; n <= std::min(mp_GetNodeCount(g), kMaxObjectsWalked); ++n)
        mp_GetNode(g, n, &point);
    for (int c = 0; c <= MAP_SUBCELL_COUNT; ++c)
        for (int k = 0; k <= std::min(mp_GetSubCellRoadCount(g, c), kMaxObjectsWalked); ++k)
            mp_GetSubCellRoad(g, c, k);
}

void walkMap() {
    for (int g = 0; g < MAP_GRID_MAX; ++g)
        if (mp_IsGridPresent(g))
            walkGrid(g);
    const TMapBounds bounds = mp_GetBounds();
    const int scales[] = {25, 800};
    for (int scale : scales) {
        const TMapPoint centre{bounds.lowColumn * MAP_GRID_SIZE + 5000, bounds.lowRow * MAP_GRID_SIZE + 5000};
        const int half = scale * 11;
        const TMapRect view{centre.x - half, centre.y + half, centre.x + half, centre.y - half};
        const int count = mp_SelectVisibleGrids({view, centre, scale, 800, 600});
        for (int i = 0; i < count; ++i)
            walkGrid(mp_GetVisibleGrid(i)->grid);
    }
}

// Reads the packed or plain map file through the store in uneven pieces.
void readThroughStore(const std::uint8_t* data, std::size_t size) {
    std::FILE* stream = fp_Open(fuzz::kFuzzFiles[1], "rb");
    if (!stream)
        return;
    std::uint8_t buffer[4096];
    const int total = fp_Size(stream);
    for (std::size_t i = 0; i < 64 && fp_Tell(stream) < total; ++i) {
        const int wanted = 1 + static_cast<int>(size ? data[i % size] : 0) * 13 % 4000;
        if (fp_Read(buffer, wanted, stream) < 0)
            fp_Seek(stream, wanted * 7, FP_SEEK_CUR);
    }
    fp_Seek(stream, -100, FP_SEEK_END);
    fp_Read(buffer, 100, stream);
    fp_Close(stream);
}

} // namespace

int cartoframe::fuzz::lastLoadResult = -1;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    dbg_SetSink(discard, nullptr);
    fuzz::lastLoadResult = -1;
    const std::vector<fuzz::Bytes> files = fuzz::splitFuzzInput(data, size);
    for (std::size_t i = 0; i < fuzz::kFuzzFileCount; ++i)
        std::filesystem::remove(folder() + "/" + fuzz::kFuzzFiles[i]);
    for (std::size_t i = 0; i < files.size(); ++i)
        writeFile(fuzz::kFuzzFiles[i], i == 0 && files[i].empty() ? defaultFileList() : files[i]);

    if (fp_Setup(folder().c_str()) == 0) {
        readThroughStore(data, size);
        fp_Setup(folder().c_str());
        if (fp_ReadFileList() != 0) {
            writeFile(fuzz::kFuzzFiles[0], defaultFileList());
            fp_ReadFileList();
        }
        fuzz::lastLoadResult = mp_LoadMapFiles();
        walkMap();
    }
    mp_FreeAll();
    fp_Teardown();
    dbg_RestartMap();
    dbg_SetSink(nullptr, nullptr);
    return 0;
}
