// A look at the skin in use: the main screen as the window would compose it
// (background, every element at its place, list lines, sample texts), the
// password screen beside it, and a sheet of the remaining bitmaps below that.
#include "Preview.h"

#include <QPainter>
#include <QtMath>

#include <cmath>

#include "Paint.h"
#include "SkinIds.h"
#include "SkinLayout.h"
#include "SkinStyle.h"

namespace kyvo::skin {

namespace {

using namespace layout;

constexpr int kGutter = 20;
constexpr int kSheetSpacing = 8;
constexpr int kSheetZoom = 2;
constexpr int kSheetIconSize = 128;

// Window texts at 96 dpi: 15 pt, 14 pt and 12 pt, and the small list and
// G-sensor text.
constexpr int kFileNamePx = 20;
constexpr int kPasswordCaptionPx = 19;
constexpr int kTextPx = 16;
constexpr int kSmallTextPx = 12;
constexpr QSize kTextBox{200, 20};
constexpr int kCellInset = 6;       // text inset in a list cell
constexpr int kKindIconLeft = 12;   // kind badge inset in the first column
constexpr QColor kBackdrop{0x3A, 0x3F, 0x45};
constexpr QColor kColumnLine{0x3A, 0x42, 0x4B};
constexpr QColor kFieldFrame{0x82, 0x82, 0x82};

// Sample state shown on the main screen.
constexpr int kProgressPosition = 150;
constexpr int kSpeedPosition = 49;   // 1x
constexpr int kVolumePosition = 90;
constexpr int kSelectedRow = 2;
constexpr qreal kSampleHeading = 38;
constexpr std::array kSampleMarks{70, 215};
constexpr std::array kSampleSpeed{0, 6, 2};

void put(QPainter& p, const SkinSet& skin, int id, QPoint at) {
    p.drawImage(at, skin.render(id));
}

QFont textFont(int pixelSize) {
    return style::font(pixelSize, QFont::Normal, true);
}

void drawBar(QPainter& p, const SkinSet& skin, const Bar& bar, int position, int knobId) {
    const QImage fill = skin.render(kBarFill);
    put(p, skin, kBarLeftCap, bar.leftCap);
    for (int x = bar.fillLeft; x < bar.fillLeft + position; ++x)
        p.drawImage(x, bar.groove.top(), fill);
    put(p, skin, knobId, {bar.knobLeft + position, bar.knobTop});
}

void drawTelemetry(QPainter& p, const SkinSet& skin) {
    // Heading needle.
    const qreal rad = qDegreesToRadians(kSampleHeading);
    const QPointF c = QPointF(kHeadingCentre) + QPointF(0.5, 0.5);
    p.setPen(roundPen(Qt::white, kHeadingNeedleWidth));
    p.drawLine(c, c + QPointF(std::sin(rad), -std::cos(rad)) * kHeadingNeedleLength);

    for (std::size_t i = 0; i < kSpeedDigits.size(); ++i)
        put(p, skin, kDigitFirst + kSampleSpeed[i], kSpeedDigits[i]);
    put(p, skin, kUnitKmh, kSpeedUnit);

    p.setFont(style::font(kTextPx - 1));
    p.setPen(Qt::white);
    p.drawText(QRect(kLatitudeText, kTextBox), Qt::AlignLeft | Qt::AlignTop,
               QStringLiteral("025° 03' 30.00\" N"));
    p.drawText(QRect(kLongitudeText, kTextBox), Qt::AlignLeft | Qt::AlignTop,
               QStringLiteral("121° 33' 50.40\" E"));

    const QColor axes[] = {style::kAxisX, style::kAxisY, style::kAxisZ};
    const char* values[] = {"X : 0.123", "Y : -0.045", "Z : 1.002"};
    p.setFont(style::font(kSmallTextPx));
    for (std::size_t i = 0; i < kGSensorText.size(); ++i) {
        p.setPen(axes[i]);
        p.drawText(QRect(kGSensorText[i], kTextBox), Qt::AlignLeft | Qt::AlignTop,
                   QString::fromLatin1(values[i]));
    }
    // A short trace per axis in the graph.
    const qreal gScale = (kGSensorZeroY - kGSensorPlusY) / static_cast<qreal>(kGSensorRange);
    const qreal offsets[] = {0.1, -0.05, 1.0};
    for (std::size_t axis = 0; axis < 3; ++axis) {
        QPolygonF trace;
        for (int x = kGSensorGraph.left() + 1; x < kGSensorGraph.right(); x += 3) {
            const qreal g = offsets[axis] + 0.6 * std::sin(x * 0.07 + axis * 2.0) * (axis == 0 ? 1.6 : 1.0);
            trace << QPointF(x, kGSensorZeroY - g * gScale);
        }
        p.setPen(QPen(axes[axis], 1.2));
        p.drawPolyline(trace);
    }
}

void drawPlayList(QPainter& p, const SkinSet& skin) {
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(style::kListHeader);
    p.drawLine(kListHeaderLeft, kListHeaderY, kListHeaderRight, kListHeaderY);
    p.setPen(kColumnLine);
    for (int x : kListColumnLines)
        p.drawLine(x, kListColumnTop, x, kListColumnBottom);
    p.setRenderHint(QPainter::Antialiasing, true);

    p.setFont(textFont(kSmallTextPx));
    p.setPen(Qt::white);
    const char16_t* titles[] = {u"類型", u"時間", u"檔案名稱"};
    for (std::size_t i = 0; i < kListTitleX.size(); ++i)
        p.drawText(QRect(QPoint(kListTitleX[i], kListTitleY), kTextBox), Qt::AlignLeft | Qt::AlignTop,
                   QString::fromUtf16(titles[i]));

    const int kinds[] = {kKindNormal, kKindNormal, kKindEvent, kKindNormal, kKindManual, kKindNormal, kKindEvent};
    for (int row = 0; row < kListRowCount; ++row) {
        const QRect r(kListRows.left(), kListRows.top() + row * kListRowHeight, kListRows.width(), kListRowHeight);
        const bool selected = row == kSelectedRow;
        if (selected)
            p.fillRect(r, style::kSelectedRow);
        const int badgeTop = (kListRowHeight - skinSize(kKindNormal).height()) / 2;
        put(p, skin, kinds[row], {r.left() + kKindIconLeft, r.top() + badgeTop});
        p.setPen(selected ? Qt::black : Qt::white);
        const int timeLeft = kListColumnLines[0] + kCellInset;
        const int nameLeft = kListColumnLines[1] + kCellInset;
        p.drawText(QRect(timeLeft, r.top(), nameLeft - timeLeft, r.height()), Qt::AlignVCenter,
                   QStringLiteral("08:%1:00").arg(15 + row, 2, 10, QLatin1Char('0')));
        p.drawText(QRect(nameLeft, r.top(), r.right() - nameLeft, r.height()), Qt::AlignVCenter,
                   QStringLiteral("20240612_08%1_F.mp4").arg(1500 + row * 100));
    }
    p.fillRect(kListScrollTrack, style::kScrollTrack);
}

void drawMainScreen(QPainter& p, const SkinSet& skin) {
    p.drawImage(0, 0, skin.mainBackground());
    for (const Placement& placement : kPlacements) {
        const SkinImage* image = findSkinImage(placement.id);
        const bool pressed = image->normalId != 0;
        const bool alternative = placement.id == kVolumeMutedIcon || placement.id == kUnitMph ||
                                 placement.id == kUnitKnots || placement.id == kBarFill ||
                                 placement.id == kBarLeftCap || placement.id == kBarRightCap ||
                                 placement.id == kProgressKnob || placement.id == kSliderKnob;
        if (placement.screen == Screen::Main && !pressed && !alternative)
            put(p, skin, placement.id, placement.at);
    }
    for (int x : kSampleMarks)
        put(p, skin, kEventMark, {kEventMarkMinX + x, kEventMarkTop});
    drawBar(p, skin, kProgressBar, kProgressPosition, kProgressKnob);
    drawBar(p, skin, kSpeedBar, kSpeedPosition, kSliderKnob);
    drawBar(p, skin, kVolumeBar, kVolumePosition, kSliderKnob);

    prepare(p);
    p.setPen(Qt::white);
    p.setFont(textFont(kFileNamePx));
    p.drawText(kFileNameText, Qt::AlignLeft | Qt::AlignTop, QStringLiteral("20240612_081530_F.mp4"));
    p.setFont(textFont(kTextPx));
    p.drawText(QRect(kTimeText, kTextBox), Qt::AlignLeft | Qt::AlignTop, QStringLiteral("00:01:15"));
    p.drawText(QRect(kDurationText, kTextBox), Qt::AlignLeft | Qt::AlignTop, QStringLiteral(" / 00:03:00"));
    p.setPen(style::kDanger);
    p.setFont(textFont(kSmallTextPx + 1));
    QRect notice(QPoint(0, 0), QSize(kMap.width(), kTextBox.height()));
    notice.moveCenter(kMapNoticeCentre);
    p.drawText(notice, Qt::AlignCenter,
               QStringLiteral("無法連線至網路，地圖暫不顯示"));
    drawTelemetry(p, skin);
    drawPlayList(p, skin);
}

void drawPasswordScreen(QPainter& p, const SkinSet& skin) {
    p.drawImage(0, 0, skin.passwordBackground());
    put(p, skin, kCloseNormal, kPasswordClose);
    prepare(p);
    p.setFont(textFont(kPasswordCaptionPx));
    p.setPen(Qt::white);
    p.drawText(QRect(kPasswordCaption, kTextBox), Qt::AlignLeft | Qt::AlignTop, QStringLiteral("密碼"));
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(kFieldFrame);
    p.setBrush(Qt::NoBrush);
    p.drawRect(kPasswordFieldFrame.adjusted(0, 0, -1, -1));
    p.fillRect(kPasswordField, Qt::black);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::white);
    p.drawText(kPasswordField.adjusted(kCellInset, 0, 0, 0), Qt::AlignVCenter, QStringLiteral("●●●●"));
    put(p, skin, kOkNormal, kPasswordOk);
}

// Everything not visible on the two screens, at 1:1 and the small ones at 2:1.
void drawSheet(QPainter& p, const SkinSet& skin, QPoint origin, int width) {
    QPoint at = origin;
    int rowHeight = 0;
    const auto place = [&](int id, int scale) {
        const QImage image = skin.render(id);
        const QSize size = image.size() * scale;
        if (at.x() + size.width() > origin.x() + width) {
            at = QPoint(origin.x(), at.y() + rowHeight + kSheetSpacing);
            rowHeight = 0;
        }
        p.drawImage(QRect(at, size), image);
        at.rx() += size.width() + kSheetSpacing;
        rowHeight = std::max(rowHeight, size.height());
    };
    for (const SkinImage& image : kSkinImages) {
        if (image.normalId != 0)
            place(image.id, 1);
    }
    for (int id = kUnlockFirst; id <= kUnlockLast; ++id)
        place(id, 1);
    place(kBrandPlate, 1);
    for (int id : {kKindNormal, kKindEvent, kKindManual, kVolumeMutedIcon, kUnitMph, kUnitKnots, kTriangleRight,
                   kTriangleLeft, kBarLeftCap, kBarRightCap, kProgressKnob, kSliderKnob})
        place(id, kSheetZoom);
    for (int id = kDigitFirst; id <= kDigitLast; ++id)
        place(id, 1);
    // Kind badges on a selected row.
    at = QPoint(origin.x(), at.y() + rowHeight + kSheetSpacing);
    p.fillRect(QRect(at, QSize(width, kListRowHeight)), style::kSelectedRow);
    const int badgeTop = (kListRowHeight - skinSize(kKindNormal).height()) / 2;
    for (int id : {kKindNormal, kKindEvent, kKindManual}) {
        p.drawImage(at + QPoint(kKindIconLeft, badgeTop), skin.render(id));
        at.rx() += kKindIconLeft + skinSize(id).width();
    }
    at = QPoint(origin.x(), at.y() + kListRowHeight + kSheetSpacing);
    p.drawImage(QRect(at, QSize(kSheetIconSize, kSheetIconSize)), skin.render(kAppIcon));
}

} // namespace

QImage composePreview(const SkinSet& skin) {
    const QSize size(kMainSize.width() + kGutter + kPasswordSize.width() + kGutter, kMainSize.height());
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(kBackdrop);
    QPainter p(&image);
    prepare(p);
    drawMainScreen(p, skin);
    p.save();
    p.translate(kMainSize.width() + kGutter, 0);
    drawPasswordScreen(p, skin);
    p.restore();
    drawSheet(p, skin, QPoint(kMainSize.width() + kGutter, kPasswordSize.height() + kGutter),
              kPasswordSize.width());
    return image;
}

} // namespace kyvo::skin
