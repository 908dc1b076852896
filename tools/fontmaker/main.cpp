// fontmaker: the map library's bitmap fonts MingTi12, MingTi14 and MingTi15
// ("<face>.0" single-byte, "<face>.1" Big5 two-byte) from an outline font.
//
//     fontmaker --font FILE [--face FAMILY] --out DIR [--quiet]
#include "FontMaker.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr int kExitUsage = 2;
constexpr const char* kDefaultFamily = "AR PL UMing TW";

void usage() {
    std::fputs("usage: fontmaker --font FILE [--face FAMILY] --out DIR [--quiet]\n"
               "  Writes the map fonts MingTi12, MingTi14 and MingTi15 (.0 single-byte, .1 Big5) into DIR,\n"
               "  made from the face FAMILY (default \"AR PL UMing TW\") of the font file or collection FILE.\n"
               "  --quiet  print nothing but errors\n",
               stderr);
}

} // namespace

int main(int argc, char** argv) {
    using namespace kyvo::fontmaker;
    std::string fontPath, family = kDefaultFamily, outFolder;
    bool quiet = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--font" && i + 1 < argc) {
            fontPath = argv[++i];
        } else if (arg == "--face" && i + 1 < argc) {
            family = argv[++i];
        } else if (arg == "--out" && i + 1 < argc) {
            outFolder = argv[++i];
        } else if (arg == "--quiet") {
            quiet = true;
        } else if (arg == "--help" || arg == "-h") {
            usage();
            return 0;
        } else {
            usage();
            return kExitUsage;
        }
    }
    if (fontPath.empty() || outFolder.empty()) {
        usage();
        return kExitUsage;
    }

    std::string error;
    GlyphRasteriser rasteriser;
    Cp950Decoder big5;
    if (!rasteriser.open(fontPath, family, error)) {
        std::fprintf(stderr, "fontmaker: %s\n", error.c_str());
        return EXIT_FAILURE;
    }
    for (const MapFace& wanted : kMapFaces) {
        MadeFace face;
        if (!makeFace(rasteriser, big5, wanted.pixelSize, face, error) ||
            !writeFace(outFolder, wanted.name, face, error)) {
            std::fprintf(stderr, "fontmaker: %s: %s\n", wanted.name, error.c_str());
            return EXIT_FAILURE;
        }
        if (!quiet)
            std::fputs(describeFace(wanted.name, face).c_str(), stdout);
    }
    return EXIT_SUCCESS;
}
