// The player's life through the adapter: binding the library, starting the
// player thread, loading while it runs, the files it refuses before anything
// changes, stopping it through the queue thread, ending it from the ended
// state and on destruction, and threads that cannot be started.

#include "AdapterTestSupport.h"

#include "CommandParser.h"
#include "ThreadStartFailures.h"

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

// A path as the load command quotes it: backslashes and double quotes escaped.
std::string quoted(const std::string& path) {
    std::string out = "\"";
    for (const char c : path) {
        if (c == '\\' || c == '"')
            out += '\\';
        out += c;
    }
    return out + '"';
}

std::string loadCommand(const std::string& first, const std::string& second) {
    return "rovu_loadfile " + quoted(first) + " " + quoted(second);
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

// On Linux "\" is an ordinary character of a file name: the player gets the
// paths as they are, and the load command escapes what its quotes need.
TEST_F(PlayerAdapterTest, OpenFromIdleStartsThePlayerWithBothFilesAsTheyAre) {
    const std::string first = "/rec/a\\b \"c\".mov";
    const std::string second = "/rec/\\\\d\\.mov";
    ASSERT_EQ(adapter->Open(first.c_str(), second.c_str()), 0);
    EXPECT_EQ(current(), &adapter->forwarding());
    ASSERT_TRUE(library.waitForVeloraCalls(1, kWait));
    EXPECT_EQ(library.veloraCalls()[0], veloraArgs(first, second));
    EXPECT_EQ(library.commands(),
              std::vector<std::string>{R"(rovu_loadfile "/rec/a\\b \"c\".mov" "/rec/\\\\d\\.mov")"});
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
    EXPECT_EQ(adapter->Open("/rec/E:\\next.mov", ""), 0);
    EXPECT_EQ(commandsFrom(mark), std::vector<std::string>{R"(rovu_loadfile "/rec/E:\\next.mov" "")"});
    EXPECT_EQ(current(), &adapter->forwarding());
    emit(orv::kEvPlaying); // the next code of the library ends the forwarding
    EXPECT_EQ(current(), &adapter->playing());
    EXPECT_EQ(library.veloraCalls().size(), 1u);
}

std::string pathOf(std::size_t length, char fill = 'p') { return "/" + std::string(length - 1, fill); }

// One limit in every state: kMaxPathBytes bytes are taken, one more is refused
// before the state changes and before anything reaches the library.
TEST_F(PlayerAdapterTest, PathsUpToTheLimitAreTakenInEveryStateAndLongerOnesChangeNothing) {
    const std::string tooLong = pathOf(kMaxPathBytes + 1);
    const std::string longest = pathOf(kMaxPathBytes);
    for (ROVUState* state : {static_cast<ROVUState*>(&adapter->idle()), static_cast<ROVUState*>(&adapter->ready()),
                             static_cast<ROVUState*>(&adapter->playing()),
                             static_cast<ROVUState*>(&adapter->ended())}) {
        SCOPED_TRACE(state->StateId());
        adapter->ChangeState(state);
        ROVUState* const previous = adapter->previous();
        EXPECT_EQ(adapter->Open(tooLong.c_str(), ""), kPathTooLong);
        EXPECT_EQ(adapter->Open(longest.c_str(), tooLong.c_str()), kPathTooLong);
        EXPECT_EQ(current()->LoadFile(tooLong.c_str(), ""), kPathTooLong);
        EXPECT_EQ(current(), state) << "the state changed";
        EXPECT_EQ(adapter->previous(), previous);
    }
    EXPECT_TRUE(library.commands().empty());
    EXPECT_TRUE(library.veloraCalls().empty());

    // Two paths at the limit whose every byte the load command must escape
    // still make one command, which reads back as the two paths.
    const std::string quotes = pathOf(kMaxPathBytes, '"');
    const std::string backslashes = pathOf(kMaxPathBytes, '\\');
    adapter->ChangeState(&adapter->playing());
    ASSERT_EQ(current()->LoadFile(quotes.c_str(), backslashes.c_str()), 0);
    ASSERT_EQ(library.commands().size(), 1u);
    const std::string command = library.commands().back();
    EXPECT_LT(command.size(), kLoadCommandBuffer);
    const auto parsed = orv::parseCommand(command);
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->files[0], quotes);
    EXPECT_EQ(parsed->files[1], backslashes);

    // From idle the player thread gets both paths whole.
    adapter->ChangeState(&adapter->idle());
    ASSERT_EQ(adapter->Open(longest.c_str(), backslashes.c_str()), 0);
    ASSERT_TRUE(library.waitForVeloraCalls(1, kWait));
    EXPECT_EQ(library.veloraCalls()[0], veloraArgs(longest, backslashes));
}

// What a power loss leaves on a card: the second of three recordings is all
// zeros. It is refused where it stands in the list, before anything changes:
// the state, the files a replay would load, the telemetry shown, the library.
TEST_F(PlayerAdapterTest, AFileThatHoldsNoRecordingIsRefusedBeforeAnythingChanges) {
    TempFolder folder;
    writeRecording(folder / "drf_1.mov", 4);
    {
        std::ofstream zeros(folder / "drf_2.mov", std::ios::binary);
        zeros << std::string(64 * 1024, '\0');
        std::ofstream(folder / "drf_tiny.mov", std::ios::binary) << "junk";
    }
    writeRecording(folder / "drf_3.mov", 4);
    const std::string first = (folder / "drf_1.mov").string();
    const std::string broken = (folder / "drf_2.mov").string();
    const std::string tiny = (folder / "drf_tiny.mov").string();
    const std::string third = (folder / "drf_3.mov").string();

    startPlaying(first);
    showFrame(1);
    emit(orv::kEvEndOfEntry);
    ASSERT_EQ(current(), &adapter->ended());
    const std::size_t mark = library.commands().size();
    for (const std::string& bad : {broken, tiny}) {
        SCOPED_TRACE(bad);
        EXPECT_EQ(adapter->Open(bad.c_str(), ""), kNotARecording);
        EXPECT_EQ(current()->LoadFile(bad.c_str(), ""), kNotARecording);
        EXPECT_EQ(current(), &adapter->ended());
        EXPECT_EQ(adapter->previous(), &adapter->playing());
    }
    EXPECT_EQ(commandsFrom(mark), std::vector<std::string>{});
    EXPECT_EQ(adapter->noTelemetry.load(), 0);
    std::array<char, kGpsRecordSize> gps{};
    std::array<float, 3> sensor{};
    ASSERT_TRUE(adapter->telemetry(gps, sensor));
    EXPECT_EQ(std::string(gps.data()), numberedEntry(1).sentence);

    // A replay still plays the file before; the list goes on with the third.
    EXPECT_EQ(current()->Pause(), 0);
    EXPECT_EQ(adapter->Open(third.c_str(), ""), 0);
    EXPECT_EQ(commandsFrom(mark), (std::vector<std::string>{loadCommand(first, ""), loadCommand(third, "")}));

    // Nor does a broken file start a player.
    adapter->ChangeState(&adapter->playing());
    EXPECT_EQ(current()->LoadFile(broken.c_str(), ""), kNotARecording);
    adapter->ChangeState(&adapter->idle());
    EXPECT_EQ(adapter->Open(broken.c_str(), ""), kNotARecording);
    EXPECT_EQ(current(), &adapter->idle());
    EXPECT_EQ(library.veloraCalls().size(), 1u);
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

// A player that does not end within the patience of ended's Close keeps the
// library: Close answers 1 and frees nothing, so nothing waits for it without
// limit; once the player has ended, the library can be freed.
TEST_F(PlayerAdapterTest, EndedCloseGivesUpOnAPlayerThatDoesNotEndAndFreesNothing) {
    constexpr auto kShortPatience = 50ms;
    library.setHoldAfterStopped(true);
    adapter->setStopPatience(kShortPatience);
    startPlaying();
    emit(orv::kEvEndOfEntry);
    ASSERT_EQ(current(), &adapter->ended());
    EXPECT_EQ(current()->Close(), 1);
    EXPECT_TRUE(adapter->library().loaded());
    ASSERT_TRUE(library.waitUntilHeld(kWait));
    EXPECT_TRUE(adapter->playerThreadRunning());

    adapter->library().command("quit"); // the player goes on to its end
    ASSERT_TRUE(library.waitForVeloraReturns(1, kWait));
    ASSERT_TRUE(waitUntil([&] { return !adapter->playerThreadRunning(); }));
    EXPECT_EQ(current(), &adapter->idle());
    EXPECT_EQ(current()->Close(), 0);
    EXPECT_FALSE(adapter->library().loaded());
}

// A stop requested for one playback is not finished for the next: starting a
// player forgets the stops still pending.
TEST_F(PlayerAdapterTest, AStopPendingFromAnEarlierPlaybackIsNotFinishedForTheNext) {
    // No stop flag yet: the request is only queued. The player then ends from
    // ended, not from playing, so the request stays pending.
    ASSERT_EQ(adapter->Open("/rec/a.mov", ""), 0);
    ASSERT_TRUE(library.waitForVeloraCalls(1, kWait));
    emit(orv::kEvReady);
    emit(orv::kEvPlaying);
    EXPECT_EQ(current()->Close(), 1);
    emit(orv::kEvEndOfEntry);
    adapter->library().command("quit");
    ASSERT_TRUE(library.waitForVeloraReturns(1, kWait));
    ASSERT_TRUE(waitUntil([&] { return !adapter->playerThreadRunning(); }));
    ASSERT_EQ(current(), &adapter->idle());
    ASSERT_EQ(adapter->transitions().readOldest(nullptr), MVOXQ::kNoOutput) << "the stop should still be pending";

    // The next playback starts without it; that player ending by itself
    // (playing, then stopped) leaves the library bound for the one after.
    ASSERT_EQ(adapter->Open("/rec/b.mov", ""), 0);
    ASSERT_TRUE(library.waitForVeloraCalls(2, kWait));
    EXPECT_EQ(adapter->transitions().readOldest(nullptr), MVOXQ::kEmpty);
    emit(orv::kEvReady);
    emit(orv::kEvPlaying);
    adapter->library().command("quit");
    ASSERT_TRUE(library.waitForVeloraReturns(2, kWait));
    ASSERT_TRUE(waitUntil([&] { return !adapter->playerThreadRunning(); }));
    ASSERT_EQ(adapter->Open("/rec/c.mov", ""), 0);
    EXPECT_TRUE(library.waitForVeloraCalls(3, kWait)) << "the library was freed for a stop nobody asked for";
}

// The queue thread finishes a stop while the owner opens the next file at
// once. Either the stop frees the library first (and the Open starts
// nothing), or the new player starts and keeps the library for as long as it
// runs and after it ended by itself.
TEST_F(PlayerAdapterTest, OpenRightAfterAStopNeverFreesTheLibraryUnderTheNewPlayer) {
    constexpr int kRounds = 20;
    for (int round = 0; round < kRounds; ++round) {
        SCOPED_TRACE(round);
        library.reset(); // no player runs: a fresh stop flag and counts
        ASSERT_EQ(adapter->Open("/rec/a.mov", ""), 0);
        ASSERT_TRUE(library.waitForVeloraCalls(1, kWait)) << "the library was freed under a player";
        emit(orv::kEvStopFlag, reinterpret_cast<std::intptr_t>(library.stopFlag()));
        emit(orv::kEvReady);
        emit(orv::kEvPlaying);
        EXPECT_EQ(current()->Close(), 1);
        ASSERT_TRUE(library.waitForVeloraReturns(1, kWait));
        ASSERT_TRUE(waitUntil([&] { return !adapter->playerThreadRunning(); }));
        library.reset();

        ASSERT_EQ(adapter->Open("/rec/b.mov", ""), 0); // races with the queue thread
        if (adapter->playerThreadRunning()) {
            ASSERT_TRUE(library.waitForVeloraCalls(1, kWait));
            EXPECT_TRUE(adapter->library().loaded());
            adapter->library().command("quit");
            ASSERT_TRUE(library.waitForVeloraReturns(1, kWait));
            ASSERT_TRUE(waitUntil([&] { return !adapter->playerThreadRunning(); }));
        } else {
            ASSERT_TRUE(waitUntil([&] { return !adapter->library().loaded(); }));
            EXPECT_TRUE(library.veloraCalls().empty());
            ASSERT_EQ(current()->Load(SCRIPTED_ORVPLAYER_PATH), PlayerLibrary::kBound);
        }
    }
}

// A thread that cannot be started makes Open fail cleanly: the answer says
// which, nothing is left running, and the next Open starts the player.
TEST_F(PlayerAdapterTest, ThreadsThatCannotStartLeaveNothingRunning) {
    using kyvo::test::ThreadStartFailures;
    adapter->ChangeState(&adapter->ready());
    ThreadStartFailures::arm(0, 1); // the queue thread
    EXPECT_EQ(adapter->Open("/rec/a.mov", ""), 1);
    ThreadStartFailures::arm(1, 1); // the queue thread starts, the player thread does not
    EXPECT_EQ(adapter->Open("/rec/a.mov", ""), 3);
    ThreadStartFailures::disarm();
    EXPECT_FALSE(adapter->playerThreadRunning());
    EXPECT_TRUE(library.veloraCalls().empty());
    EXPECT_EQ(adapter->Open("/rec/a.mov", ""), 0);
    EXPECT_TRUE(library.waitForVeloraCalls(1, kWait));
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
