// The telemetry gauges of the main window: each shown frame decodes the GPS
// sentence and moves the G-sensor graph; timer 100 and painting refresh the
// position lines and the speed digits.

#include "CJXQ_PCMgrDlg.h"

#include "GaugeTexts.h"
#include "PlaybackControls.h"
#include "ROVUAdap.h"
#include "SettingPopup.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace kyvo::app {

// WM_PLAYER_FRAME: progress, GPS sentence and G-sensor of the frame just shown.
LResult CJXQ_PCMgrDlg::onPlayerFrame() {
    if (!playing_ || !adapter_)
        return 1;
    canvas_.erase(kHeadingRegion);
    std::array<char, player::kGpsRecordSize> gps{};
    std::array<float, 3> sensor{};
    const bool haveTelemetry = adapter_->telemetry(gps, sensor);
    const std::string_view sentence(gps.data(), strnlen(gps.data(), gps.size()));
    if (haveTelemetry && sentence.starts_with(kRmcPrefix))
        decodeRmc(sentence, fix_);
    progressPosition_ = progressPosition(adapter_->lengthSeconds.load(), adapter_->DisplaySecond(), progressPosition_);
    if (holdAt_ >= 0 && adapter_->lengthSeconds.load() > 0) {
        const int length = adapter_->lengthSeconds.load();
        const double at = holdAt_ < length ? holdAt_ : std::max(0, length - 1);
        holdAt_ = -1;
        adapter_->stepping.store(1); // the seek holds the picture
        seekTo(static_cast<float>(at), false);
    }
    if (adapter_->noTelemetry.load() == 0 && haveTelemetry)
        updateGSensor(sensor[0], sensor[1], sensor[2]);
    if (!videoPopupsActive_) {
        invalidate(kProgressRegion);
        invalidate(kTimeRegion);
    }
    invalidate(kHeadingRegion);
    invalidate(kGSensorPanel);
    // The marks stand where the length puts them, which the first frames bring.
    if (eventMarksPresent_)
        invalidate(kEventMarkRow);
    ++frameCounter_;
    return 1;
}

void CJXQ_PCMgrDlg::updateGSensor(double x, double y, double z) {
    if (graph_.addSample(x, y, z, frameCounter_))
        frameCounter_ = 0;
    if (!graph_.sampleDrawn())
        return;
    canvas_.erase(kGSensorPanel);
    QPainter painter(&canvas_.backBuffer());
    painter.setClipRect(toQRect(kGSensorPanel)); // the graph never spills onto its neighbours
    drawGSensorValues(painter, {x, y, z}, displayScale_);
    for (int t = 0; t < kTraceCount; ++t) {
        painter.setPen(QPen(toQColor(kGSensorTraceColours[static_cast<std::size_t>(t)]), 1));
        const auto trace = graph_.drawnTrace(t);
        for (std::size_t i = 1; i < trace.size(); ++i)
            painter.drawLine(trace[i - 1].x, trace[i - 1].y, trace[i].x, trace[i].y);
    }
}

void CJXQ_PCMgrDlg::drawPositionTexts() {
    if (!positionDrawable(fix_))
        return; // without a fix the previous lines stay
    canvas_.erase(kPositionRegion);
    QPainter painter(&canvas_.backBuffer());
    drawPositionLines(painter, fix_, displayScale_);
    painter.end();
    invalidate(kPositionRegion);
}

void CJXQ_PCMgrDlg::refreshSpeedDigits() {
    const int unit = settingPopup_ ? settingPopup_->speedUnit() : kDisplayUnitKmh;
    shownSpeed_ = speedDigits_.update(fix_, unit);
}

} // namespace kyvo::app
