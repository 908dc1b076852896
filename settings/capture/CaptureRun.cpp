#include "CaptureRun.h"

#include "BitmapImage.h"
#include "CaptureNaming.h"
#include "JpegStillWriter.h"

#include <cmath>
#include <thread>

namespace kyvo::capture {

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kSourceBytesPerPixel = 4;

bool writeStill(const Picture& picture, const std::string& file) {
    imaging::BitmapInfoHeader header;
    header.width = picture.width;
    header.height = -picture.height; // top row first
    const std::vector<std::uint8_t> rows = toBitmapRows(picture);
    header.sizeImage = static_cast<std::uint32_t>(rows.size());
    imaging::JpegStillWriter writer;
    return writer.prepare(header, rows.data(), rows.size()) && writer.write(file);
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

std::vector<std::uint8_t> toBitmapRows(const Picture& picture) {
    const std::size_t rowBytes = imaging::bitmapRowBytes(picture.width);
    std::vector<std::uint8_t> rows(rowBytes * static_cast<std::size_t>(picture.height));
    const std::size_t sourceRow = static_cast<std::size_t>(picture.width) * kSourceBytesPerPixel;
    for (int y = 0; y < picture.height; ++y) {
        const std::uint8_t* in = picture.pixels.data() + sourceRow * static_cast<std::size_t>(y);
        std::uint8_t* out = rows.data() + rowBytes * static_cast<std::size_t>(y);
        for (int x = 0; x < picture.width; ++x, in += kSourceBytesPerPixel, out += imaging::kBytesPerPixel) {
            out[0] = in[0];
            out[1] = in[1];
            out[2] = in[2];
        }
    }
    return rows;
}

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
        const Picture current = front;
        const bool stepping = count + 1 < report.total;
        if (stepping)
            source.requestStep();

        const int second = static_cast<int>(std::floor(std::max(current.time, 0.0f)));
        const std::string name = stillFileName(request.folder, request.recording, second, count + 1, false);
        if (writeStill(current, name)) {
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
        if (stepping && !waitForStep(source, current.frameIndex, front, request, stop)) {
            report.ending = stop.load() ? CaptureReport::Stopped : CaptureReport::StepTimedOut;
            return report;
        }
    }
    return report;
}

} // namespace kyvo::capture
