// The module-wide data set: loading the four files in turn and freeing them.
#include "Diagnostics.h"
#include "FileList.h"
#include "FileProcess.h"
#include "MapData.h"
#include "MapLoaders.h"

#include <new>

namespace cartoframe {
namespace mapdata {
namespace {

TMapSet g_set;

using TLoader = bool (*)(std::FILE*);

struct TSetFile {
    int entry; // in the file list
    TLoader load;
    bool optional; // may be left out of the file list
};

// In loading order: the node counts of "Map" size the lists of "RoadNode".
constexpr TSetFile SET_FILES[] = {
    {FL_MAP, loadMapFile, false},
    {FL_ROADNAME, loadRoadNameFile, false},
    {FL_ROADNODE, loadRoadNodeFile, false},
    {FL_RSPEEDIDX, loadSpeedIndexFile, true},
};

int failLoading() {
    mp_FreeAll();
    return -1;
}

} // namespace

TMapSet& mapSet() { return g_set; }

const TGridData* loadedGrid(int grid) {
    if (!g_set.loaded || grid < 0 || grid >= MAP_GRID_MAX || dbg_IsMapStopped())
        return nullptr;
    return &g_set.grids[grid];
}

} // namespace mapdata

using namespace mapdata;

int mp_LoadMapFiles() {
    mp_FreeAll();
    dbg_RestartMap();
    g_set.work.reset(new (std::nothrow) std::uint8_t[MP_WORK_BUF_SIZE]);
    g_set.grids.reset(new (std::nothrow) TGridData[MAP_GRID_MAX]);
    if (!g_set.work || !g_set.grids) {
        dbg_Print("mp_LoadMapFiles: no memory for the grids!\n");
        return failLoading();
    }
    for (const TSetFile& setFile : SET_FILES) {
        const char* name = fp_FileListTarget(setFile.entry);
        if (!*name) {
            if (setFile.optional)
                continue;
            dbg_Print("mp_LoadMapFiles: the file list names no '%s' file!\n", FL_LOGICAL_NAMES[setFile.entry]);
            return failLoading();
        }
        std::FILE* file = fp_Open(name, "rb");
        if (!file)
            return failLoading();
        const bool loaded = setFile.load(file);
        fp_Close(file);
        if (!loaded)
            return failLoading();
    }
    // Roads need their nodes ("RoadNode") for their boxes, so the boxes come last.
    for (int g = 0; g < MAP_GRID_MAX; ++g)
        buildRoadBoxes(g_set.grids[g]);
    g_set.loaded = true;
    return 0;
}

void mp_FreeAll() { g_set = TMapSet{}; }

bool mp_IsLoaded() { return g_set.loaded && !dbg_IsMapStopped(); }

} // namespace cartoframe
