// Writes the fuzz seeds: kyvo_fuzz_seeds FOLDER [RECGEN]
#include "FuzzSeeds.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2 && argc != 3) {
        std::fputs("usage: kyvo_fuzz_seeds FOLDER [RECGEN]\n", stderr);
        return 2;
    }
    const std::string error = kyvo::fuzz::writeFuzzSeeds(argc == 3 ? argv[2] : KYVO_RECGEN_PATH, argv[1]);
    if (!error.empty()) {
        std::fprintf(stderr, "kyvo_fuzz_seeds: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
