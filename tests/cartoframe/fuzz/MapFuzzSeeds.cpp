#include "MapFuzzSeeds.h"

#include "CartoTestSupport.h"
#include "Forge.h"
#include "OsmReader.h"
#include "TestTown.h"

#include <stdexcept>

namespace cartoframe::fuzz {

namespace forge = kyvo::mapforge;

namespace {

Bytes folderInput(const std::string& osm, const forge::WriteOptions& options) {
    forge::OsmData data;
    std::string error;
    if (!forge::readOsmText(osm, data, error))
        throw std::runtime_error(error);
    test::TempFolder folder;
    const forge::ForgeResult result = forge::forgeDataSet(data, folder.path(), options);
    if (!result.ok)
        throw std::runtime_error(result.error);
    std::vector<Bytes> files{{}}; // the default file list
    for (std::size_t i = 1; i < kFuzzFileCount; ++i)
        files.push_back(test::readFile(folder.path() / kFuzzFiles[i]));
    return joinFuzzInput(files);
}

} // namespace

std::vector<Bytes> makeFuzzSeeds() {
    forge::WriteOptions plain;
    plain.packMap = false;
    forge::WriteOptions smallBlocks;
    smallBlocks.packAll = true;
    smallBlocks.blockSize = 512;
    const std::string town = test::testTownOsm();
    return {folderInput(town, {}), folderInput(town, plain), folderInput(town, smallBlocks),
            folderInput(test::latticeCityOsm(4, 0.004, 121.496, 24.996), {})};
}

} // namespace cartoframe::fuzz
