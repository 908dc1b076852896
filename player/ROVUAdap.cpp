#include "ROVUAdap.h"

#include "StringIds.h"
#include "ViewerMessages.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace kyvo::player {

namespace {

using namespace std::chrono_literals;

constexpr std::uint32_t kUnknownFrameCount = 0xFFFFFFFFu;
constexpr int kDefaultVolume = 100;
constexpr int kDefaultChannelMode = 2;
constexpr auto kStoppedWait = 10s;  // ended's Close waits this long for the player to end
constexpr auto kStartPause = 10ms;  // the pauses of starting a player
constexpr char kTimeLengthRequest[] = "get_time_length";
constexpr char kPictureOnlyMark[] = ".mjpg";
constexpr char kLoadCommandVerb[] = "rovu_loadfile";
// Start results of ready's Open.
constexpr int kStartQueueThreadFailed = 1;
constexpr int kStartPlayerRunning = 2;
constexpr int kStartNoPlayer = 3;
// Times from the library are kept within this many seconds (about 115 days),
// which a float and an int hold.
constexpr float kLongestSeconds = 1.0e7f;
// Volumes beyond this either way are cut; the library takes 0 to 100.
constexpr int kVolumeLimit = 1000;

// A path as the library gets it. Where "\" is the platform's separator it
// becomes "/"; elsewhere a backslash is an ordinary character of a file name.
std::string libraryPath(std::string path) {
#if defined(_WIN32)
    std::replace(path.begin(), path.end(), '\\', '/');
#endif
    return path;
}

// A path in double quotes: backslashes and double quotes get a backslash, so
// that every byte of a file name reaches the library.
void appendQuoted(std::string& out, const std::string& path) {
    out += '"';
    for (const char c : path) {
        if (c == '\\' || c == '"')
            out += '\\';
        out += c;
    }
    out += '"';
}

std::string loadCommand(const std::string& first, const std::string& second) {
    std::string text = kLoadCommandVerb;
    text += ' ';
    appendQuoted(text, libraryPath(first));
    text += ' ';
    appendQuoted(text, libraryPath(second));
    return text;
}

// A time or length from the library as the adapter keeps it: 0 for what is
// not a number, never negative, never beyond kLongestSeconds (so that its
// truncation to int is defined).
float keptSeconds(float seconds) {
    return std::isnan(seconds) ? 0.0f : std::clamp(seconds, 0.0f, kLongestSeconds);
}

} // namespace

ROVUAdap::ROVUAdap(AdapterHost& host) : host_(host) {
    stopPatience_.store(std::chrono::duration_cast<std::chrono::milliseconds>(kStoppedWait));
    reset();
    // The displays are measured once, on the owner's thread: a reset after a
    // stop runs on the queue thread, where the window system is not to be asked.
    int width = 0;
    int height = 0;
    host_.screenSize(width, height);
    screenWidth_.store(width);
    screenHeight_.store(height);
    idle_ = std::make_unique<MVOXstat0>(*this);
    playing_ = std::make_unique<MVOXstat1>(*this);
    stopped_ = std::make_unique<MVOXstat2>(*this);
    ended_ = std::make_unique<MVOXstat3>(*this);
    ready_ = std::make_unique<MVOXstat4>(*this);
    forwarding_ = std::make_unique<MVOXstat9>(*this);
    current_.store(idle_.get());
    previous_.store(nullptr);
}

// Ends the player (quit, and the stop flag once the library gave it) and the
// queue thread, and waits for both before their data goes.
ROVUAdap::~ROVUAdap() {
    closing_.store(true);
    if (playerRunning_.load()) {
        library_.command("quit");
        if (std::int32_t* flag = stopFlag_.load())
            std::atomic_ref<std::int32_t>(*flag).store(1);
    }
    // The queue thread may be joining the player too (finishing a stop).
    joinPlayerThread();
    queueStop_.store(true);
    stateEvent_.set();
    if (queueThread_.joinable())
        queueThread_.join();
    library_.setCallback(nullptr);
}

void ROVUAdap::resetClock() {
    currentTime.store(0);
    currentSecond.store(0);
    length.store(0);
    lengthSeconds.store(0);
}

void ROVUAdap::reset() {
    length.store(0);
    lengthSeconds.store(0);
    {
        std::lock_guard lock(filesMutex_);
        first_.clear();
        second_.clear();
        filesSet_ = false;
    }
    frameIndex.store(0);
    frameCount.store(kUnknownFrameCount);
    popupWindow0.store(0);
    popupWindow1.store(0);
    volume_.store(kDefaultVolume);
    channelMode.store(kDefaultChannelMode);
    {
        std::lock_guard lock(telemetryMutex_);
        reader_.clearData();
        hasTelemetryData_ = false;
        readFailed_ = false;
        box_.clear();
        box_.shrink_to_fit();
    }
    popup0Shown.store(0);
    popup1Shown.store(0);
}

void ROVUAdap::ChangeState(ROVUState* state) {
    {
        std::lock_guard lock(stateMutex_);
        ROVUState* now = current_.load();
        if (state == now)
            return;
        previous_.store(now);
        current_.store(state);
        state->setOrigin(now);
        takeTransition(now, state);
    }
    stateEvent_.set();
}

// The library reports 16 and 22 back to back, so the queue thread may wake
// only after the states have moved on: the oldest pending transition is
// matched here, as it happens, and left to the queue thread as due.
void ROVUAdap::takeTransition(ROVUState* from, ROVUState* to) {
    PendingTransition entry;
    if (ring_.readOldest(&entry) != MVOXQ::kRead || entry.from != reinterpret_cast<std::intptr_t>(from) ||
        entry.to != reinterpret_cast<std::intptr_t>(to))
        return;
    ring_.removeOldest();
    if (entry.code == orv::kEvStopped)
        stopsDue_.fetch_add(1);
}

int ROVUAdap::Open(const char* first, const char* second) {
    const std::string a = first ? first : "";
    const std::string b = second ? second : "";
    if (const int refused = prepareLoad(a, b); refused != 0)
        return refused;
    ChangeState(forwarding_.get());
    const int result = current()->LoadFile(a.c_str(), b.c_str());
    prepared_.valid = false; // a state that does not load leaves it untaken
    return result;
}

int ROVUAdap::NotifyMoved() {
    const std::intptr_t window = videoWindow0_.load();
    if (!window)
        return 1;
    host_.sendToWindow(window, orv::kMsgPlaced, 0, 0);
    return 0;
}

bool ROVUAdap::telemetry(std::array<char, kGpsRecordSize>& gps, std::array<float, 3>& sensor) const {
    std::lock_guard lock(telemetryMutex_);
    if (!hasCopies_)
        return false;
    gps = gpsCopy_;
    sensor = sensorCopy_;
    return true;
}

// --- Steps the states share ---

int ROVUAdap::bindLibrary(const char* path) {
    std::lock_guard life(lifecycleMutex_);
    const int result = library_.load(path);
    if (result == PlayerLibrary::kBound) {
        library_.setInstance(this);
        library_.setCallback(&ROVUAdap::PlayerEventCallback);
    }
    return result;
}

int ROVUAdap::freeLibrary() {
    std::lock_guard life(lifecycleMutex_);
    return freeLibraryLocked();
}

int ROVUAdap::freeLibraryLocked() {
    if (!library_.loaded())
        return 1;
    // The player must be out of the library before it goes.
    joinPlayerThread();
    if (!library_.free())
        return 1;
    reset();
    image0.store(nullptr);
    image1.store(nullptr);
    videoWindow0_.store(0);
    videoWindow1_.store(0);
    stopFlag_.store(nullptr);
    return 0;
}

int ROVUAdap::requestStop(ROVUState* requester) {
    if (!library_.loaded())
        return 1;
    // Before the library gave its stop flag there is nothing to set; the
    // transition is still queued, so that the stop is finished when it comes.
    if (std::int32_t* flag = stopFlag_.load())
        std::atomic_ref<std::int32_t>(*flag).store(1);
    ring_.write({reinterpret_cast<std::intptr_t>(playing_.get()), reinterpret_cast<std::intptr_t>(stopped_.get()),
                 orv::kEvStopped, reinterpret_cast<std::intptr_t>(requester)});
    return 1;
}

void ROVUAdap::sendCommand(const std::string& text) {
    library_.command(text.c_str());
}

int ROVUAdap::prepareLoad(const std::string& first, const std::string& second) {
    if (first.size() > kMaxPathBytes || second.size() > kMaxPathBytes)
        return kPathTooLong;
    if (prepared_.valid && prepared_.first == first && prepared_.second == second)
        return 0;
    prepared_.valid = false;
    prepared_.first = first;
    prepared_.second = second;
    // A picture-only recording has no telemetry; ".mjpg" at the very start of
    // the path does not count.
    const auto mark = first.find(kPictureOnlyMark);
    prepared_.pictureOnly = mark != std::string::npos && mark > 0;
    prepared_.readResult = kTelemetryCopied;
    prepared_.box.clear();
    if (!prepared_.pictureOnly) {
        const ViewMode mode = encryptedViewMode.load() ? ViewMode::Encrypted : ViewMode::General;
        prepared_.readResult = readTelemetryBox(first, mode, key.load(), prepared_.box);
        switch (prepared_.readResult) {
        case kEncryptedInGeneralMode:
        case kGeneralInEncryptedMode:
            // Final: the owner shows why and ends the program; nothing is played.
            host_.viewModeMismatch(prepared_.readResult == kEncryptedInGeneralMode ? strings::kEncryptedInGeneralMode
                                                                                   : strings::kGeneralInEncryptedMode);
            return kViewModeMismatch;
        case kNotARecordingFile:
        case kEmptyFile:
            return kNotARecording;
        case kKeyMismatch:
            return kWrongKey;
        default:
            break; // other failures play on without telemetry
        }
    }
    prepared_.valid = true;
    return 0;
}

void ROVUAdap::takePreparedLoad() {
    {
        std::lock_guard lock(filesMutex_);
        first_ = prepared_.first;
        second_ = prepared_.second;
        filesSet_ = true;
    }
    {
        std::lock_guard lock(telemetryMutex_);
        reader_.clearData(); // the copy it views is replaced
        box_.swap(prepared_.box);
        hasTelemetryData_ = !prepared_.pictureOnly && prepared_.readResult == kTelemetryCopied;
        // The reader keeps the failure flag of its last entry; a failed read
        // (or a picture-only file) counts as failed until the next file.
        readFailed_ = !hasTelemetryData_;
        if (hasTelemetryData_)
            reader_.setData(box_);
        else
            noTelemetry.store(1);
    }
    prepared_.box.clear(); // keeps its capacity for the next file
    prepared_.valid = false;
}

int ROVUAdap::sendLoadCommand(const char* first, const char* second) {
    std::unique_lock<std::mutex> life(lifecycleMutex_, std::defer_lock);
    return sendCheckedLoad(first ? first : "", second ? second : "", life);
}

// The pair is checked and its telemetry read before anything changes; only
// then, under the lifecycle lock (taken into `life`, which the caller keeps),
// the telemetry becomes the current one and the load command goes out.
int ROVUAdap::sendCheckedLoad(const std::string& first, const std::string& second,
                              std::unique_lock<std::mutex>& life) {
    if (const int refused = prepareLoad(first, second); refused != 0)
        return refused;
    const std::string text = loadCommand(first, second);
    life.lock();
    takePreparedLoad();
    sendCommand(text);
    return 0;
}

int ROVUAdap::replay() {
    std::string a;
    std::string b;
    {
        std::lock_guard lock(filesMutex_);
        if (!filesSet_)
            return 1;
        a = first_;
        b = second_;
    }
    current()->LoadFile(a.c_str(), b.c_str());
    return 0;
}

// Ready's Open: the load command goes first (the player picks its files from
// the argument list and drops it); then, once, the queue thread and the player
// thread. A thread that cannot be started leaves nothing running.
int ROVUAdap::start(const char* first, const char* second) {
    const std::string a = first ? first : "";
    const std::string b = second ? second : "";
    std::unique_lock<std::mutex> life(lifecycleMutex_, std::defer_lock);
    if (const int refused = sendCheckedLoad(a, b, life); refused != 0)
        return refused;
    if (!library_.hasVelora())
        return kStartNoPlayer;
    std::this_thread::sleep_for(kStartPause);
    if (playerRunning_.load())
        return kStartPlayerRunning;
    joinPlayerThread(); // a player that has ended
    std::this_thread::sleep_for(kStartPause);
    // A new playback: the stops still pending belong to the one before.
    ring_.clear();
    stopsDue_.store(0);
    std::snprintf(firstArg_.data(), firstArg_.size(), "%s", libraryPath(a).c_str());
    std::snprintf(secondArg_.data(), secondArg_.size(), "%s", libraryPath(b).c_str());
    if (!queueThread_.joinable()) {
        try {
            queueThread_ = std::thread(&ROVUAdap::queueThreadMain, this);
        } catch (const std::system_error&) {
            return kStartQueueThreadFailed;
        }
    }
    try {
        std::lock_guard lock(playerThreadMutex_);
        playerRunning_.store(true);
        playerThread_ = std::thread(&ROVUAdap::playerThreadMain, this);
    } catch (const std::system_error&) {
        playerRunning_.store(false);
        return kStartNoPlayer;
    }
    return 0;
}

int ROVUAdap::seekCommand(float seconds, bool relative) {
    char text[64];
    std::snprintf(text, sizeof text, relative ? "seek %.2f" : "seek %.2f 2", static_cast<double>(seconds));
    sendCommand(text);
    if (stepping.load() == 1)
        sendCommand("pause");
    return 0;
}

int ROVUAdap::speedCommand(float value, bool change, const char* changeFormat) {
    char text[64];
    std::snprintf(text, sizeof text, change ? changeFormat : "speed_set %.2f 2", static_cast<double>(value));
    sendCommand(text);
    return 0;
}

int ROVUAdap::volumeCommand(float value, bool relative) {
    const auto limit = static_cast<float>(kVolumeLimit);
    const int v = std::isnan(value) ? 0 : static_cast<int>(std::clamp(value, -limit, limit));
    const int newVolume = std::clamp(relative ? volume_.load() + v : v, -kVolumeLimit, kVolumeLimit);
    volume_.store(newVolume);
    char text[32];
    std::snprintf(text, sizeof text, "volume %d 2", newVolume);
    sendCommand(text);
    return 0;
}

int ROVUAdap::moveWindow(std::uint8_t channel, std::int16_t x, std::int16_t y, std::int16_t w, std::int16_t h,
                         bool popup) {
    if (!videoWindow0_.load())
        return 1;
    // The window moves only where its channel shows: in the channel's popup
    // while that is shown, else in the owner. The other rectangle is only
    // stored; the library places the window at it on the next Refresh.
    const bool inPopup = (channel ? popup1Shown : popup0Shown).load() != 0;
    if (popup != inPopup)
        return storeRect(channel, x, y, w, h, popup);
    const std::intptr_t window = channel == 1 ? videoWindow1_.load() : videoWindow0_.load();
    // A channel whose window the library has not made yet (the second, before
    // a two-channel load) keeps the rectangle: its window is made there.
    if (!window) {
        storeRect(channel, x, y, w, h, popup);
        return 2;
    }
    if (!host_.moveWindow(window, x, y, w, h))
        return 2;
    return storeRect(channel, x, y, w, h, popup);
}

int ROVUAdap::storeRect(std::uint8_t channel, std::int16_t x, std::int16_t y, std::int16_t w, std::int16_t h,
                        bool popup) {
    orv::VideoRectTable& table = popup ? popupRects_ : videoRects_;
    std::int16_t* row = table.rect[channel ? 1 : 0];
    row[0] = x;
    row[1] = y;
    row[2] = w;
    row[3] = h;
    return 0;
}

int ROVUAdap::redraw(int window) {
    const std::intptr_t target = window == 1 ? videoWindow0_.load() : window == 2 ? videoWindow1_.load() : 0;
    if (!target)
        return 1;
    host_.sendToWindow(target, orv::kMsgRedrawPrepare, 0, 0);
    host_.sendToWindow(target, orv::kMsgRedraw, 0, 0);
    return 0;
}

bool ROVUAdap::quitAndWaitForStopped() {
    sendCommand("quit");
    // The library reports 16 and 22 as its player ends; the player thread is
    // over once Velora has returned, and only then is it joined without limit.
    std::unique_lock lock(playerEndMutex_);
    return playerEnded_.wait_for(lock, stopPatience_.load(), [this] { return !playerRunning_.load(); });
}

// --- Threads ---

void ROVUAdap::playerThreadMain() {
    bool any = false;
    {
        std::lock_guard lock(filesMutex_);
        any = filesSet_;
    }
    if (any) {
        static char arg0[] = "mplayer", arg1[] = "-vo", arg2[] = "directx:noaccel", arg3[] = "-autosync",
                    arg4[] = "0";
        char* argv[] = {arg0, arg1, arg2, arg3, arg4, firstArg_.data(), secondArg_.data(), nullptr};
        library_.velora(orv::kVeloraArgc, argv);
    }
    {
        std::lock_guard lock(playerEndMutex_);
        playerRunning_.store(false);
    }
    playerEnded_.notify_all();
}

void ROVUAdap::joinPlayerThread() {
    std::lock_guard lock(playerThreadMutex_);
    if (playerThread_.joinable() && playerThread_.get_id() != std::this_thread::get_id())
        playerThread_.join();
}

// Finishes the stops whose transition was taken, and the oldest pending
// transition when it matches the states now. The look at the states and the
// finish are one step: no player can start in between (lifecycleMutex_), and
// the stops counted belong to the running playback (start() clears them).
void ROVUAdap::queueThreadMain() {
    while (!queueStop_.load()) {
        stateEvent_.wait();
        if (queueStop_.load())
            break;
        std::lock_guard life(lifecycleMutex_);
        int due = stopsDue_.exchange(0);
        ROVUState* now = nullptr;
        {
            std::lock_guard lock(stateMutex_);
            PendingTransition entry;
            if (ring_.readOldest(&entry) == MVOXQ::kRead &&
                entry.from == reinterpret_cast<std::intptr_t>(previous_.load()) &&
                entry.to == reinterpret_cast<std::intptr_t>(current_.load())) {
                ring_.removeOldest();
                if (entry.code == orv::kEvStopped)
                    ++due;
            }
            now = current_.load();
        }
        // By now the library may have gone on to idle (22), whose Close frees
        // it as stopped's does. Any other state means a new playback is on
        // its way: its library is left alone.
        if (due > 0 && (now == stopped_.get() || now == idle_.get()) && freeLibraryLocked() == 0)
            ChangeState(idle_.get());
    }
}

// --- Events of the library ---

void ROVUAdap::PlayerEventCallback(void* instance, std::intptr_t parameter, int code) {
    if (instance)
        static_cast<ROVUAdap*>(instance)->onEvent(parameter, code);
}

void ROVUAdap::onEvent(std::intptr_t parameter, int code) {
    auto outPointer = [parameter](std::intptr_t value) {
        if (parameter)
            *reinterpret_cast<std::intptr_t*>(parameter) = value;
    };
    auto outInt = [parameter](std::int32_t value) {
        if (parameter)
            *reinterpret_cast<std::int32_t*>(parameter) = value;
    };
    switch (code) {
    case orv::kEvReady: ChangeState(ready_.get()); break;
    case orv::kEvVideoWindow0: videoWindow0_.store(parameter); break;
    case orv::kEvVideoWindow1: videoWindow1_.store(parameter); break;
    case orv::kEvFrame:
        if (parameter)
            onFrame(*reinterpret_cast<const orv::FrameInfo*>(parameter));
        break;
    case orv::kEvOwnerWindow: outPointer(host_.ownerWindow()); break;
    case orv::kEvLength:
        if (parameter) {
            const float value = keptSeconds(*reinterpret_cast<const float*>(parameter));
            length.store(value);
            lengthSeconds.store(static_cast<int>(value));
        }
        break;
    case orv::kEvStopped: ChangeState(stopped_.get()); break;
    case orv::kEvVideoRects: outPointer(reinterpret_cast<std::intptr_t>(&videoRects_)); break;
    case orv::kEvPlaying: {
        ChangeState(playing_.get());
        static const char request[] = "get_time_length";
        static_assert(sizeof request == sizeof kTimeLengthRequest);
        if (const std::intptr_t window = videoWindow0_.load())
            host_.postToWindow(window, orv::kMsgGetTimeLength, reinterpret_cast<std::uintptr_t>(request), 0);
        break;
    }
    case orv::kEvEndOfEntry: onEnd(); break;
    case orv::kEvStopFlag: stopFlag_.store(reinterpret_cast<std::int32_t*>(parameter)); break;
    case orv::kEvPlayerEnded:
        // The library's windows go with its player.
        videoWindow0_.store(0);
        videoWindow1_.store(0);
        stopFlag_.store(nullptr);
        ChangeState(idle_.get());
        break;
    case orv::kEvStreamInfo:
        if (parameter) {
            const auto* record = reinterpret_cast<const orv::StreamRecord*>(parameter);
            if (record->info) {
                const std::uint32_t count = record->info->frameCount;
                frameCount.store(count);
                std::lock_guard lock(telemetryMutex_);
                reader_.setEntryLimit(count);
            }
        }
        break;
    case orv::kEvFrameIndex: frameIndex.store(static_cast<std::uint32_t>(parameter)); break;
    case orv::kEvPopupWindow0: outPointer(popupWindow0.load()); break;
    case orv::kEvPopupWindow1: outPointer(popupWindow1.load()); break;
    case orv::kEvScreenWidth: outInt(screenWidth_.load()); break;
    case orv::kEvScreenHeight: outInt(screenHeight_.load()); break;
    case orv::kEvPopupRects: outPointer(reinterpret_cast<std::intptr_t>(&popupRects_)); break;
    case orv::kEvVolume: outInt(volume_.load()); break;
    case orv::kEvPopup0Shown: outInt(popup0Shown.load()); break;
    case orv::kEvPopup1Shown: outInt(popup1Shown.load()); break;
    case orv::kEvNoTelemetry: {
        int failed = 0;
        {
            std::lock_guard lock(telemetryMutex_);
            failed = readFailed_ || reader_.failed() ? 1 : 0;
        }
        noTelemetry.store(failed);
        outInt(failed);
        break;
    }
    case orv::kEvChannelMode: outInt(channelMode.load()); break;
    case orv::kEvPauseToggle:
        if (current()->StateId() == 1) {
            current()->TogglePause();
            std::this_thread::sleep_for(10ms);
            current()->Pause();
        }
        break;
    case orv::kEvEncryptedMode: outInt(encryptedViewMode.load()); break;
    case orv::kEvKey: outInt(static_cast<std::int32_t>(key.load())); break;
    case orv::kEvRearView: outInt(rearView.load()); break;
    default: break; // codes the adapter does not use, and codes outside 0..37
    }
}

void ROVUAdap::onFrame(const orv::FrameInfo& info) {
    const std::uint32_t frame = frameIndex.load();
    const bool forwarding = current() == forwarding_.get();
    {
        std::lock_guard lock(telemetryMutex_);
        // Without a telemetry box no frame has telemetry (frames between the
        // entry frames would otherwise pass with empty records).
        const int parsed = hasTelemetryData_ ? reader_.parseEntry(frame) : MVOXUDAT::kNoData;
        noTelemetry.store(parsed != 0 ? 1 : 0);
        const char* gps = forwarding ? nullptr : reader_.gpsRecord(frame);
        const std::uint8_t* sensor = forwarding ? nullptr : reader_.sensorRecord(frame);
        if (!closing_.load() && parsed == 0) {
            if (gps)
                std::memcpy(gpsCopy_.data(), gps, kGpsRecordSize);
            else
                gpsCopy_.fill(0);
            gpsCopy_.back() = '\0';
            if (sensor)
                std::memcpy(sensorCopy_.data(), sensor, kSensorRecordSize);
            else
                sensorCopy_.fill(0);
            hasCopies_ = true;
        }
    }
    const float time = forwarding ? 0.0f : keptSeconds(info.time);
    currentTime.store(time);
    currentSecond.store(static_cast<int>(time));
    image0.store(info.picture0);
    imageSize.store(info.imageSize);
    if (channelMode.load() == 2)
        image1.store(info.picture1);
    if (!closing_.load())
        host_.notifyOwner(WM_PLAYER_FRAME, 0, 0);
}

void ROVUAdap::onEnd() {
    stateEvent_.set();
    if (current() != playing_.get())
        return;
    ChangeState(ended_.get());
    // Unsigned: count - 1 wraps for a frame count of 0, which also counts.
    const std::uint32_t count = frameCount.load();
    if ((count == 0 || frameIndex.load() >= count - 1u) && !closing_.load())
        host_.notifyOwner(WM_PLAYER_END, 0, 1);
}

} // namespace kyvo::player
