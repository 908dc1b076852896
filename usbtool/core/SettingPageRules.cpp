#include "SettingPageRules.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

namespace kyvo::usbtool {

namespace {

using State = SettingPageState;
using Binding = RadioBinding<State>;
constexpr int kTwo = 2;
constexpr int kLcdBrightnessButtons = 4;
constexpr int kIrLedButtons = 3;

constexpr std::array<Binding, 12> kRadios{{
    {&State::triggerMode, field::kTriggerMode, kTwo},
    {&State::scale, field::kAccelScale, kTwo},
    {&State::uiRotate, field::kUiRotate, kTwo},
    {&State::verticalFlip, field::kVerticalFlip, kTwo},
    {&State::horizontalMirror, field::kHorizontalMirror, kTwo},
    {&State::frameRate, field::kFrameRate, kTwo},
    {&State::sdFormat, field::kSdFormat, kTwo},
    {&State::buzzer, field::kBuzzer, kTwo},
    {&State::lcdBrightness, field::kLcdBrightness, kLcdBrightnessButtons},
    {&State::batteryVoltage, field::kBatteryVoltage, kTwo},
    {&State::irLedMode, field::kIrLedMode, kIrLedButtons},
    {&State::gpsMode, field::kGpsMode, kTwo},
}};

// How a list's field relates to its entries.
enum class Stored {
    Number,      // the number shown; loads the entry showing the value
    Position,    // the position; loads that position
    YearOfCentury, // the number shown; loads position value mod 2000
};

struct ListBinding {
    int State::*member;
    std::size_t offset;
    NumberList list;
    Stored stored;
};

constexpr std::array<ListBinding, 12> kLists{{
    {&State::year, field::kYear, kYears, Stored::YearOfCentury},
    {&State::month, field::kMonth, kMonths, Stored::Number},
    {&State::date, field::kDay, kDates, Stored::Number},
    {&State::hour, field::kHour, kHours, Stored::Number},
    {&State::minute, field::kMinute, kMinutes, Stored::Number},
    {&State::second, field::kSecond, kMinutes, Stored::Number},
    {&State::inVolume, field::kAudioInVolume, kInVolumes, Stored::Position},
    {&State::outVolume, field::kAudioOutVolume, kOutVolumes, Stored::Position},
    {&State::brightness, field::kBrightness, kBiases, Stored::Number},
    {&State::sharpness, field::kSharpness, kBiases, Stored::Number},
    {&State::exposureBias, field::kExposureBias, kBiases, Stored::Number},
    {&State::wdrBias, field::kWdrBias, kBiases, Stored::Number},
}};

constexpr std::int32_t kCentury = 2000;
constexpr double kTriggerLevelStep = 0.1;

int loadPosition(const ListBinding& binding, std::int32_t value) {
    switch (binding.stored) {
    case Stored::Number:
        return choiceWithin(std::int64_t{value} - binding.list.first, binding.list.count);
    case Stored::Position:
        return choiceWithin(value, binding.list.count);
    case Stored::YearOfCentury:
        return value < 0 ? kNothingChosen : choiceWithin(value % kCentury, binding.list.count);
    }
    return kNothingChosen;
}

std::int32_t savedValue(const ListBinding& binding, int position) {
    if (binding.stored == Stored::Position)
        return binding.list.contains(position) ? position : 0;
    return binding.list.numberAt(position);
}

} // namespace

std::vector<std::string> triggerLevelTexts() {
    std::vector<std::string> texts;
    for (int position = 0; position < kTriggerLevelCount; ++position) {
        char text[8];
        std::snprintf(text, sizeof text, "%.1f", position * kTriggerLevelStep);
        texts.emplace_back(text);
    }
    return texts;
}

float triggerLevelAt(int position) {
    if (position < 0 || position >= kTriggerLevelCount)
        return 0.0f;
    return static_cast<float>(position * kTriggerLevelStep);
}

int nearestTriggerLevel(float level) {
    if (std::isnan(level))
        return kNothingChosen;
    // Beyond the ends the end entries are nearest; clamping first keeps an
    // infinite level from being equally far from every entry.
    const double wanted =
        std::clamp(double{level}, double{triggerLevelAt(0)}, double{triggerLevelAt(kTriggerLevelCount - 1)});
    int nearest = 0;
    double distance = std::fabs(wanted - double{triggerLevelAt(0)});
    for (int position = 1; position < kTriggerLevelCount; ++position) {
        const double d = std::fabs(wanted - double{triggerLevelAt(position)});
        if (d < distance) {
            nearest = position;
            distance = d;
        }
    }
    return nearest;
}

SettingPageState loadSettingPage(const RecorderConfig& record) {
    SettingPageState state;
    loadRadios(kRadios, record, state);
    for (const ListBinding& binding : kLists)
        state.*binding.member = loadPosition(binding, record.get(binding.offset));
    state.triggerLevel = nearestTriggerLevel(record.getFloat(field::kTriggerLevel));
    return state;
}

void saveSettingPage(const SettingPageState& state, RecorderConfig& record) {
    record.clear(kSettingRange);
    saveRadios(kRadios, state, record);
    for (const ListBinding& binding : kLists)
        record.set(binding.offset, savedValue(binding, state.*binding.member));
    record.setFloat(field::kTriggerLevel, triggerLevelAt(state.triggerLevel));
}

} // namespace kyvo::usbtool
