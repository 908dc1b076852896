#include "DisplayPageRules.h"

namespace kyvo::usbtool {

namespace {
// Stored sources skip this value: it is nobody's.
constexpr std::int32_t kSkippedSource = 3;
} // namespace

int sourceIndex(std::int32_t value) {
    const std::int64_t index = value < kSkippedSource ? value : std::int64_t{value} - 1;
    return choiceWithin(index, display::kSourceButtons);
}

std::int32_t sourceValue(int index) {
    return index < kSkippedSource ? index : index + 1;
}

DisplayPageState loadDisplayPage(const RecorderConfig& record) {
    DisplayPageState state;
    state.lcd = sourceIndex(record.get(field::kLcdSource));
    state.tv = sourceIndex(record.get(field::kTvSource));
    state.uiSkin = choiceWithin(record.get(field::kUiSkin), display::kSkinButtons);
    state.skin = choiceWithin(record.get(field::kSkin), display::kSkinButtons);
    return state;
}

void saveDisplayPage(const DisplayPageState& state, RecorderConfig& record) {
    record.clear(kDisplayRange);
    record.set(field::kLcdSource, sourceValue(state.lcd));
    record.set(field::kTvSource, sourceValue(state.tv));
    record.set(field::kUiSkin, state.uiSkin);
    record.set(field::kSkin, state.skin);
}

} // namespace kyvo::usbtool
