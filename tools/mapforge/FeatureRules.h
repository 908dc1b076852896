#pragma once
// Which OpenStreetMap objects go into the map, and with what attributes.
//
// Roads come from highway=*, their class from the highway value:
//   1 motorway, 2 trunk, 3 primary, 4 secondary, tertiary, residential and
//   unclassified streets, 5 living streets and roads of unknown kind,
//   6 service roads, 7 tracks and pedestrian streets, 0 alleys (service=alley,
//   or a street whose name ends in 巷 or 弄, as alleys are named in Taiwan).
// Water areas: natural=water, waterway=riverbank, landuse=reservoir|basin,
// and rivers and canals drawn as lines, widened into strips.
// Land use: parks, gardens, grass, woods and the like.
// Line features: railways above ground.

#include "OsmData.h"

#include <optional>
#include <string>

namespace kyvo::mapforge {

// How a road's name is placed.
inline constexpr int kLabelAlong = 0;       // laid along the road
inline constexpr int kLabelRouteNumber = 1; // a route number, drawn plainly
inline constexpr int kLabelCentred = 2;     // one centred label

// The two-bit road attribute: direction of travel.
inline constexpr int kTwoWay = 0;
inline constexpr int kOneWay = 1;
inline constexpr int kOneWayReversed = 2;
inline constexpr int kRoundabout = 3;

inline constexpr int kAlleyClass = 0;
inline constexpr int kMaxWidthFactorA = 7;  // three bits
inline constexpr int kMaxWidthFactorB = 15; // four bits

struct RoadStyle {
    int roadClass = 0;
    int attribute = kTwoWay;
    int labelMode = kLabelAlong;
    int factorA = 1; // lanes
    int factorB = 1; // width per lane
    std::string name; // UTF-8; the route number when the road has no name
};

// The two width factors of a road. The map library draws a road
// factorA * factorB * 35 / scale value pixels wide at the finest scale values
// (up to 100 map units per 37 pixels) and from its width table beyond. The
// product is chosen so that at scale value 100 the formula gives at least the
// table's width there, so a road never gets wider when the user zooms out.
// Factor A is the number of lanes (at most 7), factor B the width of a lane.
struct WidthFactors {
    int factorA = 1;
    int factorB = 1;
};
// The least product of the factors for a class.
int minimumWidthProduct(int roadClass);
WidthFactors widthFactors(int roadClass, int lanes);

// The style of a highway way, or nothing for ways that are not roads.
std::optional<RoadStyle> roadStyle(const Tags& tags);
bool isWaterArea(const Tags& tags);
// Width in map units of a river or canal drawn as a line; 0 for other ways.
int waterLineWidth(const Tags& tags);
bool isLandUse(const Tags& tags);
bool isRailway(const Tags& tags);

} // namespace kyvo::mapforge
