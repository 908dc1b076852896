#include "CityOsm.h"

#include "OsmWriter.h"

#include <cmath>
#include <vector>

namespace kyvo::citygen {
namespace {

// Street names are Traditional Chinese, as the map fonts draw them; every
// street gets its own name through the section number.
const char* const kRoadNames[] = {"中山", "民生", "復興", "忠孝", "仁愛", "信義", "和平", "光復", "建國", "敦化",
                                  "南京", "長安", "民權", "民族", "承德", "重慶", "延平", "環河", "基隆", "松江"};
const char* const kStreetNames[] = {"成功", "永康", "富錦", "青田", "麗水", "金華", "新生", "杭州", "林森", "濟南",
                                    "潮州", "泰順", "師大", "龍泉", "浦城", "牯嶺", "寧波", "南昌", "廈門", "同安"};
const char* const kSections[] = {"一", "二", "三", "四", "五", "六", "七", "八", "九", "十"};
constexpr int kNameCount = static_cast<int>(std::size(kRoadNames));
constexpr int kSectionCount = static_cast<int>(std::size(kSections));

std::string streetName(bool eastWest, int line) {
    std::string name = eastWest ? kRoadNames[line % kNameCount] : kStreetNames[line % kNameCount];
    name += eastWest ? "路" : "街";
    const int section = line / kNameCount;
    if (section < kSectionCount)
        name += std::string(kSections[section]) + "段";
    else
        name += std::to_string(section + 1) + "段";
    return name;
}

const char* streetKind(int line) {
    if (line % 24 == 12)
        return "trunk";
    if (line % 12 == 0)
        return "primary";
    if (line % 4 == 0)
        return "secondary";
    if (line % 2 == 0)
        return "tertiary";
    return "residential";
}

class City {
public:
    explicit City(const CityParams& p) : p_(p) {
        west_ = p.centreLongitude - (p.streets - 1) * p.spacing / 2;
        south_ = p.centreLatitude - (p.streets - 1) * p.spacing / 2;
        junction_.resize(static_cast<std::size_t>(p.streets) * p.streets);
        for (int row = 0; row < p.streets; ++row)
            for (int column = 0; column < p.streets; ++column)
                junction_[index(row, column)] = osm_.node(lon(column), lat(row));
    }

    std::string build() {
        for (int line = 0; line < p_.streets; ++line) {
            street(true, line);
            street(false, line);
        }
        blocks();
        motorway();
        water();
        railway();
        return osm_.finish();
    }

private:
    double lon(double column) const { return west_ + column * p_.spacing; }
    double lat(double row) const { return south_ + row * p_.spacing; }
    std::size_t index(int row, int column) const { return static_cast<std::size_t>(row) * p_.streets + column; }

    void street(bool eastWest, int line) {
        std::vector<long> nodes;
        for (int i = 0; i < p_.streets; ++i) {
            const int row = eastWest ? line : i;
            const int column = eastWest ? i : line;
            nodes.push_back(junction_[index(row, column)]);
            if (i + 1 < p_.streets) {
                const double bend = p_.spacing * 0.08;
                nodes.push_back(eastWest ? osm_.node(lon(i + 0.5), lat(line) + bend)
                                         : osm_.node(lon(line) + bend, lat(i + 0.5)));
            }
        }
        std::vector<OsmTag> tags{{"highway", streetKind(line)}, {"name", streetName(eastWest, line)}};
        if (eastWest && line % 12 == 6)
            tags.push_back({"oneway", "yes"});
        osm_.way(nodes, tags);
    }

    // Alleys, service roads, lanes and parks inside the blocks.
    void blocks() {
        for (int row = 0; row + 1 < p_.streets; ++row) {
            for (int column = 0; column + 1 < p_.streets; ++column) {
                const long corner = junction_[index(row, column)];
                const int pattern = (row * 7 + column * 3) % 23;
                if (pattern == 0) {
                    park(row, column);
                    continue;
                }
                if ((row + column) % 3 == 0) {
                    const std::string name = streetName(true, row) + std::to_string(column % 40 + 1) + "巷";
                    osm_.way({corner, osm_.node(lon(column + 0.35), lat(row + 0.4))},
                             {{"highway", "residential"}, {"name", name}});
                }
                if ((row + column) % 7 == 1)
                    osm_.way({junction_[index(row + 1, column + 1)], osm_.node(lon(column + 0.7), lat(row + 0.65))},
                             {{"highway", "service"}});
                if ((row * 5 + column) % 11 == 2)
                    osm_.way({osm_.node(lon(column + 0.2), lat(row + 0.8)), osm_.node(lon(column + 0.8), lat(row + 0.8))},
                             {{"highway", row % 2 ? "living_street" : "track"}});
            }
        }
    }

    void park(int row, int column) {
        std::vector<long> ring{osm_.node(lon(column + 0.15), lat(row + 0.15)), osm_.node(lon(column + 0.85), lat(row + 0.15)),
                               osm_.node(lon(column + 0.85), lat(row + 0.85)), osm_.node(lon(column + 0.15), lat(row + 0.85))};
        ring.push_back(ring.front());
        osm_.way(ring, {{"leisure", "park"}});
    }

    // A motorway known by its route number, from the south-west corner to the
    // north-east one, with a few bends.
    void motorway() {
        std::vector<long> nodes;
        const int last = p_.streets - 1;
        for (int i = 0; i <= 8; ++i) {
            const double t = i / 8.0;
            nodes.push_back(osm_.node(lon(last * t + 0.3), lat(last * t + (i % 2 ? 0.6 : 0.2))));
        }
        osm_.way(nodes, {{"highway", "motorway"}, {"ref", "1"}});
    }

    // A river winding from west to east through the middle rows, and a lake.
    void water() {
        std::vector<long> river;
        const int last = p_.streets - 1;
        for (int i = 0; i <= 2 * last; ++i)
            river.push_back(osm_.node(lon(i * 0.5), lat(last * 0.3 + std::sin(i * 0.7) * 0.3 + 0.5)));
        osm_.way(river, {{"waterway", "river"}, {"name", "新店溪"}, {"width", "60"}});

        const double cx = last * 0.7 + 0.5;
        const double cy = last * 0.7 + 0.5;
        std::vector<long> shore;
        for (int i = 0; i < 16; ++i) {
            const double a = i * 2 * 3.14159265358979 / 16;
            shore.push_back(osm_.node(lon(cx + 0.35 * std::cos(a)), lat(cy + 0.3 * std::sin(a))));
        }
        shore.push_back(shore.front());
        osm_.way(shore, {{"natural", "water"}});
    }

    void railway() {
        std::vector<long> rail;
        const int last = p_.streets - 1;
        for (int i = 0; i <= last; ++i)
            rail.push_back(osm_.node(lon(i), lat(last * 0.55 + 0.5 + 0.05 * (i % 3))));
        osm_.way(rail, {{"railway", "rail"}, {"name", "縱貫線"}});
    }

    CityParams p_;
    OsmWriter osm_;
    double west_ = 0;
    double south_ = 0;
    std::vector<long> junction_;
};

} // namespace

std::string generatedCityOsm(const CityParams& params) {
    if (params.streets < 2 || !(params.spacing > 0))
        return OsmWriter().finish();
    return City(params).build();
}

} // namespace kyvo::citygen
