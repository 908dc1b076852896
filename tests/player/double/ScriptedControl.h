#pragma once
// The test's handle on the scripted playback library (libscripted_orvplayer).
// The library exports the four entry points of the real one plus
// scripted_control(); a test reaches the same instance the adapter binds by
// opening the library at the same path.
//
// Velora records its arguments, then runs the actions the test queues (each a
// callback with a code and a parameter, on the player thread) until "quit" or
// its stop flag: it then runs the farewell actions, reports 16, optionally
// holds until a later "quit", reports 22 and returns 0. Every command is
// recorded. Waiting is done on condition variables (the stop flag, written by
// the client without a word, is looked at every few milliseconds); the
// time-outs only keep a broken adapter from hanging the test.

#include "OrvPlayerAbi.h"

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

namespace scripted {

struct Event {
    int code = 0;
    std::intptr_t parameter = 0;
};

class ScriptedControl {
public:
    // Forgets everything recorded and scripted. Only while no Velora runs.
    virtual void reset() = 0;

    // What the library was given.
    virtual std::vector<std::string> commands() const = 0;
    virtual std::vector<std::vector<std::string>> veloraCalls() const = 0;
    virtual void* instance() const = 0;
    virtual OrvEventCallback callback() const = 0;

    // The library's stop flag; the test reports its address with code 21.
    virtual std::int32_t* stopFlag() = 0;
    virtual std::int32_t stopFlagValue() const = 0;

    // Velora's progress.
    virtual bool inVelora() const = 0;
    virtual int veloraReturns() const = 0;
    virtual bool waitForVeloraCalls(int count, std::chrono::milliseconds timeout) = 0;
    virtual bool waitForVeloraReturns(int count, std::chrono::milliseconds timeout) = 0;

    // Calls the registered callback on the player thread, inside Velora, and
    // waits until it has returned; false when no Velora took it in time.
    virtual bool emitOnPlayer(Event event, std::chrono::milliseconds timeout) = 0;
    // Calls the registered callback on a thread of its own and waits for it.
    virtual void emitOnOtherThread(Event event) = 0;

    // Run by the player thread after it was asked to end, before 16 and 22.
    virtual void setFarewell(std::vector<Event> events) = 0;
    // Velora ignores "quit": only the stop flag ends it.
    virtual void setIgnoreQuit(bool ignore) = 0;
    // Between 16 and 22 Velora waits for a later "quit".
    virtual void setHoldAfterStopped(bool hold) = 0;
    virtual bool waitUntilHeld(std::chrono::milliseconds timeout) = 0;

    virtual ~ScriptedControl() = default;
};

} // namespace scripted

extern "C" scripted::ScriptedControl* scripted_control();
using ScriptedControlFn = scripted::ScriptedControl* (*)();
