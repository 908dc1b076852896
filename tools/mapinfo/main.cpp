// mapinfo: loads a map data set through the map library and prints what it
// holds, for debugging data sets and checking what mapforge wrote.
//
//     mapinfo [--grids] [--names N] FOLDER
#include "FileList.h"
#include "FileProcess.h"
#include "MapProcess.h"
#include "MapSummary.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr int kExitUsage = 2;
constexpr int kDefaultNameSample = 10;

void usage() {
    std::fputs("usage: mapinfo [--grids] [--names N] FOLDER\n"
               "  Loads the map data set that FOLDER/FileList.cfg names and prints its grids, objects per layer,\n"
               "  road classes, nodes and a sample of road names. The library's diagnostics go to standard error.\n"
               "  --grids    a line for every grid\n"
               "  --names N  how many road names to show (default 10)\n",
               stderr);
}

bool parseCount(const char* text, int& value) {
    char* end = nullptr;
    const long parsed = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || parsed < 0 || parsed > 1000000)
        return false;
    value = static_cast<int>(parsed);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    using namespace cartoframe;
    kyvo::mapinfo::FormatOptions options;
    int nameSample = kDefaultNameSample;
    std::string folder;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--grids") {
            options.perGrid = true;
        } else if (arg == "--names" && i + 1 < argc) {
            if (!parseCount(argv[++i], nameSample)) {
                usage();
                return kExitUsage;
            }
        } else if (arg == "--help" || arg == "-h") {
            usage();
            return 0;
        } else if (arg.empty() || arg[0] == '-' || !folder.empty()) {
            usage();
            return kExitUsage;
        } else {
            folder = arg;
        }
    }
    if (folder.empty()) {
        usage();
        return kExitUsage;
    }
    if (fp_Setup(folder.c_str()) != 0) {
        std::fprintf(stderr, "mapinfo: cannot use the folder %s\n", folder.c_str());
        return EXIT_FAILURE;
    }
    if (fp_ReadFileList() != 0 || mp_LoadMapFiles() != 0) {
        std::fprintf(stderr, "mapinfo: no map data set could be loaded from %s\n", folder.c_str());
        fp_Teardown();
        return EXIT_FAILURE;
    }
    const auto summary = kyvo::mapinfo::collectMapSummary(nameSample);
    std::fputs(kyvo::mapinfo::formatMapSummary(summary, options).c_str(), stdout);
    mp_FreeAll();
    fp_Teardown();
    return EXIT_SUCCESS;
}
