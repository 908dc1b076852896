#pragma once
// What the adapter's tests share: a recording host, the scripted playback
// library, recordings with a telemetry box, and a fixture whose adapter is
// bound to the scripted library.

#include "ROVUAdap.h"
#include "ScriptedControl.h"

#include "BoxWriter.h"
#include "TempFolder.h"
#include "ViewerMessages.h"

#include <dlfcn.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace kyvo::player::test {

using namespace std::chrono_literals;
// Only keeps a broken adapter from hanging the run; nothing is timed.
inline constexpr auto kWait = 10s;

struct HostCall {
    std::intptr_t window = 0; // 0 for notifications to the owner
    unsigned message = 0;
    std::uintptr_t wParam = 0;
    std::intptr_t lParam = 0;
    bool operator==(const HostCall&) const = default;
};

struct WindowMove {
    std::intptr_t window = 0;
    int x = 0, y = 0, width = 0, height = 0;
    bool operator==(const WindowMove&) const = default;
};

// Records everything the adapter asks of its owner; safe from any thread.
class FakeHost : public AdapterHost {
public:
    static constexpr std::intptr_t kOwner = 0x51DE0001;
    static constexpr int kScreenWidth = 3840;
    static constexpr int kScreenHeight = 1080;

    std::intptr_t ownerWindow() override { return kOwner; }
    void notifyOwner(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) override {
        std::lock_guard lock(mutex_);
        notifications_.push_back({0, message, wParam, lParam});
    }
    std::intptr_t sendToWindow(std::intptr_t window, unsigned message, std::uintptr_t wParam,
                               std::intptr_t lParam) override {
        std::lock_guard lock(mutex_);
        sent_.push_back({window, message, wParam, lParam});
        return 0;
    }
    void postToWindow(std::intptr_t window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam) override {
        std::lock_guard lock(mutex_);
        posted_.push_back({window, message, wParam, lParam});
    }
    bool moveWindow(std::intptr_t window, int x, int y, int width, int height) override {
        std::lock_guard lock(mutex_);
        moves_.push_back({window, x, y, width, height});
        return moveSucceeds_;
    }
    void viewModeMismatch(int stringId) override {
        std::lock_guard lock(mutex_);
        mismatches_.push_back(stringId);
    }
    void screenSize(int& width, int& height) override {
        width = kScreenWidth;
        height = kScreenHeight;
    }

    void setMoveSucceeds(bool succeeds) {
        std::lock_guard lock(mutex_);
        moveSucceeds_ = succeeds;
    }
    std::vector<HostCall> notifications() const { return copy(notifications_); }
    std::vector<HostCall> sent() const { return copy(sent_); }
    std::vector<HostCall> posted() const { return copy(posted_); }
    std::vector<WindowMove> moves() const { return copy(moves_); }
    std::vector<int> mismatches() const { return copy(mismatches_); }
    std::size_t count(unsigned message) const {
        std::lock_guard lock(mutex_);
        return static_cast<std::size_t>(std::count_if(notifications_.begin(), notifications_.end(),
                                                       [&](const HostCall& c) { return c.message == message; }));
    }

private:
    template <class T>
    std::vector<T> copy(const std::vector<T>& v) const {
        std::lock_guard lock(mutex_);
        return v;
    }

    mutable std::mutex mutex_; // guards everything below
    std::vector<HostCall> notifications_;
    std::vector<HostCall> sent_;
    std::vector<HostCall> posted_;
    std::vector<WindowMove> moves_;
    std::vector<int> mismatches_;
    bool moveSucceeds_ = true;
};

// The scripted library, opened at the path the adapter binds (one instance).
inline scripted::ScriptedControl& scriptedLibrary() {
    static scripted::ScriptedControl* control = [] {
        void* module = dlopen(SCRIPTED_ORVPLAYER_PATH, RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
        auto fn = module ? reinterpret_cast<ScriptedControlFn>(dlsym(module, "scripted_control")) : nullptr;
        if (!fn)
            std::abort();
        return fn();
    }();
    return *control;
}

using kyvo::test::TempFolder;

// Entry k: sentence "$GPRMC,<k>,A" and accelerations k, -k, k/4.
inline recgen::TelemetryEntry numberedEntry(int k) {
    recgen::TelemetryEntry entry;
    entry.sentence = "$GPRMC," + std::to_string(k) + ",A";
    const auto g = static_cast<float>(k);
    entry.g = {g, -g, g / 4};
    return entry;
}

// A plain recording: an "ftyp" box, a little movie data and, unless
// `withTelemetry` is false, a "udat" box of `entries` numbered entries.
inline void writeRecording(const std::filesystem::path& path, int entries, bool withTelemetry = true) {
    recgen::Bytes bytes = {0, 0, 0, 16, 'f', 't', 'y', 'p', 'q', 't', ' ', ' ', 0, 0, 0, 0,
                           0, 0, 0, 12, 'm', 'd', 'a', 't', 1,   2,   3,   4};
    if (withTelemetry) {
        std::vector<recgen::TelemetryEntry> list;
        for (int k = 0; k < entries; ++k)
            list.push_back(numberedEntry(k));
        const recgen::Bytes box = recgen::encodeUdatBox(list);
        bytes.insert(bytes.end(), box.begin(), box.end());
    }
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                 static_cast<std::streamsize>(bytes.size()));
}

// An adapter bound to the scripted library, on a fresh script.
class PlayerAdapterTest : public testing::Test {
protected:
    static constexpr std::intptr_t kWindow0 = 0xA0;
    static constexpr std::intptr_t kWindow1 = 0xA1;

    FakeHost host;
    scripted::ScriptedControl& library = scriptedLibrary();
    std::unique_ptr<ROVUAdap> adapter;

    void SetUp() override {
        library.reset();
        adapter = std::make_unique<ROVUAdap>(host);
        ASSERT_EQ(adapter->current()->Load(SCRIPTED_ORVPLAYER_PATH), PlayerLibrary::kBound);
    }
    void TearDown() override {
        adapter.reset();
        EXPECT_FALSE(library.inVelora()) << "the adapter left its player running";
    }

    ROVUState* current() const { return adapter->current(); }

    // The library's callback, on its player thread (inside Velora).
    void emit(int code, std::intptr_t parameter = 0) {
        ASSERT_TRUE(library.emitOnPlayer({code, parameter}, kWait)) << "no player took code " << code;
    }
    // The library's callback on another thread, with or without a player.
    void emitElsewhere(int code, std::intptr_t parameter = 0) { library.emitOnOtherThread({code, parameter}); }
    template <class T>
    void emitElsewhere(int code, T* pointer) {
        emitElsewhere(code, reinterpret_cast<std::intptr_t>(pointer));
    }

    // Open from idle: the player thread enters Velora, which reports its
    // window, its stop flag and ready, as the real library does.
    void startPlayer(const std::string& first = "/rec/a.mov", const std::string& second = "") {
        ASSERT_EQ(adapter->Open(first.c_str(), second.c_str()), 0);
        ASSERT_TRUE(library.waitForVeloraCalls(1, kWait));
        emit(orv::kEvVideoWindow0, kWindow0);
        emit(orv::kEvStopFlag, reinterpret_cast<std::intptr_t>(library.stopFlag()));
        emit(orv::kEvReady);
        ASSERT_EQ(current(), &adapter->ready());
    }
    void startPlaying(const std::string& first = "/rec/a.mov") {
        startPlayer(first);
        emit(orv::kEvPlaying);
        ASSERT_EQ(current(), &adapter->playing());
    }

    // Commands sent from `mark` on.
    std::vector<std::string> commandsFrom(std::size_t mark) const {
        const auto all = library.commands();
        return {all.begin() + static_cast<std::ptrdiff_t>(std::min(mark, all.size())), all.end()};
    }

    // A shown frame: index (code 24), then the record (code 6), off the player thread.
    void showFrame(std::uint32_t index, float time = 0) {
        orv::FrameInfo info{};
        info.time = time;
        emitElsewhere(orv::kEvFrameIndex, static_cast<std::intptr_t>(index));
        emitElsewhere(orv::kEvFrame, &info);
    }
    void setFrameCount(std::uint32_t count) {
        orv::StreamInfo info{};
        info.frameCount = count;
        orv::StreamRecord record{};
        record.info = &info;
        emitElsewhere(orv::kEvStreamInfo, &record);
    }
};

} // namespace kyvo::player::test
