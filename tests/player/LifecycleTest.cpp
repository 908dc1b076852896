// The player's life through the adapter: binding the library, starting the
// player thread, loading while it runs, stopping it through the queue thread,
// ending it from the ended state and on destruction.

#include "AdapterTestSupport.h"

#include <thread>

namespace kyvo::player::test {
namespace {

// For what the adapter's own threads finish without telling anyone.
template <class Predicate>
bool waitUntil(Predicate done) {
    const auto deadline = std::chrono::steady_clock::now() + kWait;
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::yield();
    }
    return true;
}

const std::vector<std::string> kVeloraFixed{"mplayer", "-vo", "directx:noaccel", "-autosync", "0"};

std::vector<std::string> veloraArgs(const std::string& first, const std::string& second) {
    auto args = kVeloraFixed;
    args.push_back(first);
    args.push_back(second);
    return args;
}

std::string loadCommand(const std::string& first, const std::string& second) {
    return "rovu_loadfile \"" + first + "\" \"" + second + "\"";
}

TEST_F(PlayerAdapterTest, LoadAnswersWhatTheBindingFound) {
    FakeHost otherHost;
    ROVUAdap other(otherHost);
    EXPECT_EQ(other.current()->Load(""), PlayerLibrary::kNoName);
    EXPECT_EQ(other.current()->Load("/nonexistent/liborvplayer.so"), PlayerLibrary::kLoadFailed);
    EXPECT_FALSE(other.library().loaded());
    EXPECT_EQ(other.current()->Load("libm.so.6"), PlayerLibrary::kExportMissing);
    EXPECT_TRUE(other.library().loaded()) << "the module stays loaded, unbound";
    EXPECT_EQ(other.current()->Close(), 0);
    EXPECT_EQ(other.current()->Close(), 1) << "nothing left to free";

    // The bound adapter registered itself and its callback.
    EXPECT_EQ(library.instance(), adapter.get());
    EXPECT_EQ(library.callback(), &ROVUAdap::PlayerEventCallback);
}

TEST_F(PlayerAdapterTest, OpenWithoutALibraryStartsNothing) {
    FakeHost otherHost;
    ROVUAdap other(otherHost);
    EXPECT_EQ(other.Open("/rec/a.mov", ""), 0) << "idle's LoadFile answers 0";
    other.ChangeState(&other.ready());
    EXPECT_EQ(other.Open("/rec/a.mov", ""), 3);
    EXPECT_FALSE(other.playerThreadRunning());
    EXPECT_TRUE(library.veloraCalls().empty());
}

TEST_F(PlayerAdapterTest, OpenFromIdleStartsThePlayerWithBothFilesInForwardSlashes) {
    ASSERT_EQ(adapter->Open("C:\\rec\\drf_1.mov", "D:\\rec\\drf_1_R.mov"), 0);
    EXPECT_EQ(current(), &adapter->forwarding());
    ASSERT_TRUE(library.waitForVeloraCalls(1, kWait));
    EXPECT_EQ(library.veloraCalls()[0], veloraArgs("C:/rec/drf_1.mov", "D:/rec/drf_1_R.mov"));
    EXPECT_EQ(library.commands(), std::vector<std::string>{loadCommand("C:/rec/drf_1.mov", "D:/rec/drf_1_R.mov")});
    EXPECT_TRUE(adapter->playerThreadRunning());

    emit(orv::kEvStopFlag, reinterpret_cast<std::intptr_t>(library.stopFlag()));
    emit(orv::kEvReady);
    // A second Open while the player runs goes to ready's Open: the load
    // command is sent, the running player is kept.
    EXPECT_EQ(adapter->Open("/rec/b.mov", nullptr), 2);
    EXPECT_EQ(library.commands().back(), loadCommand("/rec/b.mov", ""));
    EXPECT_EQ(library.veloraCalls().size(), 1u);
}

TEST_F(PlayerAdapterTest, OpenFromReadyStartsThePlayer) {
    adapter->ChangeState(&adapter->ready());
    ASSERT_EQ(adapter->Open("/rec/a.mov", "/rec/b.mov"), 0);
    ASSERT_TRUE(library.waitForVeloraCalls(1, kWait));
    EXPECT_EQ(library.veloraCalls()[0], veloraArgs("/rec/a.mov", "/rec/b.mov"));
}

TEST_F(PlayerAdapterTest, OpenFromEndedLoadsIntoTheRunningPlayer) {
    startPlaying();
    emit(orv::kEvEndOfEntry);
    ASSERT_EQ(current(), &adapter->ended());
    const std::size_t mark = library.commands().size();
    EXPECT_EQ(adapter->Open("E:\\next.mov", ""), 0);
    EXPECT_EQ(commandsFrom(mark), std::vector<std::string>{loadCommand("E:/next.mov", "")});
    EXPECT_EQ(current(), &adapter->forwarding());
    emit(orv::kEvPlaying); // the next code of the library ends the forwarding
    EXPECT_EQ(current(), &adapter->playing());
    EXPECT_EQ(library.veloraCalls().size(), 1u);
}

// Text of "rovu_loadfile" around the paths, and the command buffers: 256
// bytes for playing and ended, 260 for ready, 256 for each argument copy.
constexpr std::size_t kLoadCommandText = 19;

std::string pathOf(std::size_t length) { return "/" + std::string(length - 1, 'p'); }

TEST_F(PlayerAdapterTest, PathsLongerThanTheBuffersAreRefusedAndNothingIsSent) {
    adapter->ChangeState(&adapter->playing());
    const std::size_t longest = 255 - kLoadCommandText;
    EXPECT_EQ(current()->LoadFile(pathOf(longest + 1).c_str(), ""), kPathTooLong);
    EXPECT_EQ(current()->LoadFile(pathOf(longest - 9).c_str(), pathOf(10).c_str()), kPathTooLong);
    adapter->ChangeState(&adapter->ended());
    EXPECT_EQ(adapter->Open(pathOf(longest + 1).c_str(), ""), kPathTooLong);
    EXPECT_TRUE(library.commands().empty());
    EXPECT_EQ(current()->LoadFile(pathOf(longest).c_str(), ""), 0);
    EXPECT_EQ(library.commands().size(), 1u);

    adapter->ChangeState(&adapter->idle());
    EXPECT_EQ(adapter->Open(pathOf(259 - kLoadCommandText + 1).c_str(), ""), kPathTooLong);
    EXPECT_EQ(adapter->Open(pathOf(200).c_str(), pathOf(259 - kLoadCommandText - 199).c_str()), kPathTooLong);
    EXPECT_EQ(library.commands().size(), 1u);
    EXPECT_FALSE(adapter->playerThreadRunning());

    const std::string longestFirst = pathOf(259 - kLoadCommandText);
    adapter->ChangeState(&adapter->idle());
    ASSERT_EQ(adapter->Open(longestFirst.c_str(), ""), 0);
    ASSERT_TRUE(library.waitForVeloraCalls(1, kWait));
    EXPECT_EQ(library.veloraCalls()[0], veloraArgs(longestFirst, ""));
}

TEST_F(PlayerAdapterTest, StopBeforeTheStopFlagOnlyQueuesItAndTheQueueThreadFinishesIt) {
    ASSERT_EQ(adapter->Open("/rec/a.mov", ""), 0);
    ASSERT_TRUE(library.waitForVeloraCalls(1, kWait));
    emit(orv::kEvReady);
    emit(orv::kEvPlaying);
    EXPECT_EQ(current()->Close(), 1);
    EXPECT_EQ(library.stopFlagValue(), 0);
    EXPECT_TRUE(library.inVelora());
    PendingTransition queued;
    ASSERT_EQ(adapter->transitions().readOldest(&queued), MVOXQ::kRead);
    EXPECT_EQ(queued.code, orv::kEvStopped);

    // The flag arrives; the stop is asked again and now reaches the player.
    emit(orv::kEvStopFlag, reinterpret_cast<std::intptr_t>(library.stopFlag()));
    EXPECT_EQ(current()->Close(), 1);
    EXPECT_EQ(library.stopFlagValue(), 1);
    ASSERT_TRUE(library.waitForVeloraReturns(1, kWait));
    EXPECT_TRUE(waitUntil([&] { return !adapter->library().loaded(); })) << "the queue thread did not free the library";
    EXPECT_TRUE(waitUntil([&] { return current() == &adapter->idle(); }));
    EXPECT_EQ(library.callback(), nullptr);
    EXPECT_FALSE(adapter->playerThreadRunning());
}

// The library reports 16 and 22 back to back; the queue thread may look at the
// states only after both. The stop is still finished, every time.
TEST_F(PlayerAdapterTest, EveryStopRequestFreesTheLibraryAndEndsIdle) {
    constexpr int kRounds = 20;
    for (int round = 0; round < kRounds; ++round) {
        SCOPED_TRACE(round);
        library.reset();
        adapter = std::make_unique<ROVUAdap>(host);
        ASSERT_EQ(current()->Load(SCRIPTED_ORVPLAYER_PATH), 0);
        startPlaying();
        EXPECT_EQ(current()->Close(), 1);
        ASSERT_TRUE(library.waitForVeloraReturns(1, kWait));
        ASSERT_TRUE(waitUntil([&] { return !adapter->library().loaded() && current() == &adapter->idle(); }))
            << "stuck in state " << current()->StateId();
        EXPECT_EQ(adapter->transitions().readOldest(nullptr), MVOXQ::kEmpty);
    }
}

// The player holds between 16 and 22 while the queue thread, finishing the
// stop, waits for it; the destructor then joins the same player thread.
TEST_F(PlayerAdapterTest, DestroyingTheAdapterWhileTheQueueThreadFinishesAStop) {
    library.setHoldAfterStopped(true);
    startPlaying();
    EXPECT_EQ(current()->Close(), 1);
    ASSERT_TRUE(library.waitUntilHeld(kWait));
    EXPECT_EQ(current(), &adapter->stopped());
    ASSERT_TRUE(waitUntil([&] { return adapter->transitions().readOldest(nullptr) == MVOXQ::kEmpty; }));
    adapter.reset(); // "quit" releases the player; both threads end
    EXPECT_EQ(library.veloraReturns(), 1);
}

TEST_F(PlayerAdapterTest, EndedCloseQuitsAndWaitsForThePlayerToStop) {
    startPlaying();
    emit(orv::kEvEndOfEntry);
    ASSERT_EQ(current(), &adapter->ended());
    const std::size_t mark = library.commands().size();
    EXPECT_EQ(current()->Close(), 0);
    EXPECT_EQ(commandsFrom(mark), std::vector<std::string>{"quit"});
    EXPECT_EQ(library.veloraReturns(), 1) << "Close returned before the player ended";
    EXPECT_FALSE(adapter->library().loaded());
    EXPECT_EQ(current(), &adapter->idle());
}

TEST_F(PlayerAdapterTest, DestructionEndsAPlayerThatOnlyHeedsItsStopFlag) {
    library.setIgnoreQuit(true);
    startPlaying();
    adapter.reset();
    EXPECT_EQ(library.veloraReturns(), 1);
    EXPECT_EQ(library.stopFlagValue(), 1);
}

TEST_F(PlayerAdapterTest, DestructionEndsAPlayerThatGaveNoStopFlagYet) {
    ASSERT_EQ(adapter->Open("/rec/a.mov", ""), 0);
    ASSERT_TRUE(library.waitForVeloraCalls(1, kWait));
    adapter.reset();
    EXPECT_EQ(library.veloraReturns(), 1);
    EXPECT_EQ(library.commands().back(), "quit");
}

TEST_F(PlayerAdapterTest, NothingReachesTheOwnerOnceClosingBegan) {
    startPlaying();
    setFrameCount(0); // any end would be the last frame
    orv::FrameInfo info{};
    info.time = 1.5f;
    library.setFarewell({{orv::kEvFrameIndex, 1},
                         {orv::kEvFrame, reinterpret_cast<std::intptr_t>(&info)},
                         {orv::kEvEndOfEntry, 0}});
    const std::size_t before = host.notifications().size();
    adapter.reset();
    EXPECT_EQ(library.veloraReturns(), 1);
    EXPECT_EQ(host.notifications().size(), before);
}

// The end event wakes the queue thread even when it changes no state: a
// pending stop transition matching the states is then finished. Two
// transitions without an action come first, for wake-ups left over from the
// player's end.
TEST_F(PlayerAdapterTest, EndEventWakesTheQueueThread) {
    startPlayer();
    adapter->library().command("quit");
    ASSERT_TRUE(library.waitForVeloraReturns(1, kWait));
    ASSERT_EQ(current(), &adapter->idle());
    ASSERT_EQ(adapter->previous(), &adapter->stopped());
    const auto from = reinterpret_cast<std::intptr_t>(&adapter->stopped());
    const auto to = reinterpret_cast<std::intptr_t>(&adapter->idle());
    adapter->transitions().write({from, to, orv::kEvReady, 1});
    adapter->transitions().write({from, to, orv::kEvReady, 2});
    adapter->transitions().write({from, to, orv::kEvStopped, 3});
    auto head = [&] {
        PendingTransition oldest;
        return adapter->transitions().readOldest(&oldest) == MVOXQ::kRead ? oldest.requester : 0;
    };
    while (adapter->library().loaded()) {
        const std::intptr_t was = head();
        emitElsewhere(orv::kEvEndOfEntry);
        ASSERT_TRUE(waitUntil([&] { return head() != was || !adapter->library().loaded(); }))
            << "the end event did not wake the queue thread (oldest " << was << ")";
    }
    EXPECT_EQ(current(), &adapter->idle());
}

} // namespace
} // namespace kyvo::player::test
