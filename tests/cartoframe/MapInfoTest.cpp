// mapinfo: the summary read back through the library matches what mapforge
// wrote, names come back as UTF-8, and the command answers bad folders and
// options with its exit codes.
#include "Forge.h"
#include "MapSummary.h"
#include "MapTestFixture.h"
#include "OsmReader.h"
#include "TestTown.h"

#include <array>
#include <cstdio>
#include <fstream>
#include <set>

namespace cartoframe {
namespace {

namespace forge = kyvo::mapforge;
namespace info = kyvo::mapinfo;

class MapInfoTest : public test::MapTestFixture {
protected:
    forge::DataSetModel forgeTown() {
        forge::OsmData data;
        std::string error;
        EXPECT_TRUE(forge::readOsmText(test::testTownOsm(), data, error)) << error;
        forge::ForgeResult result = forge::forgeDataSet(data, folder_.path(), forge::WriteOptions{});
        EXPECT_TRUE(result.ok) << result.error;
        return result.model;
    }
};

TEST_F(MapInfoTest, SummaryMatchesWhatMapforgeWrote) {
    const forge::DataSetModel model = forgeTown();
    ASSERT_EQ(load(), 0);
    const info::MapSummary summary = info::collectMapSummary(1000);

    ASSERT_EQ(summary.grids.size(), model.grids.size());
    std::array<long long, info::kCountedLayerCount> objects{};
    std::array<long long, info::kRoadClassCount> classes{};
    long long nodes = 0, indexed = 0, unnamed = 0;
    std::set<int> nameOffsets;
    for (const info::GridSummary& grid : summary.grids) {
        SCOPED_TRACE("grid " + std::to_string(grid.number));
        const forge::GridModel& expected = model.grids.at(grid.number);
        EXPECT_EQ(grid.cornerX, expected.corner.x);
        EXPECT_EQ(grid.cornerY, expected.corner.y);
        EXPECT_EQ(grid.objects[0], static_cast<int>(expected.water.size()));
        EXPECT_EQ(grid.objects[1], static_cast<int>(expected.roads.size()));
        EXPECT_EQ(grid.objects[2], static_cast<int>(expected.lines.size()));
        EXPECT_EQ(grid.objects[3], static_cast<int>(expected.landUse.size()));
        EXPECT_EQ(grid.nodes, static_cast<int>(expected.nodes.size()));
        for (int i = 0; i < info::kCountedLayerCount; ++i)
            objects[static_cast<std::size_t>(i)] += grid.objects[static_cast<std::size_t>(i)];
        nodes += grid.nodes;
        for (const auto& cell : expected.subCells)
            indexed += static_cast<long long>(cell.size());
        for (const forge::RoadObject& road : expected.roads) {
            ++classes[static_cast<std::size_t>(road.roadClass)];
            if (road.nameOffset == forge::kNoNameOffset)
                ++unnamed;
            else
                nameOffsets.insert(road.nameOffset);
        }
    }
    EXPECT_EQ(summary.objects, objects);
    EXPECT_EQ(summary.roadsByClass, classes);
    EXPECT_EQ(summary.nodes, nodes);
    EXPECT_EQ(summary.indexedRoads, indexed);
    EXPECT_EQ(summary.unnamedRoads, unnamed);
    EXPECT_EQ(summary.roadNameBytes, static_cast<int>(model.roadNames.size()));
    ASSERT_EQ(summary.distinctRoadNames, static_cast<int>(nameOffsets.size()));
    ASSERT_EQ(summary.names.size(), nameOffsets.size());
    auto offset = nameOffsets.begin();
    for (const info::RoadNameSample& name : summary.names) {
        EXPECT_EQ(name.offset, *offset);
        EXPECT_EQ(name.big5, model.roadNames.c_str() + *offset++);
    }

    // mapforge's own description and mapinfo agree on the road classes.
    const std::string text = info::formatMapSummary(summary, info::FormatOptions{true});
    const std::string forged = forge::describeDataSet(model);
    const auto classLine = [](const std::string& s) {
        const auto at = s.find("roads by class:");
        return s.substr(at, s.find('\n', at) - at);
    };
    EXPECT_EQ(classLine(text), classLine(forged));
    EXPECT_NE(text.find("中山路12巷"), std::string::npos) << "names are shown in UTF-8\n" << text;
}

TEST_F(MapInfoTest, SampleSizeAndAnEmptyLibrary) {
    EXPECT_EQ(info::formatMapSummary(info::collectMapSummary(5), {}), "no grids\n");
    forgeTown();
    ASSERT_EQ(load(), 0);
    const info::MapSummary summary = info::collectMapSummary(3);
    EXPECT_EQ(summary.names.size(), 3u);
    EXPECT_GT(summary.distinctRoadNames, 3);
    EXPECT_EQ(info::collectMapSummary(0).names.size(), 0u);
}

struct CommandResult {
    int exitCode = -1;
    std::string output;
};

CommandResult runTool(const std::string& arguments) {
    CommandResult result;
    std::FILE* pipe = popen((std::string(KYVO_MAPINFO_PATH) + " " + arguments + " 2>/dev/null").c_str(), "r");
    if (!pipe)
        return result;
    char buffer[4096];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        result.output.append(buffer, n);
    const int status = pclose(pipe);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

TEST_F(MapInfoTest, CommandPrintsTheSetAndRefusesWhatIsNoSet) {
    forgeTown();
    const CommandResult shown = runTool("--grids --names 50 " + folder_.str());
    EXPECT_EQ(shown.exitCode, 0);
    EXPECT_NE(shown.output.find("grids: 4 in columns"), std::string::npos) << shown.output;
    EXPECT_NE(shown.output.find("永康街"), std::string::npos) << shown.output;

    test::TempFolder empty;
    EXPECT_EQ(runTool(empty.str()).exitCode, 1);
    std::ofstream(empty.path() / "FileList.cfg") << "not a file list";
    EXPECT_EQ(runTool(empty.str()).exitCode, 1);
    EXPECT_EQ(runTool("").exitCode, 2);
    EXPECT_EQ(runTool("--names lots " + folder_.str()).exitCode, 2);
    EXPECT_EQ(runTool(folder_.str() + " " + folder_.str()).exitCode, 2);
}

} // namespace
} // namespace cartoframe
