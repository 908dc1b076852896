#pragma once
// Writes OpenStreetMap XML by hand: nodes, ways and relations with their tags,
// numbered from 1 in the order they are written. Used to make generated
// cities and the test towns of the map library's tests.

#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace kyvo::citygen {

struct OsmTag {
    const char* key;
    std::string value;
};

class OsmWriter {
public:
    OsmWriter();
    // Answers the new node's id.
    long node(double lon, double lat);
    long way(const std::vector<long>& nodes, const std::vector<OsmTag>& tags);
    void relation(const std::vector<std::pair<long, const char*>>& ways, const std::vector<OsmTag>& tags);
    // The whole document; the writer is done after it.
    std::string finish();

private:
    void writeTags(const std::vector<OsmTag>& tags);
    std::ostringstream out_;
    long nextId_ = 1;
};

} // namespace kyvo::citygen
