#pragma once
// The capture worker of the settings popup: one std::thread per capture,
// running runCapture() over the source the main window handed in. Progress
// and the end are queued to the GUI thread (to `receiver`), never drawn
// from the worker.
//
// Threads: start(), stop(), running() and the destructor belong to the GUI
// thread. The worker reads only the request, the source and the stop flag.
// stop() asks the worker to end and joins it; the owner calls it before
// anything the source uses (the adapter and its library) goes.

#include "CaptureRun.h"

#include <atomic>
#include <functional>
#include <memory>
#include <thread>

class QObject;

namespace kyvo {

class CaptureThread {
public:
    using Progress = std::function<void(int count, int total)>;       // GUI thread
    using Finished = std::function<void(const capture::CaptureReport&)>; // GUI thread

    CaptureThread() = default;
    ~CaptureThread() { stop(); }
    CaptureThread(const CaptureThread&) = delete;
    CaptureThread& operator=(const CaptureThread&) = delete;

    // False when a capture still runs. `receiver` lives on the GUI thread and
    // outlives the worker (its owner stops this thread before it goes); the
    // callbacks are queued to it and run there.
    bool start(std::shared_ptr<capture::CaptureSource> source, capture::CaptureRequest request, QObject* receiver,
               Progress progress, Finished finished);
    bool running() const { return running_.load(); }
    void stop();

private:
    std::thread worker_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> running_{false};
};

} // namespace kyvo
