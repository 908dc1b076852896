// What each state does with each operation; the steps they share live in the
// adapter (ROVUAdap.cpp).

#include "ROVUState.h"

#include "ROVUAdap.h"

#include <chrono>
#include <cstdio>
#include <thread>

namespace kyvo::player {

namespace {
constexpr auto kYield = std::chrono::milliseconds(10);
constexpr int kUndefined = -1;
constexpr int kNotDone = 1;

// Answers that idle's LoadFile and ended's Open pass on; any other answer of
// the loading step is 0 for them.
bool isRefusal(int result) {
    return result == kPathTooLong || result == kViewModeMismatch || result == kNotARecording || result == kWrongKey;
}
} // namespace

// --- Base: nothing is supported ---
int ROVUState::Load(const char*) { return kUndefined; }
int ROVUState::Close() { return kUndefined; }
int ROVUState::Open(const char*, const char*) { return kUndefined; }
int ROVUState::LoadFile(const char*, const char*) { return kUndefined; }
int ROVUState::Pause() { return kUndefined; }
int ROVUState::SkipEntry() { return kUndefined; }
int ROVUState::TogglePause() { return kUndefined; }
int ROVUState::FrameStep() { return kUndefined; }
int ROVUState::Seek(float, bool) { return kUndefined; }
int ROVUState::SetSpeed(float, bool) { return kUndefined; }
int ROVUState::ScaleSpeed(float, bool) { return kUndefined; }
int ROVUState::SetVolume(float, bool) { return kUndefined; }
int ROVUState::SetVideoRect(std::uint8_t, std::int16_t, std::int16_t, std::int16_t, std::int16_t) { return kUndefined; }
int ROVUState::SetPopupRect(std::uint8_t, std::int16_t, std::int16_t, std::int16_t, std::int16_t) { return kUndefined; }
int ROVUState::Refresh(int) {
    std::fputs("####method undefined\n", stdout);
    std::fflush(stdout);
    return kUndefined;
}
void ROVUState::Yield() { std::this_thread::sleep_for(kYield); }

// --- Idle ---
int MVOXstat0::Load(const char* path) { return adapter_.bindLibrary(path); }
int MVOXstat0::Close() { return adapter_.freeLibrary(); }
int MVOXstat0::Open(const char* first, const char* second) { return adapter_.ready().Open(first, second); }
int MVOXstat0::LoadFile(const char* first, const char* second) {
    const int result = Open(first, second);
    return isRefusal(result) ? result : 0;
}
int MVOXstat0::SetVideoRect(std::uint8_t c, std::int16_t x, std::int16_t y, std::int16_t w, std::int16_t h) {
    return adapter_.storeRect(c, x, y, w, h, false);
}
int MVOXstat0::SetPopupRect(std::uint8_t c, std::int16_t x, std::int16_t y, std::int16_t w, std::int16_t h) {
    return adapter_.storeRect(c, x, y, w, h, true);
}

// --- Playing ---
int MVOXstat1::Close() { return adapter_.requestStop(this); }
int MVOXstat1::LoadFile(const char* first, const char* second) {
    return adapter_.sendLoadCommand(first, second);
}
int MVOXstat1::Pause() {
    adapter_.sendCommand("pause");
    return 0;
}
int MVOXstat1::SkipEntry() {
    adapter_.sendCommand("pt_step 1 1");
    return 0;
}
int MVOXstat1::TogglePause() {
    adapter_.sendCommand("pause");
    return 0;
}
int MVOXstat1::FrameStep() {
    const std::intptr_t window = adapter_.videoWindow0();
    if (!window)
        return 1;
    adapter_.host().sendToWindow(window, orv::kMsgFrameStep, 0, 0);
    return 0;
}
int MVOXstat1::Seek(float seconds, bool relative) { return adapter_.seekCommand(seconds, relative); }
int MVOXstat1::SetSpeed(float value, bool incremental) {
    return adapter_.speedCommand(value, incremental, "speed_incr %.2f");
}
int MVOXstat1::ScaleSpeed(float value, bool multiply) {
    return adapter_.speedCommand(value, multiply, "speed_mult %.2f");
}
int MVOXstat1::SetVolume(float value, bool relative) { return adapter_.volumeCommand(value, relative); }
int MVOXstat1::SetVideoRect(std::uint8_t c, std::int16_t x, std::int16_t y, std::int16_t w, std::int16_t h) {
    return adapter_.moveWindow(c, x, y, w, h, false);
}
int MVOXstat1::SetPopupRect(std::uint8_t c, std::int16_t x, std::int16_t y, std::int16_t w, std::int16_t h) {
    return adapter_.moveWindow(c, x, y, w, h, true);
}
int MVOXstat1::Refresh(int window) { return adapter_.redraw(window); }

// --- Stopped ---
int MVOXstat2::Close() { return adapter_.freeLibrary(); }

// --- Ended ---
int MVOXstat3::Close() {
    // A player that did not end in time keeps the library: nothing is freed
    // under it.
    if (!adapter_.quitAndWaitForStopped())
        return kNotDone;
    return adapter_.stopped().Close();
}
int MVOXstat3::Open(const char* first, const char* second) {
    const int result = LoadFile(first, second);
    return isRefusal(result) ? result : 0;
}
int MVOXstat3::LoadFile(const char* first, const char* second) {
    return adapter_.sendLoadCommand(first, second);
}
int MVOXstat3::Pause() { return adapter_.replay(); }
int MVOXstat3::SetSpeed(float value, bool incremental) {
    return adapter_.speedCommand(value, incremental, "speed_incr %.2f");
}
int MVOXstat3::ScaleSpeed(float value, bool multiply) {
    return adapter_.speedCommand(value, multiply, "speed_mult %.2f");
}
int MVOXstat3::SetVideoRect(std::uint8_t c, std::int16_t x, std::int16_t y, std::int16_t w, std::int16_t h) {
    return adapter_.storeRect(c, x, y, w, h, false);
}
int MVOXstat3::SetPopupRect(std::uint8_t c, std::int16_t x, std::int16_t y, std::int16_t w, std::int16_t h) {
    return adapter_.storeRect(c, x, y, w, h, true);
}
int MVOXstat3::Refresh(int window) { return adapter_.playing().Refresh(window); }

// --- Ready ---
int MVOXstat4::Close() { return adapter_.freeLibrary(); }
int MVOXstat4::Open(const char* first, const char* second) { return adapter_.start(first, second); }
int MVOXstat4::LoadFile(const char* first, const char* second) { return Open(first, second); }
int MVOXstat4::Pause() { return 1; }
int MVOXstat4::SetVideoRect(std::uint8_t c, std::int16_t x, std::int16_t y, std::int16_t w, std::int16_t h) {
    return adapter_.storeRect(c, x, y, w, h, false);
}
int MVOXstat4::SetPopupRect(std::uint8_t c, std::int16_t x, std::int16_t y, std::int16_t w, std::int16_t h) {
    return adapter_.storeRect(c, x, y, w, h, true);
}

// --- Forwarding: everything goes to the state it was entered from ---
ROVUState& MVOXstat9::target() const {
    ROVUState* origin = origin_.load();
    return origin && origin != this ? *origin : static_cast<ROVUState&>(adapter_.idle());
}
int MVOXstat9::Load(const char* path) { return target().Load(path); }
int MVOXstat9::Close() { return target().Close(); }
int MVOXstat9::Open(const char* first, const char* second) { return target().Open(first, second); }
int MVOXstat9::LoadFile(const char* first, const char* second) { return target().LoadFile(first, second); }
int MVOXstat9::Pause() { return target().Pause(); }
int MVOXstat9::SkipEntry() { return target().SkipEntry(); }
int MVOXstat9::TogglePause() { return target().TogglePause(); }
int MVOXstat9::FrameStep() { return target().FrameStep(); }
int MVOXstat9::Seek(float seconds, bool relative) { return target().Seek(seconds, relative); }
int MVOXstat9::SetSpeed(float value, bool incremental) { return target().SetSpeed(value, incremental); }
int MVOXstat9::ScaleSpeed(float value, bool multiply) { return target().ScaleSpeed(value, multiply); }
int MVOXstat9::SetVolume(float value, bool relative) { return target().SetVolume(value, relative); }
int MVOXstat9::SetVideoRect(std::uint8_t c, std::int16_t x, std::int16_t y, std::int16_t w, std::int16_t h) {
    return target().SetVideoRect(c, x, y, w, h);
}
int MVOXstat9::SetPopupRect(std::uint8_t c, std::int16_t x, std::int16_t y, std::int16_t w, std::int16_t h) {
    return target().SetPopupRect(c, x, y, w, h);
}
int MVOXstat9::Refresh(int window) { return target().Refresh(window); }

} // namespace kyvo::player
