#include "PlaybackBars.h"

#include "Fonts.h"
#include "Skin.h"
#include "SkinCanvas.h"

#include <QPainter>

#include <algorithm>

namespace kyvo::app {

namespace {

// One bar: left cap, the fill up to the position, the right cap at the end
// and the knob.
void drawBar(SkinCanvas& canvas, const Bar& bar, int position, int knobImage) {
    position = std::clamp(position, 0, bar.maxPosition);
    canvas.drawImage(bitmap::kBarLeftCap, bar.leftCap);
    const QImage fill = skinImage(bitmap::kBarFill);
    if (!fill.isNull() && position > 0) {
        QPainter painter(&canvas.backBuffer());
        painter.drawTiledPixmap(QRect(bar.fillLeft, bar.fillTop, position, fill.height()), QPixmap::fromImage(fill));
    }
    const bool atEnd = position == bar.maxPosition;
    if (atEnd && !bar.capOverKnob)
        canvas.drawImage(bitmap::kBarRightCap, bar.rightCap);
    canvas.drawImage(knobImage, bar.knobAt(position));
    if (atEnd && bar.capOverKnob)
        canvas.drawImage(bitmap::kBarRightCap, bar.rightCap);
}

} // namespace

void PlaybackBars::reset() {
    positions_.progress = 0;
    positions_.speed = kSpeedStartPosition;
    records_.clear();
}

void PlaybackBars::setEventMarks(std::vector<EventRecord> records, int startTime) {
    records_ = std::move(records);
    startTime_ = startTime;
}

void PlaybackBars::paint(SkinCanvas& canvas, double displayScale, const PlaybackClock& clock) const {
    // A mark that would stand outside its row is left out.
    for (int x : markPositions(records_, startTime_, clock.length))
        if (x >= kEventMarkRow.left && x + kEventMarkSide <= kEventMarkRow.right)
            canvas.drawImage(bitmap::kEventMark, {x, kEventMarkRow.top});
    drawBar(canvas, kProgressBar, std::max(positions_.progress, 0), bitmap::kProgressKnob);
    if (clock.shown && clock.length > 0) {
        QPainter painter(&canvas.backBuffer());
        painter.setFont(pointFont(kTimeFont, displayScale));
        painter.setPen(Qt::white);
        drawTextAt(painter, kElapsedText, QString::fromStdString(elapsedText(clock.displaySecond)));
        drawTextAt(painter, kLengthText, QString::fromStdString(lengthText(clock.length)));
    }
    canvas.drawImage(bitmap::kPlaybackSpeedIcon, kSpeedIcon);
    drawBar(canvas, kSpeedBar, positions_.speed, bitmap::kSliderKnob);
    canvas.drawImage(positions_.volume == 0 ? bitmap::kVolumeMutedIcon : bitmap::kVolumeOnIcon, kVolumeIcon);
    drawBar(canvas, kVolumeBar, positions_.volume, bitmap::kSliderKnob);
}

} // namespace kyvo::app
