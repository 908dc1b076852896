#pragma once
// OpenStreetMap data as read from an .osm XML file: nodes with their
// positions, ways with their node lists, relations with their members, and
// the tags of ways and relations.

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace kyvo::mapforge {

using OsmId = std::int64_t;

struct Tags {
    std::vector<std::pair<std::string, std::string>> items;
    // The value of a key, "" when absent.
    std::string_view get(std::string_view key) const;
    bool has(std::string_view key, std::string_view value) const { return get(key) == value; }
};

struct OsmNode {
    double lat = 0;
    double lon = 0;
};

struct OsmWay {
    OsmId id = 0;
    std::vector<OsmId> nodes;
    Tags tags;
    bool closed() const { return nodes.size() >= 4 && nodes.front() == nodes.back(); }
};

struct OsmMember {
    std::string type; // "node", "way" or "relation"
    OsmId ref = 0;
    std::string role;
};

struct OsmRelation {
    OsmId id = 0;
    std::vector<OsmMember> members;
    Tags tags;
};

struct OsmData {
    std::unordered_map<OsmId, OsmNode> nodes;
    std::vector<OsmWay> ways;
    std::unordered_map<OsmId, std::size_t> wayIndex; // way id to position in ways
    std::vector<OsmRelation> relations;
    const OsmWay* findWay(OsmId id) const;
};

} // namespace kyvo::mapforge
