#include "TestTown.h"

#include "OsmWriter.h"

#include <string>
#include <vector>

namespace cartoframe::test {
namespace {

using Tag = kyvo::citygen::OsmTag;
using kyvo::citygen::OsmWriter;

constexpr double kWest = 121.4905;
constexpr double kSouth = 24.9905;
constexpr double kStep = 0.0035; // about 350 m between streets
constexpr int kStreets = 6;

const char* const kRoads[kStreets] = {"中山路", "民生東路", "中正路一段", "和平東路二段", "信義路三段", "仁愛路"};
const char* const kAvenues[kStreets] = {"成功街", "光復街", "復興南路", "建國北路", "敦化街", "忠孝街"};

} // namespace

std::string testTownOsm() {
    OsmWriter osm;
    long junction[kStreets][kStreets];
    for (int row = 0; row < kStreets; ++row)
        for (int column = 0; column < kStreets; ++column)
            junction[row][column] = osm.node(kWest + column * kStep, kSouth + row * kStep);
    // East-west roads bend a little between junctions; the first is one-way.
    for (int row = 0; row < kStreets; ++row) {
        std::vector<long> nodes;
        for (int column = 0; column < kStreets; ++column) {
            nodes.push_back(junction[row][column]);
            if (column + 1 < kStreets)
                nodes.push_back(osm.node(kWest + (column + 0.5) * kStep, kSouth + row * kStep + 0.0002));
        }
        std::vector<Tag> tags{{"highway", row % 2 ? "secondary" : "residential"}, {"name", kRoads[row]}};
        if (row == 0)
            tags.push_back({"oneway", "yes"});
        osm.way(nodes, tags);
    }
    for (int column = 0; column < kStreets; ++column) {
        std::vector<long> nodes;
        for (int row = 0; row < kStreets; ++row)
            nodes.push_back(junction[row][column]);
        osm.way(nodes, {{"highway", "tertiary"}, {"name", kAvenues[column]}, {"lanes", "3"}});
    }
    // Alleys from a junction to a dead end.
    osm.way({junction[1][1], osm.node(kWest + 1.5 * kStep, kSouth + 1.4 * kStep)},
            {{"highway", "residential"}, {"name", "中山路12巷"}});
    osm.way({junction[2][3], osm.node(kWest + 3.3 * kStep, kSouth + 2.5 * kStep)},
            {{"highway", "service"}, {"service", "alley"}, {"name", "民生東路3巷5弄"}});
    // Route numbers: a motorway with a reference only, a numbered trunk.
    osm.way({osm.node(kWest - 0.004, kSouth - 0.003), osm.node(kWest + 0.009, kSouth + 0.004),
             osm.node(kWest + 0.022, kSouth + 0.019)},
            {{"highway", "motorway"}, {"ref", "1;3"}});
    osm.way({osm.node(kWest + 0.020, kSouth - 0.002), junction[0][5], osm.node(kWest + 0.023, kSouth + 0.016)},
            {{"highway", "trunk"}, {"name", "64"}, {"oneway", "-1"}});
    osm.way({junction[3][0], osm.node(kWest - 0.003, kSouth + 0.011)}, {{"highway", "service"}});
    osm.way({junction[4][2], junction[4][3]}, {{"highway", "pedestrian"}, {"name", "永康街"}});
    osm.way({junction[5][4], osm.node(kWest + 0.016, kSouth + 0.020), osm.node(kWest + 0.018, kSouth + 0.021)},
            {{"highway", "living_street"}, {"name", "富錦街"}, {"junction", "roundabout"}});
    // A way whose second node the extract lacks: two separate pieces remain.
    osm.way({osm.node(kWest + 0.001, kSouth + 0.019), 999999, osm.node(kWest + 0.003, kSouth + 0.020),
             osm.node(kWest + 0.004, kSouth + 0.021)},
            {{"highway", "track"}});
    // Not roads: a footway and an area.
    osm.way({junction[0][0], junction[1][0]}, {{"highway", "footway"}});

    // The river: a line across the town and its bank as an area.
    std::vector<long> river;
    for (int i = 0; i <= 8; ++i)
        river.push_back(osm.node(kWest - 0.005 + i * 0.004, kSouth + 0.013 + (i % 2) * 0.001));
    osm.way(river, {{"waterway", "river"}, {"name", "新店溪"}, {"width", "40"}});
    std::vector<long> bank;
    for (const auto& [dx, dy] : std::vector<std::pair<double, double>>{
             {-0.006, 0.0125}, {0.004, 0.0125}, {0.014, 0.0128}, {0.026, 0.0127}, {0.026, 0.0145}, {-0.006, 0.0145}})
        bank.push_back(osm.node(kWest + dx, kSouth + dy));
    bank.push_back(bank.front());
    osm.way(bank, {{"natural", "water"}, {"water", "river"}});

    // The lake: two halves of its shore, the second drawn the other way round.
    const long shoreA = osm.node(kWest + 0.002, kSouth + 0.004);
    const long shoreB = osm.node(kWest + 0.0045, kSouth + 0.004);
    const long north = osm.way({shoreA, osm.node(kWest + 0.003, kSouth + 0.0055), shoreB}, {});
    const long south = osm.way({shoreA, osm.node(kWest + 0.003, kSouth + 0.0032), shoreB}, {});
    osm.relation({{north, "outer"}, {south, "outer"}}, {{"type", "multipolygon"}, {"natural", "water"}});

    // The park, across the grid corner.
    std::vector<long> park;
    for (const auto& [dx, dy] :
         std::vector<std::pair<double, double>>{{0.0075, 0.0075}, {0.0115, 0.0075}, {0.0115, 0.0110}, {0.0075, 0.0110}})
        park.push_back(osm.node(kWest + dx, kSouth + dy));
    park.push_back(park.front());
    osm.way(park, {{"leisure", "park"}, {"name", "大安森林公園"}});

    // Railways: above ground across the town, and one in a tunnel.
    std::vector<long> rail;
    for (int i = 0; i <= 6; ++i)
        rail.push_back(osm.node(kWest - 0.004 + i * 0.005, kSouth + 0.0060 + i * 0.0003));
    osm.way(rail, {{"railway", "rail"}, {"name", "縱貫線"}});
    osm.way({osm.node(kWest, kSouth + 0.002), osm.node(kWest + 0.02, kSouth + 0.002)},
            {{"railway", "subway"}, {"tunnel", "yes"}});
    return osm.finish();
}

std::string latticeCityOsm(int streets, double spacing, double west, double south) {
    OsmWriter osm;
    std::vector<std::vector<long>> junction(static_cast<std::size_t>(streets),
                                            std::vector<long>(static_cast<std::size_t>(streets)));
    for (int row = 0; row < streets; ++row)
        for (int column = 0; column < streets; ++column)
            junction[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] =
                osm.node(west + column * spacing, south + row * spacing);
    const auto street = [&](bool eastWest, int line) {
        std::vector<long> nodes;
        for (int i = 0; i < streets; ++i) {
            const int row = eastWest ? line : i;
            const int column = eastWest ? i : line;
            nodes.push_back(junction[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)]);
            if (i + 1 < streets) {
                const double bend = spacing * 0.1;
                nodes.push_back(eastWest ? osm.node(west + (i + 0.5) * spacing, south + line * spacing + bend)
                                         : osm.node(west + line * spacing + bend, south + (i + 0.5) * spacing));
            }
        }
        static const char* const kinds[] = {"residential", "secondary", "tertiary", "primary", "residential"};
        const std::string name = std::string(eastWest ? "中山路" : "光復街") + std::to_string(line) + "段";
        osm.way(nodes, {{"highway", kinds[line % 5]}, {"name", name}});
    };
    for (int line = 0; line < streets; ++line) {
        street(true, line);
        street(false, line);
    }
    return osm.finish();
}

} // namespace cartoframe::test
