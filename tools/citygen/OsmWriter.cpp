#include "OsmWriter.h"

#include <cstdio>

namespace kyvo::citygen {

OsmWriter::OsmWriter() {
    out_ << "<?xml version='1.0' encoding='UTF-8'?>\n<osm version=\"0.6\" generator=\"handmade\">\n";
}

long OsmWriter::node(double lon, double lat) {
    char text[160];
    std::snprintf(text, sizeof text, "  <node id=\"%ld\" lat=\"%.7f\" lon=\"%.7f\" version=\"1\"/>\n", nextId_, lat, lon);
    out_ << text;
    return nextId_++;
}

long OsmWriter::way(const std::vector<long>& nodes, const std::vector<OsmTag>& tags) {
    out_ << "  <way id=\"" << nextId_ << "\" version=\"1\">\n";
    for (long id : nodes)
        out_ << "    <nd ref=\"" << id << "\"/>\n";
    writeTags(tags);
    out_ << "  </way>\n";
    return nextId_++;
}

void OsmWriter::relation(const std::vector<std::pair<long, const char*>>& ways, const std::vector<OsmTag>& tags) {
    out_ << "  <relation id=\"" << nextId_++ << "\" version=\"1\">\n";
    for (const auto& [id, role] : ways)
        out_ << "    <member type=\"way\" ref=\"" << id << "\" role=\"" << role << "\"/>\n";
    writeTags(tags);
    out_ << "  </relation>\n";
}

std::string OsmWriter::finish() {
    out_ << "</osm>\n";
    return out_.str();
}

void OsmWriter::writeTags(const std::vector<OsmTag>& tags) {
    for (const OsmTag& tag : tags)
        out_ << "    <tag k=\"" << tag.key << "\" v=\"" << tag.value << "\"/>\n";
}

} // namespace kyvo::citygen
