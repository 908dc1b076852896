#include "OsmReader.h"

#include <expat.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>

namespace kyvo::mapforge {

std::string_view Tags::get(std::string_view key) const {
    for (const auto& [k, v] : items)
        if (k == key)
            return v;
    return {};
}

const OsmWay* OsmData::findWay(OsmId id) const {
    const auto found = wayIndex.find(id);
    return found == wayIndex.end() ? nullptr : &ways[found->second];
}

namespace {

constexpr std::size_t kChunkSize = 1 << 16;

// What the parser is inside of; tags and members attach to it.
enum class Element { None, Way, Relation };

struct ParseState {
    OsmData* data = nullptr;
    Element open = Element::None;
    OsmWay way;
    OsmRelation relation;
};

const char* attribute(const XML_Char** attributes, const char* name) {
    for (int i = 0; attributes[i]; i += 2)
        if (std::strcmp(attributes[i], name) == 0)
            return attributes[i + 1];
    return nullptr;
}

OsmId idOf(const XML_Char** attributes, const char* name) {
    const char* text = attribute(attributes, name);
    return text ? std::strtoll(text, nullptr, 10) : 0;
}

Tags* openTags(ParseState& state) {
    switch (state.open) {
    case Element::Way:
        return &state.way.tags;
    case Element::Relation:
        return &state.relation.tags;
    case Element::None:
        break;
    }
    return nullptr;
}

void XMLCALL startElement(void* user, const XML_Char* name, const XML_Char** attributes) {
    auto& state = *static_cast<ParseState*>(user);
    if (std::strcmp(name, "node") == 0) {
        const char* lat = attribute(attributes, "lat");
        const char* lon = attribute(attributes, "lon");
        if (lat && lon)
            state.data->nodes[idOf(attributes, "id")] = {std::strtod(lat, nullptr), std::strtod(lon, nullptr)};
    } else if (std::strcmp(name, "way") == 0) {
        state.open = Element::Way;
        state.way = OsmWay{idOf(attributes, "id"), {}, {}};
    } else if (std::strcmp(name, "relation") == 0) {
        state.open = Element::Relation;
        state.relation = OsmRelation{idOf(attributes, "id"), {}, {}};
    } else if (std::strcmp(name, "nd") == 0 && state.open == Element::Way) {
        state.way.nodes.push_back(idOf(attributes, "ref"));
    } else if (std::strcmp(name, "member") == 0 && state.open == Element::Relation) {
        const char* type = attribute(attributes, "type");
        const char* role = attribute(attributes, "role");
        state.relation.members.push_back({type ? type : "", idOf(attributes, "ref"), role ? role : ""});
    } else if (std::strcmp(name, "tag") == 0) {
        const char* key = attribute(attributes, "k");
        const char* value = attribute(attributes, "v");
        if (Tags* tags = openTags(state); tags && key && value)
            tags->items.emplace_back(key, value);
    }
}

void XMLCALL endElement(void* user, const XML_Char* name) {
    auto& state = *static_cast<ParseState*>(user);
    if (std::strcmp(name, "way") == 0 && state.open == Element::Way) {
        state.data->wayIndex[state.way.id] = state.data->ways.size();
        state.data->ways.push_back(std::move(state.way));
        state.open = Element::None;
    } else if (std::strcmp(name, "relation") == 0 && state.open == Element::Relation) {
        state.data->relations.push_back(std::move(state.relation));
        state.open = Element::None;
    }
}

struct ParserDeleter {
    void operator()(XML_Parser parser) const { XML_ParserFree(parser); }
};
using ParserPtr = std::unique_ptr<std::remove_pointer_t<XML_Parser>, ParserDeleter>;

class OsmParser {
public:
    explicit OsmParser(OsmData& data) : parser_(XML_ParserCreate("UTF-8")) {
        state_.data = &data;
        XML_SetUserData(parser_.get(), &state_);
        XML_SetElementHandler(parser_.get(), startElement, endElement);
    }
    bool feed(const char* bytes, std::size_t size, bool last, std::string& error) {
        if (XML_Parse(parser_.get(), bytes, static_cast<int>(size), last) != XML_STATUS_ERROR)
            return true;
        error = "OpenStreetMap XML, line " + std::to_string(XML_GetCurrentLineNumber(parser_.get())) + ": " +
                XML_ErrorString(XML_GetErrorCode(parser_.get()));
        return false;
    }

private:
    ParserPtr parser_;
    ParseState state_;
};

} // namespace

bool readOsmText(std::string_view xml, OsmData& data, std::string& error) {
    OsmParser parser(data);
    std::size_t at = 0;
    do {
        const std::size_t size = std::min(kChunkSize, xml.size() - at);
        if (!parser.feed(xml.data() + at, size, at + size == xml.size(), error))
            return false;
        at += size;
    } while (at < xml.size());
    return true;
}

bool readOsmFile(const std::filesystem::path& path, OsmData& data, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot open " + path.string();
        return false;
    }
    OsmParser parser(data);
    std::vector<char> buffer(kChunkSize);
    while (true) {
        in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
        const auto got = static_cast<std::size_t>(in.gcount());
        const bool last = got < buffer.size();
        if (!parser.feed(buffer.data(), got, last, error))
            return false;
        if (last)
            return true;
    }
}

} // namespace kyvo::mapforge
