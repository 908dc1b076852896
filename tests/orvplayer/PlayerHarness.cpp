#include "PlayerHarness.h"

#include <dlfcn.h>

#include <algorithm>
#include <cstdio>

namespace orvtest {

PlayerHarness::PlayerHarness(const std::string& libraryPath) {
    library_ = dlopen(libraryPath.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library_) {
        std::fprintf(stderr, "harness: %s\n", dlerror());
        return;
    }
    velora_ = reinterpret_cast<OrvVeloraFn>(dlsym(library_, orv::kExportVelora));
    setInst_ = reinterpret_cast<OrvSetInstFn>(dlsym(library_, orv::kExportSetInst));
    setCallback_ = reinterpret_cast<OrvSetCallbackFn>(dlsym(library_, orv::kExportSetCallback));
    command_ = reinterpret_cast<OrvCommandFn>(dlsym(library_, orv::kExportCommand));
    copyPicture_ = reinterpret_cast<OrvCopyPictureFn>(dlsym(library_, orv::kExportCopyPicture));
    if (!velora_ || !setInst_ || !setCallback_ || !command_) {
        velora_ = nullptr;
        return;
    }
    setInst_(this);
    setCallback_(&PlayerHarness::callback);
}

PlayerHarness::~PlayerHarness() {
    if (thread_.joinable()) {
        if (running_.load())
            command("quit");
        thread_.join();
    }
    if (setCallback_)
        setCallback_(nullptr);
    // The library stays loaded: its picture buffers outlive the player by design.
}

void PlayerHarness::start(const std::string& first, const std::string& second) {
    files_[0] = first;
    files_[1] = second;
    static char arg0[] = "mplayer", arg1[] = "-vo", arg2[] = "directx:noaccel", arg3[] = "-autosync", arg4[] = "0";
    argv_ = {arg0, arg1, arg2, arg3, arg4, files_[0].data(), files_[1].data(), nullptr};
    running_.store(true);
    thread_ = std::thread([this] {
        veloraResult_.store(velora_(orv::kVeloraArgc, argv_.data()));
        running_.store(false);
        changed_.notify_all();
    });
}

void PlayerHarness::command(const std::string& text) {
    if (command_)
        command_(text.c_str());
}

bool PlayerHarness::copyPicture(int channel, std::vector<std::uint8_t>& out, OrvPictureCopy& copy) const {
    return copyPicture_ != nullptr && copyPicture_(channel, out.data(), out.size(), &copy) == 1;
}

bool PlayerHarness::join(std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    if (!changed_.wait_for(lock, timeout, [this] { return !running_.load(); }))
        return false;
    lock.unlock();
    if (thread_.joinable())
        thread_.join();
    return true;
}

void PlayerHarness::callback(void* instance, std::intptr_t parameter, int code) {
    static_cast<PlayerHarness*>(instance)->record(parameter, code);
}

void PlayerHarness::record(std::intptr_t parameter, int code) {
    // Questions first: the library waits for the answer.
    auto outPointer = [&](std::intptr_t value) { *reinterpret_cast<std::intptr_t*>(parameter) = value; };
    auto outInt = [&](std::int32_t value) { *reinterpret_cast<std::int32_t*>(parameter) = value; };
    switch (code) {
    case orv::kEvOwnerWindow: outPointer(reinterpret_cast<std::intptr_t>(owner)); break;
    case orv::kEvVideoRects: outPointer(reinterpret_cast<std::intptr_t>(&rects)); break;
    case orv::kEvPopupRects: outPointer(reinterpret_cast<std::intptr_t>(&popupRects)); break;
    case orv::kEvPopupWindow0:
    case orv::kEvPopupWindow1: outPointer(0); break;
    case orv::kEvChannelMode: outInt(channelMode); break;
    case orv::kEvVolume: outInt(volume); break;
    case orv::kEvEncryptedMode: outInt(encryptedViewMode); break;
    case orv::kEvKey: outInt(static_cast<std::int32_t>(key.load())); break;
    case orv::kEvRearView: outInt(rearView); break;
    case orv::kEvPopup0Shown:
    case orv::kEvPopup1Shown: outInt(0); break;
    default: break;
    }
    Event event{code, parameter, std::chrono::steady_clock::now()};
    if (code == orv::kEvFrame) {
        const auto* info = reinterpret_cast<const orv::FrameInfo*>(parameter);
        event.time = info->time;
        event.imageSize = info->imageSize;
        event.hasPicture0 = info->picture0 != nullptr;
        event.hasPicture1 = info->picture1 != nullptr;
        event.latencyNs =
            std::chrono::duration_cast<std::chrono::nanoseconds>(event.at.time_since_epoch()).count() - info->renderedAtNs;
    } else if (code == orv::kEvLength) {
        event.time = *reinterpret_cast<const float*>(parameter);
    } else if (code == orv::kEvStreamInfo) {
        event.frameCount = reinterpret_cast<const orv::StreamRecord*>(parameter)->info->frameCount;
    }
    {
        std::lock_guard lock(mutex_);
        events_.push_back(event);
    }
    changed_.notify_all();
    if (code == orv::kEvFrame && onFrame)
        onFrame(event);
}

std::vector<Event> PlayerHarness::events() const {
    std::lock_guard lock(mutex_);
    return events_;
}

std::vector<int> PlayerHarness::codes() const {
    std::lock_guard lock(mutex_);
    std::vector<int> codes;
    for (const Event& e : events_)
        codes.push_back(e.code);
    return codes;
}

std::size_t PlayerHarness::count(int code) const {
    std::lock_guard lock(mutex_);
    return static_cast<std::size_t>(
        std::count_if(events_.begin(), events_.end(), [code](const Event& e) { return e.code == code; }));
}

bool PlayerHarness::waitFor(const std::function<bool(const std::vector<Event>&)>& predicate,
                            std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout, [&] { return predicate(events_); });
}

bool PlayerHarness::waitForCount(int code, std::size_t n, std::chrono::milliseconds timeout) {
    return waitFor(
        [code, n](const std::vector<Event>& events) {
            return static_cast<std::size_t>(std::count_if(events.begin(), events.end(),
                                                          [code](const Event& e) { return e.code == code; })) >= n;
        },
        timeout);
}

bool PlayerHarness::quiet(int code, std::chrono::steady_clock::time_point since,
                          std::chrono::milliseconds period) const {
    std::lock_guard lock(mutex_);
    auto last = since;
    const auto found =
        std::find_if(events_.rbegin(), events_.rend(), [code](const Event& e) { return e.code == code; });
    if (found != events_.rend())
        last = std::max(last, found->at);
    return std::chrono::steady_clock::now() - last >= period;
}

bool PlayerHarness::waitForQuiet(int code, std::chrono::milliseconds period, std::chrono::milliseconds timeout) {
    const auto since = std::chrono::steady_clock::now();
    const auto deadline = since + timeout;
    while (!quiet(code, since, period)) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        // Woken by every new event; the quiet is looked at again each time.
        std::unique_lock lock(mutex_);
        changed_.wait_until(lock, std::min(std::chrono::steady_clock::now() + period, deadline));
    }
    return true;
}

void PlayerHarness::mark(int code) {
    {
        std::lock_guard lock(mutex_);
        events_.push_back(Event{code, 0, std::chrono::steady_clock::now()});
    }
    changed_.notify_all();
}

std::intptr_t PlayerHarness::videoWindow0() const {
    std::lock_guard lock(mutex_);
    for (const Event& e : events_)
        if (e.code == orv::kEvVideoWindow0)
            return e.parameter;
    return 0;
}

std::int32_t* PlayerHarness::stopFlag() const {
    std::lock_guard lock(mutex_);
    for (const Event& e : events_)
        if (e.code == orv::kEvStopFlag)
            return reinterpret_cast<std::int32_t*>(e.parameter);
    return nullptr;
}

} // namespace orvtest
