#include "ViewerConfig.h"

#include "DecimalField.h"
#include "FieldSplitter.h"

#include <algorithm>

namespace kyvo::app {

namespace {

using settings::SystemSettings;

constexpr char kSeparator = '?';
constexpr char kFieldEnd = '*';
constexpr std::size_t kFieldMaxBytes = kConfigFieldBuffer - 1;
// Fields 6 (text), 7, 8 (empty) and 9 (volume) are skipped on reading.
constexpr int kSkippedFields = 4;

// A text written as one field stops before any character that would end the
// field early, so the fields after it keep their places.
std::string_view asField(std::string_view text) {
    return text.substr(0, std::min(text.find(kSeparator), text.find(kFieldEnd)));
}

void appendField(std::string& out, std::string_view field) {
    out += field;
    out += kSeparator;
}

std::int32_t nextNumber(FieldSplitter& fields) {
    std::string field;
    fields.next(field, kFieldMaxBytes);
    return parseDecimalField(field);
}

} // namespace

ViewerConfigRead readViewerConfig(std::span<const std::uint8_t> bytes) {
    const std::size_t size = std::min(bytes.size(), kConfigLimit);
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), size);
    return readViewerConfig(text);
}

ViewerConfigRead readViewerConfig(std::string_view text) {
    text = text.substr(0, std::min(text.size(), kConfigLimit));
    text = text.substr(0, text.find('\0'));

    ViewerConfigRead result;
    result.wasEmpty = text.empty();
    if (result.wasEmpty) {
        result.block = SystemSettings::defaults();
        result.usePassword = result.block.usePassword();
        result.adapterKey = result.block.key();
        return result;
    }

    FieldSplitter fields(text, kSeparator);
    result.block.setLevel(nextNumber(fields));
    result.block.setCarriedValue(nextNumber(fields));
    result.block.setSpeedUnit(nextNumber(fields));
    result.block.setUsePassword(nextNumber(fields));
    result.usePassword = result.block.usePassword();

    std::string password;
    fields.next(password, kFieldMaxBytes);
    result.block.setPassword(password);
    const std::string_view kept = result.block.password();
    std::copy(kept.begin(), kept.end(), result.storedPassword.begin());

    for (int i = 0; i < kSkippedFields; ++i)
        fields.skip();
    result.fragment = std::string(fields.rest());
    result.adapterKey = result.block.key();
    return result;
}

std::string buildViewerConfig(const SystemSettings& block, int volumePosition,
                              const settings::SystemSettingsStore* store) {
    std::string text;
    text.reserve(kConfigLimit);
    appendField(text, std::to_string(block.level()));
    appendField(text, std::to_string(block.carriedValue()));
    appendField(text, std::to_string(block.speedUnit()));
    appendField(text, std::to_string(block.usePassword()));
    appendField(text, asField(block.password()));
    appendField(text, asField(block.text()));
    appendField(text, {});
    appendField(text, {});
    appendField(text, std::to_string(volumePosition));
    if (store != nullptr && text.size() < kConfigLimit) {
        // The fragment gets what is left after its closing "?".
        const std::string fragment = store->buildFragment(kConfigLimit - text.size() - 1);
        if (!fragment.empty())
            appendField(text, fragment);
    }
    return text;
}

} // namespace kyvo::app
