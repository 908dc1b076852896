// jpegstill: writes a 24-bit BMP or binary PPM picture as a baseline JPEG file
// with the viewer's still writer (fixed tables, no chroma subsampling).
//
//   jpegstill INPUT OUTPUT
// Exit code 0 when the file was written, 1 when the input could not be read or
// the output not written, 2 for a wrong command line.

#include "Convert.h"

#include <cstdio>
#include <string>

namespace {
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;
} // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::string(argv[1]) == "--help") {
        std::puts("Usage: jpegstill INPUT.bmp|INPUT.ppm OUTPUT.jpg");
        return 0;
    }
    if (argc != 3) {
        std::fputs("Usage: jpegstill INPUT.bmp|INPUT.ppm OUTPUT.jpg\n", stderr);
        return kExitUsage;
    }
    const std::string error = kyvo::jpegstill::convertFile(argv[1], argv[2]);
    if (!error.empty()) {
        std::fprintf(stderr, "jpegstill: %s\n", error.c_str());
        return kExitFailure;
    }
    return 0;
}
