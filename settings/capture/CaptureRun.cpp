#include "CaptureRun.h"

#include "BitmapImage.h"
#include "CaptureNaming.h"
#include "JpegStillWriter.h"

#include <cmath>
#include <thread>

namespace kyvo::capture {

namespace {

using Clock = std::chrono::steady_clock;

// The copied frame buffer is encoded as it is: no 24-bit copy in between.
bool writeStill(const Picture& picture, const std::string& file) {
    imaging::PixelView view;
    view.width = picture.width;
    view.height = picture.height;
    view.rowStride = static_cast<std::ptrdiff_t>(picture.width) * imaging::kFrameBufferBytesPerPixel;
    view.topRow = picture.pixels.data();
    view.order = imaging::ChannelOrder::BlueGreenRedUnused;
    const auto needed = static_cast<std::size_t>(view.rowStride) * static_cast<std::size_t>(picture.height);
    return picture.width > 0 && picture.height > 0 && picture.pixels.size() >= needed &&
           imaging::writeJpegFile(view, file);
}

// Waits until a frame after `previous` is on screen and its picture is the
// newest; false on a stop or when the time limit passes.
bool waitForStep(CaptureSource& source, std::uint32_t previous, Picture& picture, const CaptureRequest& request,
                 const std::atomic<bool>& stop) {
    const auto deadline = Clock::now() + request.stepTimeout;
    while (Clock::now() < deadline) {
        if (stop.load())
            return false;
        if (source.shownFrame() > previous && source.copyPicture(0, picture) && picture.frameIndex > previous)
            return true;
        std::this_thread::sleep_for(request.pollInterval);
    }
    return false;
}

} // namespace

CaptureReport runCapture(CaptureSource& source, const CaptureRequest& request, const std::atomic<bool>& stop,
                         const CaptureProgress& progress) {
    CaptureReport report;
    if (request.folder.empty()) {
        report.ending = CaptureReport::NoFolder;
        return report;
    }
    Picture front;
    if (source.shownFrame() == 0 || !source.copyPicture(0, front) || front.frameIndex == 0) {
        report.ending = CaptureReport::NoPicture;
        return report;
    }
    report.total = stillCount(request.thirty, source.frameCount(), front.frameIndex);
    if (progress)
        progress(0, report.total);

    // While a still is encoded and written, the library already steps to the
    // next frame: the two take turns waiting on each other only where needed.
    const bool rear = source.twoChannels();
    Picture back;
    for (int count = 0; count < report.total; ++count) {
        if (stop.load()) {
            report.ending = CaptureReport::Stopped;
            return report;
        }
        const bool haveRear = rear && source.copyPicture(1, back);
        const bool stepping = count + 1 < report.total;
        if (stepping)
            source.requestStep();

        const int second = static_cast<int>(std::floor(std::max(front.time, 0.0f)));
        const std::string name = stillFileName(request.folder, request.recording, second, count + 1, false);
        if (writeStill(front, name)) {
            ++report.written;
            report.files.push_back(name);
        } else {
            ++report.failed;
        }
        if (haveRear) {
            const std::string rearName = stillFileName(request.folder, request.recording, second, count + 1, true);
            if (writeStill(back, rearName))
                report.files.push_back(rearName);
            else
                ++report.failed;
        }
        if (progress)
            progress(count + 1, report.total);
        // Only now, with `front` written, is the stepped frame copied over it.
        if (stepping && !waitForStep(source, front.frameIndex, front, request, stop)) {
            report.ending = stop.load() ? CaptureReport::Stopped : CaptureReport::StepTimedOut;
            return report;
        }
    }
    return report;
}

} // namespace kyvo::capture
