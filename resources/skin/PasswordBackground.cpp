// The password screen (129): title strip, the product's mark and name, a
// prompt line and a raised form card behind the field the window draws.
#include <QRadialGradient>

#include "Backgrounds.h"
#include "Brand.h"
#include "Paint.h"
#include "SkinLayout.h"
#include "SkinStyle.h"

namespace kyvo::skin {

namespace {

using namespace layout;

constexpr int kStripHeight = 27;
constexpr qreal kMarkSize = 58;
constexpr qreal kMarkTop = 42;
constexpr int kNameSize = 22;
constexpr qreal kNameTop = 106;
constexpr QRectF kPromptLine{0, 150, 440, 16};
constexpr QRect kFormCard{58, 182, 324, 62};
constexpr int kPromptSize = 12;

} // namespace

QImage paintPasswordBackground() {
    QImage image(kPasswordSize, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&image);
    prepare(p);
    const QRectF all(QPointF(0, 0), QSizeF(kPasswordSize));

    // Body with a soft cyan light falling from behind the mark.
    p.fillRect(all, style::kBase);
    QRadialGradient light(QPointF(all.center().x(), kMarkTop + kMarkSize / 2), 210);
    light.setColorAt(0, withAlpha(style::kAccentDeep, 70));
    light.setColorAt(0.6, withAlpha(style::kAccentDeep, 12));
    light.setColorAt(1, withAlpha(style::kAccentDeep, 0));
    p.fillRect(all, light);

    paintTitleStrip(p, QRect(0, 0, kPasswordSize.width(), kStripHeight));
    caption(p, QRectF(14, 0, 200, kStripHeight), QStringLiteral("安全驗證  SECURITY"),
            Qt::AlignLeft | Qt::AlignVCenter, style::kCaption);

    paintLogoMark(p, QRectF(all.center().x() - kMarkSize / 2, kMarkTop, kMarkSize, kMarkSize));
    const qreal nameWidth = wordmarkWidth(kNameSize);
    paintWordmark(p, QPointF(all.center().x() - nameWidth / 2, kNameTop), kNameSize);

    p.setFont(style::font(kPromptSize, QFont::Normal, true));
    p.setPen(style::kCaption);
    p.drawText(kPromptLine, Qt::AlignCenter, QStringLiteral("請輸入密碼  ·  Enter password"));

    raisedPanel(p, kFormCard, style::kCardRadius);

    // Window rim.
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(style::kEdge);
    p.setBrush(Qt::NoBrush);
    p.drawLine(0, kStripHeight, 0, kPasswordSize.height() - 1);
    p.drawLine(kPasswordSize.width() - 1, kStripHeight, kPasswordSize.width() - 1, kPasswordSize.height() - 1);
    p.drawLine(0, kPasswordSize.height() - 1, kPasswordSize.width() - 1, kPasswordSize.height() - 1);
    return image;
}

} // namespace kyvo::skin
