// mapforge: a map data set for the map library from OpenStreetMap XML.
//
//     mapforge [--block-size N] [--plain-map] [--pack-all] [--fonts DIR] [--quiet] INPUT.osm FOLDER
#include "Forge.h"
#include "MapFonts.h"
#include "OsmReader.h"
#include "ProgramFolders.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr int kExitUsage = 2;

// The map fonts made by the build; an installed mapforge has them in its data folder.
std::string defaultFontFolder() {
    const auto& folders = kyvo::programFolders();
    return folders.installed ? (folders.data / "mapfonts").string() : std::string(KYVO_MAPFONTS_DIR);
}

void usage() {
    std::fprintf(stderr,
                 "usage: mapforge [--block-size N] [--plain-map] [--pack-all] [--fonts DIR] [--quiet] INPUT.osm FOLDER\n"
                 "  Writes MAP.DAT (packed), ROADNAME.DAT, ROADNODE.DAT, RSPEED.IDX and FileList.cfg into FOLDER,\n"
                 "  and copies the map fonts (MingTi12/14/15 .0 and .1, MingTi.LICENSE) beside them.\n"
                 "  --block-size N  unpacked bytes per packed block (1..49152, default 32768)\n"
                 "  --plain-map     write MAP.DAT unpacked\n"
                 "  --pack-all      pack every file of the set\n"
                 "  --fonts DIR     folder of the map fonts (default: %s)\n"
                 "  --quiet         print nothing but errors\n",
                 defaultFontFolder().c_str());
}

} // namespace

int main(int argc, char** argv) {
    using namespace kyvo::mapforge;
    WriteOptions options;
    bool quiet = false;
    std::string fontFolder = defaultFontFolder();
    std::vector<std::string> paths;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--block-size" && i + 1 < argc) {
            options.blockSize = std::atoi(argv[++i]);
        } else if (arg == "--plain-map") {
            options.packMap = false;
        } else if (arg == "--pack-all") {
            options.packAll = true;
        } else if (arg == "--fonts" && i + 1 < argc) {
            fontFolder = argv[++i];
        } else if (arg == "--quiet") {
            quiet = true;
        } else if (arg == "--help" || arg == "-h") {
            usage();
            return 0;
        } else if (!arg.empty() && arg[0] == '-') {
            usage();
            return kExitUsage;
        } else {
            paths.push_back(arg);
        }
    }
    if (paths.size() != 2) {
        usage();
        return kExitUsage;
    }
    OsmData data;
    std::string error;
    if (!readOsmFile(paths[0], data, error)) {
        std::fprintf(stderr, "mapforge: %s\n", error.c_str());
        return EXIT_FAILURE;
    }
    const ForgeResult result = forgeDataSet(data, paths[1], options);
    if (!result.ok) {
        std::fprintf(stderr, "mapforge: %s\n", result.error.c_str());
        return EXIT_FAILURE;
    }
    // Missing fonts do not stop the data set: they can be copied in later
    // (the map library needs them before it draws).
    const FontCopyResult fonts = copyMapFonts(fontFolder, paths[1]);
    if (!fonts.ok()) {
        std::fprintf(stderr, "mapforge: %s\n", fonts.error.c_str());
        return EXIT_FAILURE;
    }
    if (!fonts.missing.empty()) {
        std::string names;
        for (const std::string& name : fonts.missing)
            names += " " + name;
        std::fprintf(stderr, "mapforge: map fonts missing in %s:%s; the map is written without them\n",
                     fontFolder.c_str(), names.c_str());
    }
    if (!quiet)
        std::fputs(describeDataSet(result.model).c_str(), stdout);
    return EXIT_SUCCESS;
}
