#include "FrameTestSupport.h"

#include "Forge.h"
#include "MapFonts.h"
#include "OsmReader.h"
#include "TestTown.h"

namespace cartoframe::test {

std::string makeTownMapFolder(const std::filesystem::path& folder) {
    namespace forge = kyvo::mapforge;
    forge::OsmData data;
    std::string error;
    if (!forge::readOsmText(testTownOsm(), data, error))
        return "reading the town: " + error;
    const forge::ForgeResult result = forge::forgeDataSet(data, folder, {});
    if (!result.ok)
        return "writing the town: " + result.error;
    const forge::FontCopyResult fonts = forge::copyMapFonts(KYVO_MAPFONTS_DIR, folder);
    if (!fonts.ok())
        return "copying the fonts: " + fonts.error;
    if (!fonts.missing.empty())
        return "the map fonts are missing from " KYVO_MAPFONTS_DIR ": " + fonts.missing.front();
    return "";
}

} // namespace cartoframe::test
