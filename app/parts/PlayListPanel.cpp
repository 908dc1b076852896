#include "PlayListPanel.h"

#include "Fonts.h"
#include "Recordings.h"
#include "Skin.h"
#include "SkinCanvas.h"
#include "StringIds.h"
#include "Strings.h"

#include <QPainter>

namespace kyvo::app {

namespace {

int kindIcon(recordings::RecordingKind kind) {
    switch (kind) {
    case recordings::RecordingKind::Event: return bitmap::kKindEvent;
    case recordings::RecordingKind::ManualEvent: return bitmap::kKindManual;
    case recordings::RecordingKind::Normal: break;
    }
    return bitmap::kKindNormal;
}

void paintHeader(QPainter& painter, double displayScale) {
    painter.setPen(QPen(toQColor(kListLineColour), 1));
    // Lines end one pixel short of their end point.
    painter.drawLine(kListHeaderLeft, kListHeaderY, kListHeaderRight - 1, kListHeaderY);
    for (int x : kListColumnX)
        painter.drawLine(x, kListColumnTop, x, kListColumnBottom - 1);
    painter.setFont(pointFont(kListTitleFont, displayScale));
    painter.setPen(Qt::white);
    constexpr std::array titles{strings::kColumnKind, strings::kColumnDate, strings::kColumnName};
    for (std::size_t i = 0; i < titles.size(); ++i)
        drawTextAt(painter, kListTitles[i], loadString(titles[i]));
}

void paintRows(QPainter& painter, const PlayList& list, double displayScale) {
    painter.setFont(pointFont(kListRowFont, displayScale));
    const int rows = list.rowsOnPage();
    for (int i = 0; i < rows; ++i) {
        const int index = list.page() * PlayList::kRowsPerPage + i;
        const std::u16string* path = list.path(static_cast<std::size_t>(index));
        if (!path)
            break; // a page beyond the list stops at the first missing entry
        const int y = kListRows.top + kListRowHeight * i;
        const bool selected = index == list.selected();
        if (selected)
            painter.fillRect(QRect(kListRows.left, y, kListRows.width(), kListRowHeight), toQColor(kSelectedRowColour));
        painter.setPen(selected ? Qt::black : Qt::white);
        const auto kind = recordings::classify(*path).kind;
        painter.drawImage(kKindIconX, y + kKindIconDrop, skinImage(kindIcon(kind)));
        drawTextAt(painter, {kDateX, y}, QString::fromStdU16String(recordings::dateText(*path)));
        drawTextAt(painter, {kNameX, y}, QString::fromStdU16String(recordings::rowName(*path)));
    }
}

} // namespace

void PlayListPanel::showTitleOf(const QString& path) {
    title_ = QString::fromStdU16String(recordings::titleText(path.toStdU16String()));
}

void PlayListPanel::paint(SkinCanvas& canvas, double displayScale) const {
    QPainter painter(&canvas.backBuffer());
    paintHeader(painter, displayScale);
    paintRows(painter, list_, displayScale);
    painter.fillRect(toQRect(kListTrack), toQColor(kListTrackColour));
    if (list_.pageCount() > 1) {
        const auto& thumb = list_.thumb();
        painter.fillRect(QRect(kListTrack.left, thumb.top, kListTrack.width(), thumb.bottom - thumb.top),
                         toQColor(kListThumbColour));
    }
    if (!title_.isEmpty()) {
        painter.setFont(pointFont(kTitleFont, displayScale));
        painter.setPen(Qt::white);
        painter.setClipRect(toQRect(kTitleRegion));
        drawTextAt(painter, kTitleRegion.topLeft(), title_);
    }
    painter.end();
    canvas.drawImage(bitmap::kScrollUp, kListArrowUp);
    canvas.drawImage(bitmap::kScrollDown, kListArrowDown);
}

} // namespace kyvo::app
