#include "GaugeTexts.h"

#include "Fonts.h"
#include "SkinCanvas.h"
#include "TelemetryGraph.h"
#include "TelemetryText.h"

#include <QPainter>

#include <cmath>

namespace kyvo::app {

namespace {

constexpr char kTraceAxes[kTraceCount] = {'X', 'Y', 'Z'};

} // namespace

void drawGSensorValues(QPainter& painter, const std::array<double, 3>& values, double displayScale) {
    painter.setFont(pointFont(kGSensorFont, displayScale));
    for (std::size_t t = 0; t < kTraceCount; ++t) {
        painter.setPen(toQColor(kGSensorTextColours[t]));
        drawTextAt(painter, kGSensorTexts[t], QString::fromStdString(gsensorValueText(kTraceAxes[t], values[t])));
    }
}

void drawPositionLines(QPainter& painter, const RmcFix& fix, double displayScale) {
    painter.setFont(pointFont(kPositionFont, displayScale));
    painter.setPen(Qt::white);
    // Each line's capitals and digits start just below its given top: the
    // font's full ascent (tall in a CJK font) would push the second line
    // through the bottom of the GPS well.
    const QFontMetrics metrics = painter.fontMetrics();
    const int baselineDrop = static_cast<int>(std::ceil(metrics.capHeight())) + kPositionCapGap;
    painter.drawText(kLatitudeText.x, kLatitudeText.y + baselineDrop,
                     QString::fromStdString(latitudeLine(fix.latitude)));
    painter.drawText(kLongitudeText.x, kLongitudeText.y + baselineDrop,
                     QString::fromStdString(longitudeLine(fix.longitude)));
}

} // namespace kyvo::app
