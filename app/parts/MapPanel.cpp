#include "MapPanel.h"

#include "Fonts.h"
#include "SkinCanvas.h"
#include "StringIds.h"
#include "Strings.h"

#include <QFontMetrics>
#include <QPainter>

namespace kyvo::app {

namespace {
constexpr int kNoticeMargin = 5; // repainted beyond the text on either side
}

Rect MapPanel::noticeRect(double displayScale) const {
    const QFontMetrics metrics(pointFont(kNoticeFont, displayScale));
    const int width = metrics.horizontalAdvance(loadString(strings::kNoInternet));
    const int x = kNoticeCentreX - width / 2;
    return Rect::edges(x - kNoticeMargin, kNoticeTop, x + width + kNoticeMargin, kNoticeBottom);
}

std::optional<Rect> MapPanel::setNoticeShown(bool shown, double displayScale) {
    if (shown == noticeShown_)
        return std::nullopt;
    noticeShown_ = shown;
    return noticeRect(displayScale);
}

void MapPanel::paint(SkinCanvas& canvas, double displayScale) const {
    if (!noticeShown_)
        return;
    QPainter painter(&canvas.backBuffer());
    painter.setFont(pointFont(kNoticeFont, displayScale));
    painter.setPen(toQColor(kNoticeColour));
    drawTextAt(painter, {noticeRect(displayScale).left + kNoticeMargin, kNoticeTop}, loadString(strings::kNoInternet));
}

} // namespace kyvo::app
