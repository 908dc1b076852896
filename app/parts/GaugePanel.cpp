#include "GaugePanel.h"

#include "GaugeTexts.h"
#include "Skin.h"
#include "SkinCanvas.h"

#include <QPainter>

namespace kyvo::app {

void GaugePanel::takeFrame(std::string_view sentence, const std::optional<std::array<float, 3>>& sample) {
    if (sentence.starts_with(kRmcPrefix))
        decodeRmc(sentence, fix_);
    if (sample) {
        const auto [x, y, z] = *sample;
        if (graph_.addSample(x, y, z, frameCounter_))
            frameCounter_ = 0;
        if (graph_.sampleDrawn()) {
            gsensorShown_ = true;
            gsensorValues_ = {x, y, z};
        }
    }
    ++frameCounter_;
}

void GaugePanel::refreshPosition() {
    if (positionDrawable(fix_))
        shownPosition_ = fix_;
}

void GaugePanel::startFile() {
    frameCounter_ = 0;
    speedDigits_.reset();
    gsensorShown_ = false;
    shownPosition_.reset();
}

void GaugePanel::paint(SkinCanvas& canvas, double displayScale, int speedUnit) {
    QPainter painter(&canvas.backBuffer());
    // Course 0 points straight up, 90 to the right.
    const auto [dx, dy] = headingVector(fix_.course);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::white, kNeedleWidth, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(kHeadingCentre.x, kHeadingCentre.y, kHeadingCentre.x + dx, kHeadingCentre.y + dy);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.end();

    if (speedUnit >= kDisplayUnitKmh && speedUnit <= kDisplayUnitKnots)
        canvas.drawImage(bitmap::kUnitKmh + speedUnit, kUnitSignRegion.topLeft(), kUnitSignRegion.size());
    const std::array digits = digitsOf(speedDigits_.update(fix_, speedUnit));
    for (std::size_t i = 0; i < digits.size(); ++i)
        canvas.drawImage(bitmap::kDigitFirst + digits[i], kSpeedDigits[i]);

    painter.begin(&canvas.backBuffer());
    if (shownPosition_)
        drawPositionLines(painter, *shownPosition_, displayScale);
    if (gsensorShown_) {
        painter.setClipRect(toQRect(kGSensorPanel)); // the graph never spills onto its neighbours
        drawGSensorValues(painter, gsensorValues_, displayScale);
        for (int t = 0; t < kTraceCount; ++t) {
            painter.setPen(QPen(toQColor(kGSensorTraceColours[static_cast<std::size_t>(t)]), 1));
            const auto trace = graph_.drawnTrace(t);
            for (std::size_t i = 1; i < trace.size(); ++i)
                painter.drawLine(trace[i - 1].x, trace[i - 1].y, trace[i].x, trace[i].y);
        }
    }
}

} // namespace kyvo::app
