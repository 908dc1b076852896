// citygen: writes a generated city as OpenStreetMap XML, for mapforge.
#include "CityOsm.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

namespace {

int usage() {
    std::fputs("usage: citygen [--centre LAT LON] [--streets N] [--spacing DEGREES] OUTPUT.osm\n"
               "Writes a city of N x N named streets (default 24, 0.002 degrees apart) around the centre\n"
               "(default 25.0583 121.5640, where the sample recordings drive) with alleys, a motorway,\n"
               "a river, a lake, parks and a railway.\n",
               stderr);
    return 2;
}

bool number(const char* text, double* value) {
    char* end = nullptr;
    *value = std::strtod(text, &end);
    return end != text && *end == '\0';
}

} // namespace

int main(int argc, char** argv) {
    kyvo::citygen::CityParams params;
    const char* output = nullptr;
    for (int i = 1; i < argc; ++i) {
        double value = 0;
        if (!std::strcmp(argv[i], "--centre") && i + 2 < argc) {
            double lon = 0;
            if (!number(argv[i + 1], &value) || !number(argv[i + 2], &lon) || value < -85 || value > 85 || lon < -180 ||
                lon > 180)
                return usage();
            params.centreLatitude = value;
            params.centreLongitude = lon;
            i += 2;
        } else if (!std::strcmp(argv[i], "--streets") && i + 1 < argc) {
            if (!number(argv[++i], &value) || value < 2 || value > 400)
                return usage();
            params.streets = static_cast<int>(value);
        } else if (!std::strcmp(argv[i], "--spacing") && i + 1 < argc) {
            if (!number(argv[++i], &value) || !(value > 0.0001) || value > 0.1)
                return usage();
            params.spacing = value;
        } else if (argv[i][0] != '-' && !output) {
            output = argv[i];
        } else {
            return usage();
        }
    }
    if (!output)
        return usage();
    std::ofstream out(output, std::ios::binary);
    out << kyvo::citygen::generatedCityOsm(params);
    out.close();
    if (!out) {
        std::fprintf(stderr, "citygen: cannot write %s\n", output);
        return 1;
    }
    return 0;
}
