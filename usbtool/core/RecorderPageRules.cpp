#include "RecorderPageRules.h"

namespace kyvo::usbtool {

namespace {

// Resolution and audio skip the stored value 2: their third button stores 3.
constexpr std::int32_t kSkippedThirdValue = 3;

int thirdAsSkipped(std::int32_t value) {
    return value == kSkippedThirdValue ? recorder::kMega
                                       : choiceWithin(value, recorder::kButtonsPerGroup);
}

std::int32_t skippedFromThird(int index) {
    return index == recorder::kMega ? kSkippedThirdValue : index;
}

void enableQualityFor(RecorderPageState& state, int channel) {
    state.quality1Enabled = channel != recorder::kTwoChannels;
    state.quality2Enabled = channel != recorder::kOneChannel;
}

} // namespace

RecorderPageState loadRecorderPage(const RecorderConfig& record) {
    RecorderPageState state;
    state.channel = choiceWithin(std::int64_t{record.get(field::kChannels)} - 1, recorder::kChannelButtons);
    state.mode = choiceWithin(record.get(field::kRecordingMode), recorder::kButtonsPerGroup);
    state.type = choiceWithin(record.get(field::kVideoType), recorder::kButtonsPerGroup);
    state.resolution = thirdAsSkipped(record.get(field::kResolution));
    state.quality1 = choiceWithin(record.get(field::kQuality), recorder::kButtonsPerGroup);
    state.quality2 = state.quality1;
    state.audio = thirdAsSkipped(record.get(field::kAudio));
    // Any other channel count leaves both quality groups enabled.
    enableQualityFor(state, state.channel);
    // Only MPEG4 and MJPEG disable Mega; an unknown type leaves it enabled.
    state.megaEnabled = state.type == kNothingChosen || state.type == recorder::kH264;
    return state;
}

void saveRecorderPage(const RecorderPageState& state, RecorderConfig& record) {
    record.clear(kRecorderRange);
    record.set(field::kChannels, state.channel + 1); // nothing chosen: channels 0
    record.set(field::kRecordingMode, state.mode);
    record.set(field::kVideoType, state.type);
    record.set(field::kResolution, skippedFromThird(state.resolution));
    record.set(field::kQuality, state.channel == recorder::kOneChannel ? state.quality1 : state.quality2);
    record.set(field::kAudio, skippedFromThird(state.audio));
}

void chooseChannel(RecorderPageState& state, int channel) {
    state.channel = channel;
    enableQualityFor(state, channel);
}

void chooseType(RecorderPageState& state, int type) {
    state.type = type;
    state.megaEnabled = type == recorder::kH264;
}

} // namespace kyvo::usbtool
