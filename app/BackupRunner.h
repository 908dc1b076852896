#pragma once
// Runs one backup copy at a time on a worker thread and shows its progress
// in a window-modal progress dialog with Cancel. The GUI thread reads the
// worker's progress from atomics on a 50 ms timer, so the window keeps
// repainting however slow the disk; when the copy ends, the worker is joined
// and `finished` is called on the GUI thread with the result.
//
// Threads: start(), cancel(), the destructor and `finished` belong to the GUI
// thread; the worker only runs copyRecording() and writes the atomics below.
// The destructor cancels a running copy and joins the worker, so the copy
// never outlives its owner (the main window deletes the runner before the
// adapter at shutdown).

#include "BackupCopy.h"

#include <QBasicTimer>
#include <QObject>
#include <QString>

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <thread>

class QProgressDialog;
class QWidget;

namespace kyvo::app {

class BackupRunner : public QObject {
public:
    using Finished = std::function<void(CopyResult, const std::filesystem::path& target)>;

    // The progress dialog is window-modal over `window`.
    BackupRunner(QWidget* window, Finished finished);
    ~BackupRunner() override;

    // False when a copy is still running (nothing started).
    bool start(const std::filesystem::path& source, const std::filesystem::path& target);
    bool running() const { return worker_.joinable(); }
    void cancel() { cancel_.store(true); }
    QProgressDialog* dialog() const { return dialog_; }

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    void finish();

    QWidget* window_;
    Finished finished_;
    QProgressDialog* dialog_ = nullptr; // owned by window_ as a child; created on first use
    QBasicTimer poll_;
    std::filesystem::path target_;
    std::thread worker_;
    std::atomic<bool> cancel_{false};
    std::atomic<bool> done_{false};
    std::atomic<std::uint64_t> copied_{0};
    std::atomic<std::uint64_t> total_{0};
    std::atomic<CopyResult> result_{CopyResult::Copied};
};

} // namespace kyvo::app
