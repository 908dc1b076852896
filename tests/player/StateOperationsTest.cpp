// What each state answers to each operation, what it sends to the library and
// to the video windows, and what it stores; the forwarding state answers as
// the state it was entered from.

#include "AdapterTestSupport.h"

#include <cstring>
#include <functional>
#include <map>

namespace kyvo::player::test {
namespace {

constexpr char kUndefinedLine[] = "####method undefined\n";
constexpr char kLoadAB[] = "rovu_loadfile \"/rec/a.mov\" \"/rec/b.mov\"";
constexpr orv::VideoRectTable kNoRects{};

struct Op {
    std::string name;
    std::function<int(ROVUState&)> run;
};

const std::vector<Op>& operations() {
    static const std::vector<Op> ops{
        {"Load", [](ROVUState& s) { return s.Load(SCRIPTED_ORVPLAYER_PATH); }},
        {"Close", [](ROVUState& s) { return s.Close(); }},
        {"Open", [](ROVUState& s) { return s.Open("/rec/a.mov", "/rec/b.mov"); }},
        {"LoadFile", [](ROVUState& s) { return s.LoadFile("/rec/a.mov", "/rec/b.mov"); }},
        {"Pause", [](ROVUState& s) { return s.Pause(); }},
        {"SkipEntry", [](ROVUState& s) { return s.SkipEntry(); }},
        {"TogglePause", [](ROVUState& s) { return s.TogglePause(); }},
        {"FrameStep", [](ROVUState& s) { return s.FrameStep(); }},
        {"SeekRelative", [](ROVUState& s) { return s.Seek(-1.5f, true); }},
        {"SeekAbsolute", [](ROVUState& s) { return s.Seek(2.5f, false); }},
        {"SpeedIncrement", [](ROVUState& s) { return s.SetSpeed(0.5f, true); }},
        {"SpeedSet", [](ROVUState& s) { return s.SetSpeed(2.0f, false); }},
        {"SpeedMultiply", [](ROVUState& s) { return s.ScaleSpeed(1.5f, true); }},
        {"SpeedScaleSet", [](ROVUState& s) { return s.ScaleSpeed(3.0f, false); }},
        {"VolumeRelative", [](ROVUState& s) { return s.SetVolume(5.0f, true); }},
        {"VolumeAbsolute", [](ROVUState& s) { return s.SetVolume(30.0f, false); }},
        {"VideoRect", [](ROVUState& s) { return s.SetVideoRect(1, 10, 20, 300, 200); }},
        {"PopupRect", [](ROVUState& s) { return s.SetPopupRect(0, 5, 6, 70, 80); }},
        {"Refresh1", [](ROVUState& s) { return s.Refresh(1); }},
        {"Refresh2", [](ROVUState& s) { return s.Refresh(2); }},
    };
    return ops;
}

struct Outcome {
    int result = -1;
    std::vector<std::string> commands{};
    std::vector<HostCall> sent{};
    bool moves = false;   // the window of the rectangle is moved first
    bool stores = false;  // the rectangle is stored
    bool frees = false;   // the library is freed
    bool queuesStop = false;
};
constexpr std::intptr_t kW0 = 0xA0, kW1 = 0xA1;
using Table = std::map<std::string, Outcome>;

// Everything not listed answers -1 and does nothing. "Open" and "LoadFile" of
// idle and ready start the player and are tested with its life cycle.
Table expected(int stateId) {
    const std::vector<HostCall> redraw0{{kW0, orv::kMsgRedrawPrepare}, {kW0, orv::kMsgRedraw}};
    const std::vector<HostCall> redraw1{{kW1, orv::kMsgRedrawPrepare}, {kW1, orv::kMsgRedraw}};
    const Outcome store{0, {}, {}, false, true};
    const Outcome free{0, {}, {}, false, false, true};
    switch (stateId) {
    case 0:
        return {{"Load", {PlayerLibrary::kAlreadyLoaded}}, {"Close", free}, {"VideoRect", store}, {"PopupRect", store}};
    case 1:
        return {{"Close", {1, {}, {}, false, false, false, true}},
                {"LoadFile", {0, {kLoadAB}}},
                {"Pause", {0, {"pause"}}},
                {"SkipEntry", {0, {"pt_step 1 1"}}},
                {"TogglePause", {0, {"pause"}}},
                {"FrameStep", {0, {}, {{kW0, orv::kMsgFrameStep}}}},
                {"SeekRelative", {0, {"seek -1.50"}}},
                {"SeekAbsolute", {0, {"seek 2.50 2"}}},
                {"SpeedIncrement", {0, {"speed_incr 0.50"}}},
                {"SpeedSet", {0, {"speed_set 2.00 2"}}},
                {"SpeedMultiply", {0, {"speed_mult 1.50"}}},
                {"SpeedScaleSet", {0, {"speed_set 3.00 2"}}},
                {"VolumeRelative", {0, {"volume 105 2"}}},
                {"VolumeAbsolute", {0, {"volume 30 2"}}},
                {"VideoRect", {0, {}, {}, true, true}},
                {"PopupRect", store}, // no popup shows channel 0: the window stays in the owner
                {"Refresh1", {0, {}, redraw0}},
                {"Refresh2", {0, {}, redraw1}}};
    case 2: return {{"Close", free}};
    case 3:
        return {{"Close", {0, {"quit"}, {}, false, false, true}},
                {"Open", {0, {kLoadAB}}},
                {"LoadFile", {0, {kLoadAB}}},
                {"Pause", {1}}, // replay, but no files were loaded
                {"SpeedIncrement", {0, {"speed_incr 0.50"}}},
                {"SpeedSet", {0, {"speed_set 2.00 2"}}},
                {"SpeedMultiply", {0, {"speed_mult 1.50"}}},
                {"SpeedScaleSet", {0, {"speed_set 3.00 2"}}},
                {"VideoRect", store},
                {"PopupRect", store},
                {"Refresh1", {0, {}, redraw0}},
                {"Refresh2", {0, {}, redraw1}}};
    case 4: return {{"Close", free}, {"Pause", {1}}, {"VideoRect", store}, {"PopupRect", store}};
    default: return {};
    }
}

struct StateCase {
    const char* name;
    ROVUState& (*state)(ROVUAdap&);
    bool viaForwarding;
};

void PrintTo(const StateCase& c, std::ostream* os) { *os << c.name; }

class StateOperationsTest : public testing::TestWithParam<StateCase> {
protected:
    scripted::ScriptedControl& library = scriptedLibrary();
};

TEST_P(StateOperationsTest, EveryOperationAnswersAsItsStateDoes) {
    const StateCase& param = GetParam();
    for (const Op& op : operations()) {
        SCOPED_TRACE(op.name);
        library.reset();
        FakeHost opHost;
        ROVUAdap a(opHost);
        ASSERT_EQ(a.current()->Load(SCRIPTED_ORVPLAYER_PATH), 0);
        library.emitOnOtherThread({orv::kEvVideoWindow0, kW0});
        library.emitOnOtherThread({orv::kEvVideoWindow1, kW1});
        ROVUState& state = param.state(a);
        const int stateId = state.StateId();
        if ((stateId == 0 || stateId == 4) && (op.name == "Open" || op.name == "LoadFile"))
            continue;
        const Table table = expected(stateId);
        const auto found = table.find(op.name);
        const Outcome want = found == table.end() ? Outcome{} : found->second;

        a.ChangeState(&state);
        if (param.viaForwarding)
            a.ChangeState(&a.forwarding());
        ROVUState* const before = a.current();
        testing::internal::CaptureStdout();
        const int result = op.run(*a.current());
        const std::string printed = testing::internal::GetCapturedStdout();

        EXPECT_EQ(result, want.result);
        EXPECT_EQ(library.commands(), want.commands);
        EXPECT_EQ(opHost.sent(), want.sent);
        EXPECT_EQ(printed, want.result == -1 && op.name.starts_with("Refresh") ? kUndefinedLine : "");
        if (!want.frees) {
            EXPECT_EQ(a.current(), before) << "the state changed";
        }
        EXPECT_EQ(!a.library().loaded(), want.frees);

        PendingTransition pending;
        const bool queued = a.transitions().readOldest(&pending) == MVOXQ::kRead;
        EXPECT_EQ(queued, want.queuesStop);
        if (queued) {
            EXPECT_EQ(pending.from, reinterpret_cast<std::intptr_t>(&a.playing()));
            EXPECT_EQ(pending.to, reinterpret_cast<std::intptr_t>(&a.stopped()));
            EXPECT_EQ(pending.code, orv::kEvStopped);
            EXPECT_EQ(pending.requester, reinterpret_cast<std::intptr_t>(&a.playing()));
        }

        std::vector<WindowMove> moves;
        orv::VideoRectTable rects = kNoRects, popups = kNoRects;
        if (op.name == "VideoRect") {
            if (want.moves)
                moves.push_back({kW1, 10, 20, 300, 200});
            if (want.stores)
                rects.rect[1][0] = 10, rects.rect[1][1] = 20, rects.rect[1][2] = 300, rects.rect[1][3] = 200;
        }
        if (op.name == "PopupRect") {
            if (want.moves)
                moves.push_back({kW0, 5, 6, 70, 80});
            if (want.stores)
                popups.rect[0][0] = 5, popups.rect[0][1] = 6, popups.rect[0][2] = 70, popups.rect[0][3] = 80;
        }
        EXPECT_EQ(opHost.moves(), moves);
        EXPECT_EQ(std::memcmp(&a.videoRects(), &rects, sizeof rects), 0);
        EXPECT_EQ(std::memcmp(&a.popupRects(), &popups, sizeof popups), 0);
    }
}

ROVUState& idleOf(ROVUAdap& a) { return a.idle(); }
ROVUState& playingOf(ROVUAdap& a) { return a.playing(); }
ROVUState& stoppedOf(ROVUAdap& a) { return a.stopped(); }
ROVUState& endedOf(ROVUAdap& a) { return a.ended(); }
ROVUState& readyOf(ROVUAdap& a) { return a.ready(); }

INSTANTIATE_TEST_SUITE_P(States, StateOperationsTest,
                         testing::Values(StateCase{"Idle", idleOf, false}, StateCase{"Playing", playingOf, false},
                                         StateCase{"Stopped", stoppedOf, false}, StateCase{"Ended", endedOf, false},
                                         StateCase{"Ready", readyOf, false},
                                         StateCase{"ForwardingFromIdle", idleOf, true},
                                         StateCase{"ForwardingFromPlaying", playingOf, true},
                                         StateCase{"ForwardingFromStopped", stoppedOf, true},
                                         StateCase{"ForwardingFromEnded", endedOf, true},
                                         StateCase{"ForwardingFromReady", readyOf, true}),
                         [](const testing::TestParamInfo<StateCase>& p) { return std::string(p.param.name); });

} // namespace
} // namespace kyvo::player::test

namespace kyvo::player::test {
namespace {

TEST_F(PlayerAdapterTest, PlayingNeedsTheReportedWindowsAndAWindowMoveThatWorks) {
    adapter->ChangeState(&adapter->playing());
    ROVUState& playing = *current();
    EXPECT_EQ(playing.FrameStep(), 1);
    EXPECT_EQ(playing.SetVideoRect(0, 1, 2, 3, 4), 1);
    EXPECT_EQ(playing.SetPopupRect(1, 1, 2, 3, 4), 1);
    EXPECT_EQ(playing.Refresh(1), 1);
    EXPECT_EQ(adapter->NotifyMoved(), 1);

    emitElsewhere(orv::kEvVideoWindow0, kWindow0);
    EXPECT_EQ(playing.SetVideoRect(1, 1, 2, 3, 4), 2) << "channel 1 has no window";
    EXPECT_EQ(adapter->videoRects().rect[1][2], 3) << "its window will be made at that rectangle";
    EXPECT_EQ(playing.Refresh(2), 1);
    EXPECT_EQ(playing.Refresh(3), 1);
    host.setMoveSucceeds(false);
    EXPECT_EQ(playing.SetVideoRect(0, 1, 2, 3, 4), 2);
    EXPECT_EQ(host.moves(), (std::vector<WindowMove>{{kWindow0, 1, 2, 3, 4}}));
    EXPECT_EQ(std::memcmp(&adapter->videoRects().rect[0], &kNoRects.rect[0], sizeof kNoRects.rect[0]), 0)
        << "a failed move stores nothing";
    EXPECT_TRUE(host.sent().empty());

    EXPECT_EQ(adapter->NotifyMoved(), 0);
    EXPECT_EQ(host.sent(), (std::vector<HostCall>{{kWindow0, orv::kMsgPlaced}}));
    // The library's windows go with its player.
    emitElsewhere(orv::kEvPlayerEnded);
    adapter->ChangeState(&adapter->playing());
    EXPECT_EQ(current()->FrameStep(), 1);
    EXPECT_EQ(adapter->NotifyMoved(), 1);
}

TEST_F(PlayerAdapterTest, SeekWhileSteppingPausesAgainAndVolumeFollowsItsLastValue) {
    adapter->ChangeState(&adapter->playing());
    adapter->stepping.store(1);
    EXPECT_EQ(current()->Seek(-1.0f, true), 0);
    EXPECT_EQ(current()->Seek(12.345f, false), 0);
    EXPECT_EQ(current()->SetVolume(5.0f, true), 0);
    EXPECT_EQ(current()->SetVolume(-20.9f, true), 0); // truncated to -20
    EXPECT_EQ(current()->SetVolume(30.0f, false), 0);
    EXPECT_EQ(library.commands(), (std::vector<std::string>{"seek -1.00", "pause", "seek 12.35 2", "pause",
                                                            "volume 105 2", "volume 85 2", "volume 30 2"}));
    // The library asks for the volume when its player starts.
    std::int32_t volume = 0;
    emitElsewhere(orv::kEvVolume, &volume);
    EXPECT_EQ(volume, 30);
}

TEST_F(PlayerAdapterTest, ChangingToTheCurrentStateKeepsTheLinks) {
    adapter->ChangeState(&adapter->ready());
    adapter->ChangeState(&adapter->playing());
    EXPECT_EQ(adapter->previous(), &adapter->ready());
    EXPECT_EQ(adapter->playing().origin(), &adapter->ready());
    adapter->ChangeState(&adapter->playing());
    EXPECT_EQ(current(), &adapter->playing());
    EXPECT_EQ(adapter->previous(), &adapter->ready());
    EXPECT_EQ(adapter->playing().origin(), &adapter->ready());
}

TEST_F(PlayerAdapterTest, EndedPauseReplaysTheFilesItLoadedLast) {
    adapter->ChangeState(&adapter->ended());
    EXPECT_EQ(current()->Pause(), 1);
    EXPECT_EQ(current()->LoadFile("/rec/a.mov", "/rec/b.mov"), 0);
    EXPECT_EQ(current()->Pause(), 0);
    EXPECT_EQ(library.commands(), (std::vector<std::string>{kLoadAB, kLoadAB}));
}

} // namespace
} // namespace kyvo::player::test
