#include "RecSetPageRules.h"

#include <array>

namespace kyvo::usbtool {

namespace {

using Binding = RadioBinding<RecSetPageState>;
constexpr int kOffOn = 2;
constexpr int kSensitivities = 3;

// Every radio group of the page whose index is the field's value (all but
// the record time, stored as index + 1).
constexpr std::array<Binding, 13> kRadios{{
    {&RecSetPageState::siTime, field::kSiTime, kOffOn},
    {&RecSetPageState::siAccelerometer, field::kSiAccelerometer, kOffOn},
    {&RecSetPageState::siGroundSpeed, field::kSiGroundSpeed, kOffOn},
    {&RecSetPageState::userTime, field::kUserTime, kOffOn},
    {&RecSetPageState::userAccelerometer, field::kUserAccelerometer, kOffOn},
    {&RecSetPageState::userGroundSpeed, field::kUserGroundSpeed, kOffOn},
    {&RecSetPageState::userJpeg, field::kUserJpeg, kOffOn},
    {&RecSetPageState::userJpegFrameRate, field::kUserJpegFrameRate, kOffOn},
    {&RecSetPageState::motionMode, field::kMotionMode, kOffOn},
    {&RecSetPageState::motionSensitivity, field::kMotionSensitivity, kSensitivities},
    {&RecSetPageState::eventOverwrite, field::kEventOverwrite, kOffOn},
    {&RecSetPageState::waterMark, field::kWaterMark, kOffOn},
    {&RecSetPageState::sorting, field::kSorting, kOffOn},
}};

// The motion record time list's bands of stored seconds.
constexpr std::int32_t kMotionFoldBelow = 60;  // below: s mod 30
constexpr std::int32_t kMotionFold = 30;
constexpr std::int32_t kMotionLastFrom = 120;  // from here: the last entry
constexpr std::int32_t kMotionShift = 30;      // between: s - 30

} // namespace

int motionRecordTimePosition(std::int32_t seconds) {
    if (seconds < 0)
        return kNothingChosen;
    if (seconds < kMotionFoldBelow)
        return seconds % kMotionFold;
    if (seconds < kMotionLastFrom)
        return seconds - kMotionShift;
    return kMotionRecordTimes.count - 1;
}

RecSetPageState loadRecSetPage(const RecorderConfig& record) {
    RecSetPageState state;
    loadRadios(kRadios, record, state);
    state.recordTime = choiceWithin(std::int64_t{record.get(field::kRecordTime)} - 1, kRecordTimeButtons);
    state.motionRecordTime = motionRecordTimePosition(record.get(field::kMotionRecordTime));
    return state;
}

void saveRecSetPage(const RecSetPageState& state, RecorderConfig& record) {
    record.clear(kRecSetRange);
    saveRadios(kRadios, state, record);
    record.set(field::kRecordTime, state.recordTime + 1);
    record.set(field::kMotionRecordTime, kMotionRecordTimes.numberAt(state.motionRecordTime));
}

} // namespace kyvo::usbtool
