// The library's callback codes: the state codes, the words the adapter fills
// for the library's questions, the stream and frame numbers, and the codes it
// must leave alone.

#include "AdapterTestSupport.h"

#include <cstring>
#include <limits>

namespace kyvo::player::test {
namespace {

TEST_F(PlayerAdapterTest, StateCodesMoveTheAdapterFromAnyState) {
    using StateOf = ROVUState& (*)(ROVUAdap&);
    const struct {
        int code;
        StateOf to;
    } codes[] = {{orv::kEvReady, [](ROVUAdap& a) -> ROVUState& { return a.ready(); }},
                 {orv::kEvPlaying, [](ROVUAdap& a) -> ROVUState& { return a.playing(); }},
                 {orv::kEvStopped, [](ROVUAdap& a) -> ROVUState& { return a.stopped(); }},
                 {orv::kEvPlayerEnded, [](ROVUAdap& a) -> ROVUState& { return a.idle(); }}};
    for (const auto& c : codes) {
        for (ROVUState* from : {static_cast<ROVUState*>(&adapter->ended()), static_cast<ROVUState*>(&adapter->forwarding())}) {
            SCOPED_TRACE(testing::Message() << "code " << c.code << " from " << from->StateId());
            adapter->ChangeState(from);
            emitElsewhere(c.code);
            EXPECT_EQ(current(), &c.to(*adapter));
            EXPECT_EQ(adapter->previous(), from);
            EXPECT_EQ(current()->origin(), from);
        }
    }
}

TEST_F(PlayerAdapterTest, PlayingAsksVideoWindowZeroForTheLength) {
    emitElsewhere(orv::kEvPlaying);
    EXPECT_TRUE(host.posted().empty()) << "no window reported yet";
    emitElsewhere(orv::kEvVideoWindow0, kWindow0);
    emitElsewhere(orv::kEvPlaying);
    const auto posted = host.posted();
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_EQ(posted[0].window, kWindow0);
    EXPECT_EQ(posted[0].message, orv::kMsgGetTimeLength);
    EXPECT_STREQ(reinterpret_cast<const char*>(posted[0].wParam), "get_time_length");
    EXPECT_EQ(posted[0].lParam, 0);

    float length = 83.75f;
    emitElsewhere(orv::kEvLength, &length);
    EXPECT_EQ(adapter->length.load(), 83.75f);
    EXPECT_EQ(adapter->lengthSeconds.load(), 83);
}

// Lengths and frame times are whole seconds for the owner: a value that is not
// a number, or lies beyond any recording, must not reach the truncation as it is.
TEST_F(PlayerAdapterTest, LengthsAndTimesThatAreNoUsableNumberAreKeptInRange) {
    const struct {
        float value;
        float kept;
        int seconds;
    } cases[] = {
        {std::numeric_limits<float>::quiet_NaN(), 0.0f, 0},
        {std::numeric_limits<float>::infinity(), 1.0e7f, 10'000'000},
        {-std::numeric_limits<float>::infinity(), 0.0f, 0},
        {1.0e20f, 1.0e7f, 10'000'000},
        {-3.5f, 0.0f, 0},
        {59.9f, 59.9f, 59},
    };
    adapter->ChangeState(&adapter->playing());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        float length = c.value;
        emitElsewhere(orv::kEvLength, &length);
        EXPECT_EQ(adapter->length.load(), c.kept);
        EXPECT_EQ(adapter->lengthSeconds.load(), c.seconds);
        showFrame(2, c.value);
        EXPECT_EQ(adapter->currentTime.load(), c.kept);
        EXPECT_EQ(adapter->currentSecond.load(), c.seconds);
    }
    // The owner's volume slider gives floats too.
    EXPECT_EQ(current()->SetVolume(std::numeric_limits<float>::quiet_NaN(), false), 0);
    EXPECT_EQ(current()->SetVolume(1.0e20f, true), 0);
    EXPECT_EQ(library.commands(), (std::vector<std::string>{"volume 0 2", "volume 1000 2"}));
}

// The library says its windows are gone (code 3 and 4 with 0) before it
// deletes them: nothing is sent to them from then on.
TEST_F(PlayerAdapterTest, WindowsReportedGoneGetNothingMore) {
    emitElsewhere(orv::kEvVideoWindow0, kWindow0);
    emitElsewhere(orv::kEvVideoWindow1, kWindow1);
    adapter->ChangeState(&adapter->playing());
    ASSERT_EQ(current()->Refresh(2), 0);
    emitElsewhere(orv::kEvVideoWindow0, std::intptr_t{0});
    emitElsewhere(orv::kEvVideoWindow1, std::intptr_t{0});
    const std::size_t sent = host.sent().size();
    EXPECT_EQ(adapter->NotifyMoved(), 1);
    EXPECT_EQ(current()->FrameStep(), 1);
    EXPECT_EQ(current()->Refresh(1), 1);
    EXPECT_EQ(current()->Refresh(2), 1);
    EXPECT_EQ(current()->SetVideoRect(0, 1, 2, 3, 4), 1);
    emitElsewhere(orv::kEvPlaying);
    EXPECT_EQ(host.sent().size(), sent);
    EXPECT_TRUE(host.posted().empty());
    EXPECT_TRUE(host.moves().empty());
}

// The word the adapter writes for a question, in a buffer that shows how much
// of it was written.
struct OutWord {
    alignas(std::intptr_t) std::uint8_t bytes[2 * sizeof(std::intptr_t)];
    OutWord() { std::memset(bytes, kFill, sizeof bytes); }
    static constexpr std::uint8_t kFill = 0xEE;
    std::intptr_t asPointer() const {
        std::intptr_t v;
        std::memcpy(&v, bytes, sizeof v);
        return v;
    }
    std::int32_t asInt() const {
        std::int32_t v;
        std::memcpy(&v, bytes, sizeof v);
        return v;
    }
    std::size_t written() const {
        std::size_t n = sizeof bytes;
        while (n > 0 && bytes[n - 1] == kFill)
            --n;
        return n;
    }
};

TEST_F(PlayerAdapterTest, QuestionsOfTheLibraryFillWordsOfTheirWidth) {
    adapter->popupWindow0.store(0x7000000001);
    adapter->popupWindow1.store(0x7000000002);
    adapter->popup0Shown.store(1);
    adapter->channelMode.store(1);
    adapter->encryptedViewMode.store(1);
    adapter->key.store(0x89ABCDEFu);
    const struct {
        int code;
        std::intptr_t value;
        bool pointer;
    } questions[] = {
        {orv::kEvOwnerWindow, FakeHost::kOwner, true},
        {orv::kEvVideoRects, reinterpret_cast<std::intptr_t>(&adapter->videoRects()), true},
        {orv::kEvPopupRects, reinterpret_cast<std::intptr_t>(&adapter->popupRects()), true},
        {orv::kEvPopupWindow0, 0x7000000001, true},
        {orv::kEvPopupWindow1, 0x7000000002, true},
        {orv::kEvScreenWidth, FakeHost::kScreenWidth, false},
        {orv::kEvScreenHeight, FakeHost::kScreenHeight, false},
        {orv::kEvVolume, 100, false},
        {orv::kEvPopup0Shown, 1, false},
        {orv::kEvPopup1Shown, 0, false},
        {orv::kEvNoTelemetry, 0, false},
        {orv::kEvChannelMode, 1, false},
        {orv::kEvEncryptedMode, 1, false},
        {orv::kEvKey, static_cast<std::int32_t>(0x89ABCDEFu), false},
    };
    for (const auto& q : questions) {
        SCOPED_TRACE(q.code);
        OutWord word;
        emitElsewhere(q.code, &word.bytes);
        if (q.pointer) {
            EXPECT_EQ(word.asPointer(), q.value);
            EXPECT_LE(word.written(), sizeof(std::intptr_t));
        } else {
            EXPECT_EQ(word.asInt(), q.value);
            EXPECT_LE(word.written(), sizeof(std::int32_t)) << "wrote past its 32-bit word";
        }
    }
    // A null parameter is no place to answer.
    for (const auto& q : questions)
        emitElsewhere(q.code, std::intptr_t{0});
}

TEST_F(PlayerAdapterTest, StreamRecordSetsTheFrameCountAndIndexTheFrame) {
    EXPECT_EQ(adapter->frameCount.load(), 0xFFFFFFFFu);
    setFrameCount(1800);
    EXPECT_EQ(adapter->frameCount.load(), 1800u);
    orv::StreamRecord empty{};
    emitElsewhere(orv::kEvStreamInfo, &empty); // no info record: nothing to read
    EXPECT_EQ(adapter->frameCount.load(), 1800u);
    emitElsewhere(orv::kEvFrameIndex, std::intptr_t{417});
    EXPECT_EQ(adapter->frameIndex.load(), 417u);
}

TEST_F(PlayerAdapterTest, CodesItDoesNotUseChangeNothing) {
    adapter->ChangeState(&adapter->playing());
    const ROVUState* previous = adapter->previous();
    for (int code : {-1, 1, 2, 5, 7, 8, 9, 11, 12, 13, 15, 19, 39, 100, 0x10000}) {
        SCOPED_TRACE(code);
        OutWord word;
        emitElsewhere(code, &word.bytes);
        EXPECT_EQ(word.written(), 0u);
    }
    EXPECT_EQ(current(), &adapter->playing());
    EXPECT_EQ(adapter->previous(), previous);
    EXPECT_TRUE(host.notifications().empty());
    EXPECT_TRUE(host.posted().empty());
    EXPECT_TRUE(library.commands().empty());
}

TEST_F(PlayerAdapterTest, PauseToggleFromTheLibraryPausesOnlyWhilePlaying) {
    for (ROVUState* state : {static_cast<ROVUState*>(&adapter->ready()), static_cast<ROVUState*>(&adapter->ended()),
                             static_cast<ROVUState*>(&adapter->forwarding())}) {
        adapter->ChangeState(state);
        emitElsewhere(orv::kEvPauseToggle);
    }
    EXPECT_TRUE(library.commands().empty());
    adapter->ChangeState(&adapter->playing());
    emitElsewhere(orv::kEvPauseToggle);
    EXPECT_EQ(library.commands(), (std::vector<std::string>{"pause", "pause"}));
    EXPECT_EQ(current(), &adapter->playing());
}

TEST_F(PlayerAdapterTest, NoTelemetryAnswerFollowsTheLastRead) {
    TempFolder folder;
    writeRecording(folder / "without.mov", 0, false);
    writeRecording(folder / "with.mov", 4);
    adapter->ChangeState(&adapter->playing());
    std::int32_t answer = -1;
    ASSERT_EQ(current()->LoadFile((folder / "without.mov").c_str(), ""), 0);
    emitElsewhere(orv::kEvNoTelemetry, &answer);
    EXPECT_EQ(answer, 1) << "a recording without a telemetry box";
    EXPECT_EQ(adapter->noTelemetry.load(), 1);
    ASSERT_EQ(current()->LoadFile((folder / "with.mov").c_str(), ""), 0);
    showFrame(1);
    emitElsewhere(orv::kEvNoTelemetry, &answer);
    EXPECT_EQ(answer, 0);
    EXPECT_EQ(adapter->noTelemetry.load(), 0);
}

} // namespace
} // namespace kyvo::player::test
