#pragma once
// The map features of an OpenStreetMap extract, in map units: water and
// land-use areas, line features, and roads cut at every junction.

#include "FeatureRules.h"
#include "MapGeometry.h"
#include "OsmData.h"

#include <vector>

namespace kyvo::mapforge {

enum class AreaKind { Water, LandUse };

struct AreaFeature {
    AreaKind kind = AreaKind::Water;
    Polyline ring; // open: the closing edge is implied
};

struct LineFeature {
    Polyline points;
};

struct RoadFeature {
    Polyline points;
    RoadStyle style;
};

struct Features {
    std::vector<AreaFeature> areas;
    std::vector<LineFeature> lines;
    std::vector<RoadFeature> roads;
};

// Closed ways and multipolygon relations (their outer rings; holes are not
// kept) become areas; a road way is cut at every node it shares with another
// road, and where the extract lacks one of its nodes.
Features extractFeatures(const OsmData& data);

// Joins ways (node id lists) end to end into closed rings; ways that close no
// ring are dropped.
std::vector<std::vector<OsmId>> assembleRings(std::vector<std::vector<OsmId>> ways);

} // namespace kyvo::mapforge
