#include "Paint.h"

#include <QFontMetricsF>
#include <QList>

#include <cmath>

#include "SkinIds.h"
#include "SkinStyle.h"

namespace kyvo::skin {

namespace {
constexpr int kGlowSteps = 6;
constexpr int kShadowAlpha = 90;
} // namespace

QImage newCanvas(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QSize skinSize(int id) {
    const SkinImage* image = findSkinImage(id);
    Q_ASSERT(image);
    return image ? QSize(image->width, image->height) : QSize();
}

QImage canvasOver(const QImage& background, QPoint at, QSize size) {
    return background.copy(QRect(at, size)).convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

void prepare(QPainter& painter) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
}

QPen roundPen(const QColor& color, qreal width) {
    QPen pen(color, width);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

QColor withAlpha(QColor color, int alpha) {
    color.setAlpha(alpha);
    return color;
}

QColor mix(const QColor& a, const QColor& b, qreal t) {
    const auto lerp = [t](int x, int y) { return static_cast<int>(x + (y - x) * t + 0.5); };
    return QColor(lerp(a.red(), b.red()), lerp(a.green(), b.green()), lerp(a.blue(), b.blue()),
                  lerp(a.alpha(), b.alpha()));
}

QLinearGradient vertical(const QRectF& rect, const QColor& top, const QColor& bottom) {
    QLinearGradient gradient(rect.topLeft(), rect.bottomLeft());
    gradient.setColorAt(0, top);
    gradient.setColorAt(1, bottom);
    return gradient;
}

void raisedPanel(QPainter& painter, const QRectF& rect, qreal radius) {
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(withAlpha(Qt::black, kShadowAlpha));
    painter.drawRoundedRect(rect.translated(0, 1.5).adjusted(-0.5, 0, 0.5, 0.5), radius + 0.5, radius + 0.5);
    painter.setBrush(vertical(rect, style::kCardTop, style::kCard));
    painter.setPen(QPen(style::kEdge, 1));
    painter.drawRoundedRect(rect.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
    // Lit upper edge: a one-pixel line that fades out towards the sides.
    QLinearGradient lit(rect.topLeft(), rect.topRight());
    lit.setColorAt(0, withAlpha(style::kEdgeLight, 0));
    lit.setColorAt(0.5, style::kEdgeLight);
    lit.setColorAt(1, withAlpha(style::kEdgeLight, 0));
    painter.setPen(QPen(QBrush(lit), 1));
    painter.drawLine(QPointF(rect.left() + radius, rect.top() + 1.5), QPointF(rect.right() - radius, rect.top() + 1.5));
    painter.restore();
}

void recess(QPainter& painter, const QRectF& rect, qreal radius, const QColor& fill) {
    painter.save();
    // Faint lit rim below and right, dark rim above and left: light from above.
    painter.setPen(Qt::NoPen);
    painter.setBrush(withAlpha(style::kEdgeLight, 70));
    painter.drawRoundedRect(rect.adjusted(-1, -1, 1, 1), radius + 1, radius + 1);
    painter.setBrush(style::kEdgeDark);
    painter.drawRoundedRect(rect.adjusted(-1, -1, 1, 0), radius + 1, radius + 1);
    painter.setBrush(fill);
    painter.drawRoundedRect(rect, radius, radius);
    painter.restore();
}

void glow(QPainter& painter, const QPainterPath& path, const QColor& color, qreal radius, int strength) {
    painter.save();
    painter.setBrush(Qt::NoBrush);
    for (int step = kGlowSteps; step >= 1; --step) {
        const qreal width = radius * 2 * step / kGlowSteps;
        painter.setPen(roundPen(withAlpha(color, strength / kGlowSteps), width));
        painter.drawPath(path);
    }
    painter.restore();
}

namespace {

bool isCjk(QChar c) {
    constexpr char16_t kCjkStart = 0x2E80;  // CJK radicals onwards, incl. ideographs
    return c.unicode() >= kCjkStart;
}

// Captions mix Traditional Chinese and spaced-out Latin capitals. Bold CJK
// smears at this size, so the Chinese runs get the regular weight one pixel
// larger; both runs share one baseline.
struct CaptionRun {
    QString text;
    QFont font;
    qreal width;
};

QList<CaptionRun> captionRuns(const QString& text, int pixelSize) {
    constexpr qreal kWordGap = 4.0;
    QList<CaptionRun> runs;
    const QFont latin = style::captionFont(pixelSize);
    const QFont cjk = style::font(pixelSize + 1, QFont::Normal, true);
    for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (!runs.isEmpty())
            runs.append(CaptionRun{QString(), latin, kWordGap});
        for (qsizetype i = 0; i < word.size();) {
            const bool chinese = isCjk(word[i]);
            qsizetype end = i;
            while (end < word.size() && isCjk(word[end]) == chinese)
                ++end;
            CaptionRun run{word.mid(i, end - i), chinese ? cjk : latin, 0};
            run.width = QFontMetricsF(run.font).horizontalAdvance(run.text);
            runs.append(run);
            i = end;
        }
    }
    return runs;
}

} // namespace

void caption(QPainter& painter, const QRectF& rect, const QString& text, int flags, const QColor& color,
             int pixelSize) {
    const QList<CaptionRun> runs = captionRuns(text, pixelSize);
    qreal total = 0;
    for (const CaptionRun& run : runs)
        total += run.width;
    qreal x = rect.left();
    if (flags & Qt::AlignHCenter)
        x = rect.center().x() - total / 2;
    else if (flags & Qt::AlignRight)
        x = rect.right() - total;
    // Centre the Latin capitals vertically; the Chinese run shares their baseline.
    const QFontMetricsF latin(style::captionFont(pixelSize));
    const qreal baseline = (flags & Qt::AlignTop) ? rect.top() + latin.ascent()
                                                  : std::round(rect.center().y() + latin.capHeight() / 2);
    painter.save();
    painter.setPen(color);
    for (const CaptionRun& run : runs) {
        painter.setFont(run.font);
        painter.drawText(QPointF(x, baseline), run.text);
        x += run.width;
    }
    painter.restore();
}

} // namespace kyvo::skin
