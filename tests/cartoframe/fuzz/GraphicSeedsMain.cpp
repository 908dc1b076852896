// Writes the graphic fuzz seeds into a folder: cartoframe_graphic_fuzz_seeds FOLDER
#include "GraphicFuzzSeeds.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: cartoframe_graphic_fuzz_seeds FOLDER\n", stderr);
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    int n = 0;
    for (const auto& seed : cartoframe::fuzz::makeGraphicSeeds()) {
        std::ofstream out(folder / ("seed-" + std::to_string(n++)), std::ios::binary);
        out.write(reinterpret_cast<const char*>(seed.data()), static_cast<std::streamsize>(seed.size()));
    }
    return 0;
}
