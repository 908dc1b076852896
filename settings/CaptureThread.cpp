#include "CaptureThread.h"

#include <QMetaObject>
#include <QObject>

namespace kyvo {

bool CaptureThread::start(std::shared_ptr<capture::CaptureSource> source, capture::CaptureRequest request,
                          QObject* receiver, Progress progress, Finished finished) {
    if (running_.load() || !source)
        return false;
    if (worker_.joinable())
        worker_.join(); // the last capture has ended; its thread is only collected here
    stop_.store(false);
    running_.store(true);
    worker_ = std::thread([this, source = std::move(source), request = std::move(request),
                           receiver, progress = std::move(progress),
                           finished = std::move(finished)] {
        const capture::CaptureReport report = runCapture(*source, request, stop_, [&](int count, int total) {
            QMetaObject::invokeMethod(receiver, [progress, count, total] { progress(count, total); },
                                      Qt::QueuedConnection);
        });
        running_.store(false);
        if (!stop_.load())
            QMetaObject::invokeMethod(receiver, [finished, report] { finished(report); }, Qt::QueuedConnection);
    });
    return true;
}

void CaptureThread::stop() {
    stop_.store(true);
    if (worker_.joinable())
        worker_.join();
    running_.store(false);
}

} // namespace kyvo
