#pragma once
// OpenStreetMap XML written by the tests.
//
// The town: a lattice of six east-west roads (路) and six north-south streets
// (街) with Traditional Chinese names, two alleys (巷, 弄), a motorway known
// only by its route number, a numbered trunk, service roads and a pedestrian
// street; a river drawn as a line and as a riverbank, a lake made of two ways
// (a multipolygon), a park, a railway above ground and one in a tunnel. It
// lies on the corner of four grids (longitude 121.5, latitude 25.0), so most
// of its shapes are cut at grid boundaries.

#include <string>

namespace cartoframe::test {

std::string testTownOsm();

// A city of streets x streets crossing roads spaced spacing degrees apart, each
// with a bend point between junctions: 2 * streets * (streets - 1) road pieces.
std::string latticeCityOsm(int streets, double spacing, double west, double south);

} // namespace cartoframe::test
