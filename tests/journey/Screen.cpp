#include "Screen.h"

#include "Skin.h"
#include "SkinIds.h"

#include <QElapsedTimer>
#include <QThread>

namespace kyvo::journey {

namespace {

constexpr int kPollMs = 50;
constexpr QRgb kSelectedRowColour = 0xFFAAFF4B; // the selected row's fill
constexpr int kProgressKnobLeft = 23;
constexpr int kProgressKnobTop = 501;
constexpr int kProgressMax = 360;
constexpr int kSpeedKnobLeft = 644;
constexpr int kVolumeKnobLeft = 847;
constexpr int kSliderKnobTop = 498;
constexpr int kSpeedMax = 107;
constexpr int kVolumeMax = 128;
constexpr int kRowsLeft = 685;
constexpr int kRowsTop = 608;
constexpr int kRowHeight = 18;
constexpr int kRowsPerPage = 7;
constexpr int kKindIconX = 700;
constexpr int kKindIconDy = 2;
constexpr QPoint kCloseButtonAt(955, 1);

int knobPosition(const QImage& screen, int knob, int left, int top, int max) {
    for (int p = 0; p <= max; ++p)
        if (showsSkinImage(screen, knob, {left + p, top}))
            return p;
    return -1;
}

} // namespace

bool waitUntil(int timeoutMs, const std::function<bool()>& condition) {
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QThread::msleep(kPollMs);
    }
    return true;
}

bool showsSkinImage(const QImage& screen, int id, QPoint at) {
    const QImage image = skinImage(id).convertToFormat(QImage::Format_ARGB32);
    if (image.isNull() || !screen.rect().contains(QRect(at, image.size())))
        return false;
    int opaque = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (qAlpha(pixel) != 255)
                continue;
            ++opaque;
            if ((screen.pixel(at.x() + x, at.y() + y) & 0xFFFFFF) != (pixel & 0xFFFFFF))
                return false;
        }
    return opaque > 0;
}

bool showsMainScreen(const QImage& screen) {
    return showsSkinImage(screen, skin::kCloseNormal, kCloseButtonAt);
}

int progressPosition(const QImage& screen) {
    return knobPosition(screen, skin::kProgressKnob, kProgressKnobLeft, kProgressKnobTop, kProgressMax);
}

int speedPosition(const QImage& screen) {
    return knobPosition(screen, skin::kSliderKnob, kSpeedKnobLeft, kSliderKnobTop, kSpeedMax);
}

int volumePosition(const QImage& screen) {
    return knobPosition(screen, skin::kSliderKnob, kVolumeKnobLeft, kSliderKnobTop, kVolumeMax);
}

int selectedRow(const QImage& screen) {
    for (int i = 0; i < kRowsPerPage; ++i) {
        // Inside the row, right of its texts.
        if (screen.pixel(kRowsLeft + 290, kRowsTop + kRowHeight * i + 1) == kSelectedRowColour)
            return i;
    }
    return -1;
}

bool rowFilled(const QImage& screen, int i) {
    const QPoint icon(kKindIconX, kRowsTop + kRowHeight * i + kKindIconDy);
    return showsSkinImage(screen, skin::kKindNormal, icon) || showsSkinImage(screen, skin::kKindEvent, icon) ||
           showsSkinImage(screen, skin::kKindManual, icon);
}

int eventMarkCount(const QImage& screen) {
    int count = 0;
    for (int x = kEventMarkRow.left(); x + 19 <= kEventMarkRow.right() + 1; ++x)
        if (showsSkinImage(screen, skin::kEventMark, {x, kEventMarkRow.top()}))
            ++count;
    return count;
}

int differingPixels(const QImage& a, const QImage& b, const QRect& area) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                ++count;
    return count;
}

int litPixels(const QImage& screen, const QRect& area) {
    int lit = 0;
    for (int y = area.top(); y <= area.bottom(); y += 4)
        for (int x = area.left(); x <= area.right(); x += 4)
            lit += qGray(screen.pixel(x, y)) > 40;
    return lit;
}

} // namespace kyvo::journey
