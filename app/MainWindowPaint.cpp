// Composing and painting the main window. Handlers change the parts and mark
// what changed; compose() draws the whole screen into the back buffer once
// per repaint, and the paint event copies the marked rectangles to the
// screen. The background is never erased by the system, so the skin does not
// flicker.

#include "CJXQ_PCMgrDlg.h"

#include "Network.h"
#include "ROVUAdap.h"
#include "SettingPopup.h"
#include "SkinButton.h"

#include <QPaintEvent>
#include <QPainter>
#include <QTimer>

#include <functional>
#include <span>
#include <utility>

namespace kyvo::app {

namespace {

// A part of the main screen for composing: where it paints, and how.
struct ComposedPart {
    std::span<const Rect> regions;
    std::function<void()> paint;
};

bool meets(const QRegion& region, std::span<const Rect> rects) {
    for (const Rect& r : rects)
        if (region.intersects(toQRect(r)))
            return true;
    return false;
}

} // namespace

void CJXQ_PCMgrDlg::invalidate(const Rect& rect) {
    dirty_ += toQRect(rect);
    update(toQRect(rect));
}

void CJXQ_PCMgrDlg::invalidateAll() {
    dirty_ = QRegion(0, 0, canvas_.backBuffer().width(), canvas_.backBuffer().height());
    update();
}

// The password screen until it is passed, else the main screen: every part
// that meets the marked region is painted whole, over its regions erased to
// the background. A part's regions join the marked region before anything is
// erased, so a part is never erased without being painted again.
void CJXQ_PCMgrDlg::compose() {
    QRegion dirty = std::exchange(dirty_, QRegion());
    if (!unlocked_ || gate_.unlocking()) {
        gate_.paint(canvas_, displayScale_);
        return;
    }
    PlaybackClock clock;
    if (adapter_) {
        clock.length = adapter_->lengthSeconds.load();
        clock.displaySecond = adapter_->DisplaySecond();
        clock.shown = playing_ && !atEndBound();
    }
    const int speedUnit = settingPopup_ ? settingPopup_->speedUnit() : kDisplayUnitKmh;
    const std::array parts{
        ComposedPart{PlaybackBars::kRegions, [&] { bars_.paint(canvas_, displayScale_, clock); }},
        ComposedPart{GaugePanel::kRegions, [&] { gauges_.paint(canvas_, displayScale_, speedUnit); }},
        ComposedPart{PlayListPanel::kRegions, [&] { listPanel_.paint(canvas_, displayScale_); }},
        ComposedPart{MapPanel::kRegions, [&] { map_.paint(canvas_, displayScale_); }},
    };
    std::array<bool, parts.size()> painted{};
    for (bool grew = true; grew;) {
        grew = false;
        for (std::size_t i = 0; i < parts.size(); ++i) {
            if (painted[i] || !meets(dirty, parts[i].regions))
                continue;
            painted[i] = true;
            grew = true;
            for (const Rect& r : parts[i].regions)
                dirty += toQRect(r);
        }
    }
    for (const QRect& r : dirty)
        canvas_.erase(Rect::sized(r.x(), r.y(), r.width(), r.height()));
    for (std::size_t i = 0; i < parts.size(); ++i)
        if (painted[i])
            parts[i].paint();
}

bool CJXQ_PCMgrDlg::event(QEvent* event) {
    // The window system is about to repaint: the back buffer is composed first.
    if (event->type() == QEvent::UpdateRequest && !dirty_.isEmpty())
        compose();
    // After activation the library's video window is placed again.
    if (event->type() == QEvent::WindowActivate && playing_ && adapter_)
        adapter_->NotifyMoved();
    // A video window the library makes (the rear's stands in the map's panel)
    // comes on top of its siblings: the USB button is put back above it once
    // the window is in place.
    if (event->type() == QEvent::ChildAdded && buttons_.count(control::kUsb)) {
        QWidget* usb = buttons_.at(control::kUsb);
        QTimer::singleShot(0, usb, [usb] { usb->raise(); });
    }
    return MessageWindow::event(event);
}

void CJXQ_PCMgrDlg::paintEvent(QPaintEvent* event) {
    if (isMinimized())
        return;
    // A paint outside the window system's repaint (a grab, a first show)
    // finds the back buffer composed all the same.
    if (!dirty_.isEmpty())
        compose();
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    const QRect area = event->rect();
    painter.drawImage(area, canvas_.backBuffer(), area);
}

// Timer 100: the connection notice, and the position lines and speed digits
// of the recording that plays.
void CJXQ_PCMgrDlg::onTimer100() {
    const bool online = isInternetConnected();
    if (const auto changed = map_.setNoticeShown(!online, displayScale_))
        invalidate(*changed);
    pushPosition(online);
    updateMapShown();
    if (adapter_ && adapter_->noTelemetry.load() == 0 && playing_) {
        gauges_.refreshPosition();
        invalidate(kPositionRegion);
        invalidate(kSpeedRegion);
    }
}

} // namespace kyvo::app
