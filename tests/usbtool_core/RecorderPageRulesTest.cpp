// The Recorder page: its loading and saving rules and which groups it enables.

#include "RecorderPageRules.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

using namespace kyvo::usbtool;

namespace {

RecorderConfig recorderRecord(std::int32_t channels, std::int32_t type, std::int32_t resolution, std::int32_t quality,
                              std::int32_t audio) {
    RecorderConfig record;
    record.set(field::kChannels, channels);
    record.set(field::kRecordingMode, 1);
    record.set(field::kVideoType, type);
    record.set(field::kResolution, resolution);
    record.set(field::kQuality, quality);
    record.set(field::kAudio, audio);
    return record;
}

RecorderConfig allOnes() {
    RecorderConfig record;
    for (std::size_t offset = 0; offset < RecorderConfig::kSize; offset += RecorderConfig::kSlotBytes)
        record.set(offset, -1);
    return record;
}

} // namespace

TEST(RecorderPage, LoadsChannelsLessOneAndShowsTheSkippedThirdValuesAsTheThirdButton) {
    const RecorderPageState state = loadRecorderPage(recorderRecord(2, 2, 3, 1, 3));
    EXPECT_EQ(state.channel, recorder::kTwoChannels);
    EXPECT_EQ(state.mode, 1);
    EXPECT_EQ(state.type, recorder::kH264);
    EXPECT_EQ(state.resolution, recorder::kMega); // 3 shows as 2
    EXPECT_EQ(state.quality1, 1);
    EXPECT_EQ(state.quality2, 1);
    EXPECT_EQ(state.audio, recorder::kAmr); // 3 shows as 2

    // Values no button shows choose nothing, the extremes included.
    const RecorderPageState odd = loadRecorderPage(recorderRecord(INT_MIN, 7, 4, -1, INT_MAX));
    EXPECT_EQ(odd.channel, kNothingChosen);
    EXPECT_EQ(odd.type, kNothingChosen);
    EXPECT_EQ(odd.resolution, kNothingChosen);
    EXPECT_EQ(odd.quality1, kNothingChosen);
    EXPECT_EQ(odd.audio, kNothingChosen);
}

TEST(RecorderPage, LoadingEnablesTheQualityGroupOfTheChannelCountAndMegaOnlyForH264) {
    struct Case {
        std::int32_t channels;
        std::int32_t type;
        bool quality1;
        bool quality2;
        bool mega;
    };
    const std::vector<Case> cases{
        {1, 0, true, false, false}, {2, 1, false, true, false}, {0, 2, true, true, true}, {3, 2, true, true, true},
    };
    for (const Case& c : cases) {
        const RecorderPageState state = loadRecorderPage(recorderRecord(c.channels, c.type, 0, 0, 0));
        EXPECT_EQ(state.quality1Enabled, c.quality1) << "channels " << c.channels;
        EXPECT_EQ(state.quality2Enabled, c.quality2) << "channels " << c.channels;
        EXPECT_EQ(state.megaEnabled, c.mega) << "type " << c.type;
    }
}

TEST(RecorderPage, ClicksMoveTheEnablingAndADisabledChosenMegaIsStillSavedAsThree) {
    RecorderConfig record = recorderRecord(2, 2, 3, 2, 0);
    RecorderPageState state = loadRecorderPage(record);
    chooseChannel(state, recorder::kOneChannel);
    EXPECT_TRUE(state.quality1Enabled);
    EXPECT_FALSE(state.quality2Enabled);
    chooseType(state, 1); // MJPEG
    EXPECT_FALSE(state.megaEnabled);
    EXPECT_EQ(state.resolution, recorder::kMega);
    saveRecorderPage(state, record);
    EXPECT_EQ(record.get(field::kChannels), 1);
    EXPECT_EQ(record.get(field::kVideoType), 1);
    EXPECT_EQ(record.get(field::kResolution), 3);
    chooseType(state, recorder::kH264);
    EXPECT_TRUE(state.megaEnabled);
}

TEST(RecorderPage, QualityIsSavedFromTheGroupOfTheChosenChannelCount) {
    RecorderPageState state;
    state.quality1 = 0;
    state.quality2 = 2;
    RecorderConfig record;

    state.channel = recorder::kOneChannel;
    saveRecorderPage(state, record);
    EXPECT_EQ(record.get(field::kQuality), 0);

    state.channel = recorder::kTwoChannels;
    saveRecorderPage(state, record);
    EXPECT_EQ(record.get(field::kQuality), 2);

    // No channel button chosen: channels 0 and the two-channel group.
    state.channel = kNothingChosen;
    saveRecorderPage(state, record);
    EXPECT_EQ(record.get(field::kChannels), 0);
    EXPECT_EQ(record.get(field::kQuality), 2);
}

TEST(RecorderPage, SavingClearsOnlyItsSlotsAndStoresTheThirdButtonsAsThree) {
    RecorderConfig record = allOnes();
    RecorderPageState state;
    state.channel = recorder::kTwoChannels;
    state.mode = 2;
    state.type = recorder::kH264;
    state.resolution = recorder::kMega;
    state.quality2 = 1;
    state.audio = recorder::kAmr;
    saveRecorderPage(state, record);
    EXPECT_EQ(record.get(field::kChannels), 2);
    EXPECT_EQ(record.get(field::kRecordingMode), 2);
    EXPECT_EQ(record.get(field::kVideoType), 2);
    EXPECT_EQ(record.get(field::kResolution), 3);
    EXPECT_EQ(record.get(field::kQuality), 1);
    EXPECT_EQ(record.get(field::kAudio), 3);
    EXPECT_EQ(record.get(field::kSiTime), -1); // the next page's first slot

    // A stored 2 (never produced) loads as the third button and comes back as 3.
    RecorderConfig two = recorderRecord(1, 2, 2, 0, 2);
    saveRecorderPage(loadRecorderPage(two), two);
    EXPECT_EQ(two.get(field::kResolution), 3);
    EXPECT_EQ(two.get(field::kAudio), 3);
}
