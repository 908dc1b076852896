#include "FeatureRules.h"

#include "DrawTables.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>

namespace kyvo::mapforge {
namespace {

using namespace std::string_view_literals;

struct RoadRule {
    std::string_view highway;
    int roadClass;
    int lanes; // width factor A unless the way says how many lanes it has
};

constexpr RoadRule kRoadRules[] = {
    {"motorway"sv, 1, 4},      {"motorway_link"sv, 1, 1}, {"trunk"sv, 2, 3},          {"trunk_link"sv, 2, 1},
    {"primary"sv, 3, 3},       {"primary_link"sv, 3, 1},  {"secondary"sv, 4, 2},      {"secondary_link"sv, 4, 1},
    {"tertiary"sv, 4, 2},      {"tertiary_link"sv, 4, 1}, {"residential"sv, 4, 1},    {"unclassified"sv, 4, 1},
    {"living_street"sv, 5, 1}, {"road"sv, 5, 1},          {"service"sv, 6, 1},        {"track"sv, 7, 1},
    {"pedestrian"sv, 7, 1},
};

// Lanes a road of each class has when the way does not say.
constexpr int kClassLanes[cartoframe::DV_ROAD_CLASSES] = {1, 4, 3, 3, 2, 1, 1, 1};

constexpr std::string_view kAlleySuffixes[] = {"巷"sv, "弄"sv};

constexpr std::string_view kWaterAreas[][2] = {
    {"natural"sv, "water"sv}, {"waterway"sv, "riverbank"sv}, {"landuse"sv, "reservoir"sv}, {"landuse"sv, "basin"sv}};

struct WaterLine {
    std::string_view waterway;
    int width; // map units when the way gives none
};
constexpr WaterLine kWaterLines[] = {{"river"sv, 30}, {"canal"sv, 12}};

constexpr std::string_view kLandUse[][2] = {
    {"leisure"sv, "park"sv},       {"leisure"sv, "garden"sv},         {"leisure"sv, "pitch"sv},
    {"leisure"sv, "playground"sv}, {"leisure"sv, "nature_reserve"sv}, {"leisure"sv, "golf_course"sv},
    {"landuse"sv, "grass"sv},      {"landuse"sv, "forest"sv},         {"landuse"sv, "meadow"sv},
    {"landuse"sv, "recreation_ground"sv}, {"landuse"sv, "cemetery"sv}, {"landuse"sv, "village_green"sv},
    {"natural"sv, "wood"sv},       {"natural"sv, "scrub"sv},          {"natural"sv, "grassland"sv}};

constexpr std::string_view kRailways[] = {"rail"sv, "light_rail"sv, "narrow_gauge"sv, "monorail"sv, "tram"sv};

bool endsWith(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

bool matchesAny(const Tags& tags, const std::string_view (*pairs)[2], std::size_t count) {
    for (std::size_t i = 0; i < count; ++i)
        if (tags.has(pairs[i][0], pairs[i][1]))
            return true;
    return false;
}

int direction(const Tags& tags, std::string_view highway) {
    const std::string_view oneway = tags.get("oneway");
    if (tags.has("junction", "roundabout"))
        return kRoundabout;
    if (oneway == "-1")
        return kOneWayReversed;
    if (oneway == "yes" || oneway == "1" || oneway == "true")
        return kOneWay;
    if (oneway.empty() && (highway == "motorway" || highway == "motorway_link"))
        return kOneWay;
    return kTwoWay;
}

} // namespace

std::optional<RoadStyle> roadStyle(const Tags& tags) {
    const std::string_view highway = tags.get("highway");
    const auto rule = std::find_if(std::begin(kRoadRules), std::end(kRoadRules),
                                   [&](const RoadRule& r) { return r.highway == highway; });
    if (rule == std::end(kRoadRules) || tags.has("area", "yes"))
        return std::nullopt;
    RoadStyle style;
    style.roadClass = rule->roadClass;
    style.attribute = direction(tags, highway);
    int lanes = rule->lanes;
    if (const int tagged = std::atoi(std::string(tags.get("lanes")).c_str()); tagged > 0)
        lanes = tagged;

    style.name = tags.get("name");
    if (style.name.empty()) {
        const std::string_view ref = tags.get("ref");
        style.name = ref.substr(0, ref.find(';'));
    }
    const bool alley = tags.has("service", "alley") ||
                       std::any_of(std::begin(kAlleySuffixes), std::end(kAlleySuffixes),
                                   [&](std::string_view suffix) { return endsWith(style.name, suffix); });
    if (alley)
        style.roadClass = kAlleyClass;
    const WidthFactors factors = widthFactors(style.roadClass, lanes);
    style.factorA = factors.factorA;
    style.factorB = factors.factorB;
    if (!style.name.empty() && style.name[0] >= '0' && style.name[0] <= '9')
        style.labelMode = kLabelRouteNumber;
    else if (highway == "pedestrian" || highway == "living_street")
        style.labelMode = kLabelCentred;
    return style;
}

int minimumWidthProduct(int roadClass) {
    // The step whose scale value is the last one that draws from the factors.
    int step = 0;
    while (step + 1 < cartoframe::DV_SCALE_STEPS && cartoframe::DV_SCALE_TABLE[step] < cartoframe::DV_FACTOR_SCALE_MAX)
        ++step;
    const int width = cartoframe::dv_TableWidth(step, roadClass);
    const int perWidth = cartoframe::DV_FACTOR_WIDTH_NUMERATOR;
    return std::max(1, (width * cartoframe::DV_SCALE_TABLE[step] + perWidth - 1) / perWidth);
}

WidthFactors widthFactors(int roadClass, int lanes) {
    const auto ceilDiv = [](int a, int b) { return (a + b - 1) / b; };
    const int product = minimumWidthProduct(roadClass);
    const int classLanes = roadClass >= 0 && roadClass < cartoframe::DV_ROAD_CLASSES ? kClassLanes[roadClass] : 1;
    WidthFactors factors;
    factors.factorA = std::clamp(lanes, 1, kMaxWidthFactorA);
    // A lane is as wide as a lane of a road of the class with its usual lanes;
    // a road with fewer lanes gets wider lanes so it never drops below the
    // product. Factor B has four bits: when it would need more, A grows.
    factors.factorB = std::max(ceilDiv(product, classLanes), ceilDiv(product, factors.factorA));
    if (factors.factorB > kMaxWidthFactorB) {
        factors.factorB = kMaxWidthFactorB;
        factors.factorA = std::max(factors.factorA, ceilDiv(product, kMaxWidthFactorB));
    }
    return factors;
}

bool isWaterArea(const Tags& tags) { return matchesAny(tags, kWaterAreas, std::size(kWaterAreas)); }

int waterLineWidth(const Tags& tags) {
    const std::string_view waterway = tags.get("waterway");
    for (const WaterLine& line : kWaterLines) {
        if (waterway != line.waterway)
            continue;
        const int width = std::atoi(std::string(tags.get("width")).c_str());
        return width > 0 ? width : line.width; // a metre is about one map unit
    }
    return 0;
}

bool isLandUse(const Tags& tags) { return matchesAny(tags, kLandUse, std::size(kLandUse)); }

bool isRailway(const Tags& tags) {
    const std::string_view railway = tags.get("railway");
    return !tags.has("tunnel", "yes") &&
           std::find(std::begin(kRailways), std::end(kRailways), railway) != std::end(kRailways);
}

} // namespace kyvo::mapforge
