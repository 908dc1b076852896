// Painting of the main window. Every drawing goes into the back buffer, which
// reaches the screen in one copy; the background is never erased by the
// system, so the skin does not flicker.

#include "CJXQ_PCMgrDlg.h"

#include "Fonts.h"
#include "Network.h"
#include "ROVUAdap.h"
#include "SettingPopup.h"
#include "Skin.h"
#include "StringIds.h"
#include "Strings.h"

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace kyvo::app {

namespace {

// One bar: left cap, the fill up to the position, the right cap at the end and
// the knob.
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

void CJXQ_PCMgrDlg::invalidate(const Rect& rect) {
    update(toQRect(rect));
}

void CJXQ_PCMgrDlg::paintEvent(QPaintEvent* event) {
    if (isMinimized())
        return;
    const bool mainScreen = unlocked_ && unlockFrame_ < 0;
    if (mainScreen)
        paintMainScreen();
    else
        paintPasswordScreen();
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    const QRect area = event->rect();
    painter.drawImage(area, canvas_.backBuffer(), area);
}

void CJXQ_PCMgrDlg::paintMainScreen() {
    drawListHeader();
    canvas_.erase(kProgressRegion);
    canvas_.erase(kTimeRegion);
    drawEventMarks();
    drawProgressBar();
    drawTimeTexts();
    drawSpeedUnitSign();
    drawHeadingNeedle();
    drawSliders();
    drawSpeedDigits();
    drawListRows();
}

void CJXQ_PCMgrDlg::drawListHeader() {
    // Titles and rows are anti-aliased text: drawn over themselves on every
    // paint they would thicken, so the title strip and the rows (drawn after
    // the header) are erased first.
    canvas_.erase(kListTitleStrip);
    canvas_.erase(kPlayListPanel);
    QPainter painter(&canvas_.backBuffer());
    painter.setPen(QPen(toQColor(kListLineColour), 1));
    // Lines end one pixel short of their end point.
    painter.drawLine(kListHeaderLeft, kListHeaderY, kListHeaderRight - 1, kListHeaderY);
    for (int x : kListColumnX)
        painter.drawLine(x, kListColumnTop, x, kListColumnBottom - 1);
    painter.setFont(pointFont(kListTitleFont, displayScale_));
    painter.setPen(Qt::white);
    constexpr std::array titles{strings::kColumnKind, strings::kColumnDate, strings::kColumnName};
    for (std::size_t i = 0; i < titles.size(); ++i)
        drawTextAt(painter, kListTitles[i], loadString(titles[i]));
}

void CJXQ_PCMgrDlg::drawProgressBar() {
    drawBar(canvas_, kProgressBar, std::max(progressPosition_, 0), bitmap::kProgressKnob);
}

void CJXQ_PCMgrDlg::drawSpeedUnitSign() {
    const int unit = settingPopup_ ? settingPopup_->speedUnit() : 0;
    if (unit < 0 || unit > 2)
        return;
    canvas_.drawImage(bitmap::kUnitKmh + unit, {kUnitSignRegion.left, kUnitSignRegion.top},
                      {kUnitSignRegion.width(), kUnitSignRegion.height()});
}

void CJXQ_PCMgrDlg::drawHeadingNeedle() {
    // The needle is anti-aliased: drawn over itself it would thicken, so its
    // dial is erased first. Course 0 points straight up, 90 to the right.
    canvas_.erase(kHeadingRegion);
    const auto [dx, dy] = headingVector(fix_.course);
    headingVector_ = {dx, dy};
    QPainter painter(&canvas_.backBuffer());
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::white, kNeedleWidth, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(kHeadingCentre.x, kHeadingCentre.y, kHeadingCentre.x + headingVector_.x,
                     kHeadingCentre.y + headingVector_.y);
}

void CJXQ_PCMgrDlg::drawSliders() {
    canvas_.drawImage(bitmap::kPlaybackSpeedIcon, kSpeedIcon);
    drawBar(canvas_, kSpeedBar, speedPosition_, bitmap::kSliderKnob);
    canvas_.drawImage(volumePosition_ == 0 ? bitmap::kVolumeMutedIcon : bitmap::kVolumeOnIcon, kVolumeIcon);
    drawBar(canvas_, kVolumeBar, volumePosition_, bitmap::kSliderKnob);
}

void CJXQ_PCMgrDlg::drawSpeedDigits() {
    refreshSpeedDigits();
    const std::array digits = digitsOf(shownSpeed_);
    canvas_.erase(kSpeedRegion);
    for (std::size_t i = 0; i < digits.size(); ++i)
        canvas_.drawImage(bitmap::kDigitFirst + digits[i], kSpeedDigits[i]);
}

// Drawn once while the connection is missing: drawn again over itself the
// anti-aliased text would thicken at every tick.
void CJXQ_PCMgrDlg::drawConnectionNotice() {
    if (noticeShown_)
        return;
    QPainter painter(&canvas_.backBuffer());
    painter.setFont(pointFont(kNoticeFont, displayScale_));
    const QString text = loadString(strings::kNoInternet);
    const int width = painter.fontMetrics().horizontalAdvance(text);
    const int x = kNoticeCentreX - width / 2;
    noticeRect_ = {x - 5, kNoticeTop, x + width + 5, kNoticeBottom};
    painter.setPen(toQColor(kNoticeColour));
    drawTextAt(painter, {x, kNoticeTop}, text);
    painter.end();
    invalidate(noticeRect_);
    noticeShown_ = true;
}

void CJXQ_PCMgrDlg::removeConnectionNotice() {
    if (!noticeShown_)
        return;
    QPainter painter(&canvas_.backBuffer());
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(toQRect(noticeRect_), canvas_.mainBackground(), toQRect(noticeRect_));
    painter.end();
    invalidate(noticeRect_);
    noticeShown_ = false;
}

void CJXQ_PCMgrDlg::onTimer100() {
    if (isInternetConnected())
        removeConnectionNotice();
    else
        drawConnectionNotice();
    if (adapter_ && adapter_->noTelemetry.load() == 0 && playing_) {
        drawPositionTexts();
        drawSpeedDigits();
        invalidate(kSpeedRegion);
    }
}

} // namespace kyvo::app
