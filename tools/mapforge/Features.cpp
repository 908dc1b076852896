#include "Features.h"

#include <algorithm>
#include <unordered_map>

namespace kyvo::mapforge {
namespace {

constexpr std::size_t kMinRingNodes = 4; // three corners and the closing node

// The points of a node list; false when the extract lacks one of the nodes.
bool pointsOf(const OsmData& data, const std::vector<OsmId>& ids, Polyline& out) {
    out.clear();
    for (OsmId id : ids) {
        const auto node = data.nodes.find(id);
        if (node == data.nodes.end())
            return false;
        out.push_back(toMapUnits(node->second.lon, node->second.lat));
    }
    return true;
}

void addArea(Features& features, AreaKind kind, const OsmData& data, const std::vector<OsmId>& ring) {
    Polyline points;
    if (ring.size() < kMinRingNodes || !pointsOf(data, ring, points))
        return;
    points = withoutRepeats(points, true);
    if (points.size() >= 3)
        features.areas.push_back({kind, std::move(points)});
}

std::optional<AreaKind> areaKind(const Tags& tags) {
    if (isWaterArea(tags))
        return AreaKind::Water;
    if (isLandUse(tags))
        return AreaKind::LandUse;
    return std::nullopt;
}

// How many times each node appears in the road ways.
std::unordered_map<OsmId, int> roadNodeUse(const OsmData& data) {
    std::unordered_map<OsmId, int> use;
    for (const OsmWay& way : data.ways)
        if (roadStyle(way.tags))
            for (OsmId id : way.nodes)
                ++use[id];
    return use;
}

void addRoad(Features& features, const OsmData& data, const std::unordered_map<OsmId, int>& use, const OsmWay& way,
             const RoadStyle& style) {
    Polyline piece;
    const auto finishPiece = [&] {
        Polyline points = withoutRepeats(piece, false);
        if (points.size() >= 2)
            features.roads.push_back({std::move(points), style});
        piece.clear();
    };
    for (std::size_t i = 0; i < way.nodes.size(); ++i) {
        const auto node = data.nodes.find(way.nodes[i]);
        if (node == data.nodes.end()) {
            finishPiece();
            continue;
        }
        piece.push_back(toMapUnits(node->second.lon, node->second.lat));
        const bool junction = use.at(way.nodes[i]) > 1;
        if (junction && i > 0 && i + 1 < way.nodes.size()) {
            const Point shared = piece.back();
            finishPiece();
            piece.push_back(shared);
        }
    }
    finishPiece();
}

} // namespace

std::vector<std::vector<OsmId>> assembleRings(std::vector<std::vector<OsmId>> ways) {
    std::vector<std::vector<OsmId>> rings;
    std::vector<bool> used(ways.size(), false);
    for (std::size_t start = 0; start < ways.size(); ++start) {
        if (used[start] || ways[start].empty())
            continue;
        used[start] = true;
        std::vector<OsmId> ring = ways[start];
        bool grew = true;
        while (ring.front() != ring.back() && grew) {
            grew = false;
            for (std::size_t i = 0; i < ways.size() && !grew; ++i) {
                if (used[i] || ways[i].empty())
                    continue;
                std::vector<OsmId> next = ways[i];
                if (next.back() == ring.back())
                    std::reverse(next.begin(), next.end());
                if (next.front() != ring.back())
                    continue;
                ring.insert(ring.end(), next.begin() + 1, next.end());
                used[i] = true;
                grew = true;
            }
        }
        if (ring.size() >= kMinRingNodes && ring.front() == ring.back())
            rings.push_back(std::move(ring));
    }
    return rings;
}

Features extractFeatures(const OsmData& data) {
    Features features;
    const auto use = roadNodeUse(data);
    for (const OsmWay& way : data.ways) {
        if (const auto style = roadStyle(way.tags)) {
            addRoad(features, data, use, way, *style);
            continue;
        }
        if (const auto kind = areaKind(way.tags); kind && way.closed()) {
            addArea(features, *kind, data, way.nodes);
            continue;
        }
        Polyline points;
        if (!pointsOf(data, way.nodes, points))
            continue;
        if (const int width = waterLineWidth(way.tags); width > 0 && points.size() >= 2) {
            Polyline strip = stripAround(withoutRepeats(points, false), width);
            if (strip.size() >= 3)
                features.areas.push_back({AreaKind::Water, std::move(strip)});
        } else if (isRailway(way.tags) && points.size() >= 2) {
            features.lines.push_back({withoutRepeats(points, false)});
        }
    }
    for (const OsmRelation& relation : data.relations) {
        const auto kind = areaKind(relation.tags);
        if (!kind || !relation.tags.has("type", "multipolygon"))
            continue;
        std::vector<std::vector<OsmId>> outers;
        for (const OsmMember& member : relation.members)
            if (member.type == "way" && (member.role == "outer" || member.role.empty()))
                if (const OsmWay* way = data.findWay(member.ref))
                    outers.push_back(way->nodes);
        for (const auto& ring : assembleRings(std::move(outers)))
            addArea(features, *kind, data, ring);
    }
    return features;
}

} // namespace kyvo::mapforge
