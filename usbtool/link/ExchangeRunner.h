#pragma once
// Runs exchanges with the recorder off the GUI thread, one at a time, in the
// order they were started.
//
// Owns the library binding. start() copies the record and runs UsbExchange
// on a worker thread; the completion gets the answer (the record as it came
// back) and the result ON THE WORKER THREAD: it must only queue work to its
// owner's thread (the tool window posts itself a message) and must not
// touch GUI objects. When no worker thread can be started, the completion
// gets the record as it was and ExchangeOutcome::NotStarted at once, on the
// caller's thread, before start() returns; nothing is thrown. The destructor
// waits for a running exchange and joins the worker.
//
// start(), running() and the destructor are for the owner's thread.

#include "RecorderConfig.h"
#include "UsbExchange.h"

#include <functional>
#include <memory>
#include <string>

namespace kyvo::usbtool {

class ExchangeRunner {
public:
    using Completion = std::function<void(const RecorderConfig& answer, ExchangeResult result)>;

    explicit ExchangeRunner(std::string libraryFile = {}); // empty: defaultLibusbLibrary()
    ~ExchangeRunner();
    ExchangeRunner(const ExchangeRunner&) = delete;
    ExchangeRunner& operator=(const ExchangeRunner&) = delete;

    // Answers false (and does nothing) while an exchange runs; true when the
    // completion will be called (also when the worker could not be started).
    bool start(const RecorderConfig& record, Completion done, DiagnosticSink sink = {});
    // True from start() until the completion has returned. A message the
    // completion posted can be handled on the owner's thread a moment before
    // that: a start() from that handler may still be refused.
    bool running() const;

private:
    struct State;
    std::unique_ptr<State> state_;
};

} // namespace kyvo::usbtool
