#include "PopupControls.h"

#include <QFontMetricsF>
#include <QPainter>

#include <optional>

#include "Controls.h"
#include "Glyphs.h"
#include "Indicators.h"
#include "Paint.h"
#include "SkinIds.h"
#include "SkinStyle.h"

namespace kyvo::skin {

namespace {

// The wide confirm and exit buttons.
constexpr qreal kButtonInset = 1.5;
constexpr qreal kButtonRadius = 6;
constexpr int kButtonTextSize = 13;
constexpr qreal kButtonGlyph = 16;
constexpr qreal kButtonGlyphGap = 5;
constexpr qreal kButtonGlyphStroke = 1.4;

// Check box: a 17 pixel square well, pixel-aligned so its rim stays crisp.
constexpr qreal kBoxSide = 17;
constexpr qreal kBoxRadius = 3.5;
constexpr qreal kCheckGlyph = 15;
constexpr qreal kCheckStroke = 2.2;

// Fold button of a drop-down field.
constexpr qreal kFoldInset = 1.5;
constexpr qreal kFoldRadius = 4;
constexpr qreal kFoldGlyph = 14;
constexpr qreal kFoldStroke = 1.8;

// The slider thumb spans its bitmap but for a pixel each side for its rim.
constexpr qreal kThumbSideRoom = 1;

enum class Look { Primary, Neutral };

QRectF centredSquare(const QImage& canvas, qreal side, qreal shift) {
    return QRectF((canvas.width() - side) / 2, (canvas.height() - side) / 2 + shift, side, side);
}

// A confirm or exit button: an optional glyph and a label, centred together
// on a key face. The primary face is lit in the accent like the password
// screen's OK key, the neutral one is a plain key.
void paintDialogButton(QImage& canvas, const QString& text, std::optional<Glyph> glyph, Look look, Press press) {
    QPainter p(&canvas);
    prepare(p);
    const QRectF r = QRectF(canvas.rect()).adjusted(kButtonInset, kButtonInset, -kButtonInset, -kButtonInset);
    const bool pressed = press == Press::Pressed;
    QColor ink;
    if (look == Look::Primary) {
        p.setBrush(pressed ? vertical(r, style::kAccentDeep, style::kAccentShadow)
                           : vertical(r, style::kAccentLight, style::kAccentDeep));
        p.setPen(QPen(pressed ? style::kAccentDeep : style::kAccent, 1));
        p.drawRoundedRect(r, kButtonRadius, kButtonRadius);
        ink = pressed ? style::kAccentLight : style::kTitle;
    } else {
        paintKey(p, r, kButtonRadius, press);
        ink = pressed ? style::kAccentLight : style::kText;
    }

    const QFont font = style::font(kButtonTextSize, QFont::Normal, true);
    const qreal textWidth = QFontMetricsF(font).horizontalAdvance(text);
    const qreal total = textWidth + (glyph ? kButtonGlyph + kButtonGlyphGap : 0);
    const qreal shift = pressed ? kPressShift : 0;
    qreal x = (canvas.width() - total) / 2;
    if (glyph) {
        const QRectF box(x, (canvas.height() - kButtonGlyph) / 2 + shift, kButtonGlyph, kButtonGlyph);
        paintGlyph(p, *glyph, box, ink, kButtonGlyphStroke);
        x += kButtonGlyph + kButtonGlyphGap;
    }
    p.setFont(font);
    p.setPen(ink);
    p.drawText(QRectF(x, shift, textWidth + 1, canvas.height()), Qt::AlignLeft | Qt::AlignVCenter, text);
}

void paintCheckBox(QImage& canvas, bool on) {
    QPainter p(&canvas);
    prepare(p);
    const QRectF well = centredSquare(canvas, kBoxSide, 0).adjusted(0.5, 0.5, -0.5, -0.5);
    p.setPen(QPen(on ? style::kAccent : style::kCaption, 1));
    p.setBrush(on ? vertical(well, style::kAccentShadow, style::kWell) : QBrush(style::kWell));
    p.drawRoundedRect(well, kBoxRadius, kBoxRadius);
    if (on)
        paintGlyph(p, Glyph::Check, centredSquare(canvas, kCheckGlyph, 0), style::kAccent, kCheckStroke);
}

// Folded, the key rests and offers to open the list; unfolded, it stays
// pressed in and offers to fold it again.
void paintFoldButton(QImage& canvas, bool open) {
    QPainter p(&canvas);
    prepare(p);
    const Press press = open ? Press::Pressed : Press::Normal;
    const QRectF r = QRectF(canvas.rect()).adjusted(kFoldInset, kFoldInset, -kFoldInset, -kFoldInset);
    paintKey(p, r, kFoldRadius, press);
    paintGlyph(p, open ? Glyph::ChevronUp : Glyph::ChevronDown,
               centredSquare(canvas, kFoldGlyph, open ? kPressShift : 0), open ? style::kAccentLight : style::kGlyph,
               kFoldStroke);
}

void paintLevelThumb(QImage& canvas) {
    QPainter p(&canvas);
    paintKnobBody(p, canvas, canvas.width() - 2 * kThumbSideRoom);
}

} // namespace

QImage paintPopupControl(int id) {
    if (id < kPopupCloseNormal || id > kLevelThumb)
        return {};
    const SkinImage* entry = findSkinImage(id);
    if (!entry)
        return {};
    QImage canvas(entry->width, entry->height, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(style::kPopupFill);
    const Press press = entry->normalId != 0 ? Press::Pressed : Press::Normal;
    switch (id) {
    case kPopupCloseNormal:
    case kPopupClosePressed: paintTitleButton(canvas, Glyph::Close, press, true); break;
    case kFolderChooserNormal:
    case kFolderChooserPressed: paintTextButton(canvas, QStringLiteral("目錄選擇"), press, true); break;
    case kCaptureConfirmNormal:
    case kCaptureConfirmPressed:
        paintDialogButton(canvas, QStringLiteral("擷取"), Glyph::Camera, Look::Primary, press);
        break;
    case kPopupOkNormal:
    case kPopupOkPressed:
        paintDialogButton(canvas, QStringLiteral("確定"), std::nullopt, Look::Primary, press);
        break;
    case kPopupExitNormal:
    case kPopupExitPressed:
        paintDialogButton(canvas, QStringLiteral("離開"), std::nullopt, Look::Neutral, press);
        break;
    case kCheckBoxOff: paintCheckBox(canvas, false); break;
    case kCheckBoxOn: paintCheckBox(canvas, true); break;
    case kFoldClosed: paintFoldButton(canvas, false); break;
    case kFoldOpen: paintFoldButton(canvas, true); break;
    case kLevelThumb: paintLevelThumb(canvas); break;
    default: return {};
    }
    return canvas;
}

} // namespace kyvo::skin
