// Configuration text target: the text is read (as bytes and as text, which
// must agree), its folder fragment parsed by the settings store, and the
// configuration written again. What was read must come back from the written
// text, except folders that the bounded text has no room for, and writing
// what was read back again must give the same text.
#include "FuzzTargets.h"
#include "SystemSettingsStore.h"
#include "ViewerConfig.h"

#include <climits>
#include <string>
#include <string_view>

namespace kyvo::fuzz {

namespace {

using app::ViewerConfigRead;
using settings::SystemSettingsStore;

constexpr int kVolumes[] = {app::kVolumeOnRead, 0, INT_MIN, INT_MAX};

bool sameBlockFields(const ViewerConfigRead& a, const ViewerConfigRead& b) {
    return a.block.level() == b.block.level() && a.block.carriedValue() == b.block.carriedValue() &&
           a.block.speedUnit() == b.block.speedUnit() && a.block.usePassword() == b.block.usePassword() &&
           a.block.password() == b.block.password() && a.usePassword == b.usePassword &&
           a.storedPassword == b.storedPassword && a.adapterKey == b.adapterKey;
}

bool keptOrDropped(const std::string& written, const std::string& readBack) {
    return readBack == written || readBack.empty();
}

} // namespace

int viewerConfigTarget(const std::uint8_t* data, std::size_t size) {
    const ViewerConfigRead first = app::readViewerConfig(std::span(data, size));
    const ViewerConfigRead asText =
        app::readViewerConfig(std::string_view(reinterpret_cast<const char*>(data), size));
    require(sameBlockFields(first, asText) && first.fragment == asText.fragment && first.wasEmpty == asText.wasEmpty,
            "bytes and text read alike");
    require(first.volumePosition == app::kVolumeOnRead, "the volume always reads as 128");
    require(first.fragment.size() <= app::kConfigLimit, "the fragment comes from the bounded text");

    SystemSettingsStore store;
    store.parseFragment(first.fragment);
    for (const int volume : kVolumes)
        require(app::buildViewerConfig(first.block, volume, &store).size() <= app::kConfigLimit,
                "the written text keeps its bound");
    require(app::buildViewerConfig(first.block, first.volumePosition, nullptr).size() <= app::kConfigLimit,
            "the written text keeps its bound");

    const std::string written = app::buildViewerConfig(first.block, first.volumePosition, &store);
    const ViewerConfigRead second = app::readViewerConfig(written);
    require(!second.wasEmpty, "a written text is never empty");
    require(sameBlockFields(first, second), "the block fields come back");
    SystemSettingsStore storeBack;
    storeBack.parseFragment(second.fragment);
    require(keptOrDropped(store.captureFolder(), storeBack.captureFolder()) &&
                keptOrDropped(store.backupFolder(), storeBack.backupFolder()) &&
                keptOrDropped(store.cardDrive(), storeBack.cardDrive()),
            "folders come back or are left out whole");
    require(app::buildViewerConfig(second.block, second.volumePosition, &storeBack) == written,
            "writing what was read back gives the same text");
    return 0;
}

} // namespace kyvo::fuzz
