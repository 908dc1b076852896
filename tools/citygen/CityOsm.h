#pragma once
// A generated city as OpenStreetMap XML, for the map demo and the drawing
// benchmark: a square lattice of named streets of every road class with a
// bend between junctions, alleys and service roads inside the blocks, a
// motorway across the city, a river, a lake, parks and a railway.

#include <string>

namespace kyvo::citygen {

struct CityParams {
    double centreLongitude = 121.5640;
    double centreLatitude = 25.0583;
    int streets = 24;       // streets each way
    double spacing = 0.002; // degrees between neighbouring streets
};

std::string generatedCityOsm(const CityParams& params);

} // namespace kyvo::citygen
