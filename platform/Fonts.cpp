#include "Fonts.h"

#include <QScreen>
#include <QWidget>

#include <cmath>

namespace kyvo {

namespace {

constexpr double kReferenceDpi = 96.0;
constexpr double kPointsPerInch = 72.0;

QFont interfaceFont() {
    QFont font;
    font.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("Noto Sans CJK TC"),
                      QStringLiteral("DejaVu Sans")});
    // Glyphs are rasterised the same way whatever the platform's font
    // settings say (hinting style, subpixel order): the skin's texts come out
    // pixel for pixel alike on every display.
    font.setStyleStrategy(QFont::StyleStrategy(QFont::PreferAntialias | QFont::NoSubpixelAntialias));
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

} // namespace

double displayScale(const QWidget* widget) {
    const QScreen* screen = widget ? widget->screen() : nullptr;
    if (!screen)
        return 1.0;
    const double dpi = screen->logicalDotsPerInchX();
    return dpi > 0 ? dpi / kReferenceDpi : 1.0;
}

QFont pointFont(int tenthsOfPoint, double scale) {
    if (scale <= 0)
        scale = 1.0;
    // Points divided by the scale, then rendered at the display's DPI.
    const double points = tenthsOfPoint / 10.0 / scale;
    const double pixels = points * (scale * kReferenceDpi) / kPointsPerInch;
    return pixelFont(static_cast<int>(std::lround(pixels)));
}

QFont pixelFont(int pixelHeight) {
    QFont font = interfaceFont();
    font.setPixelSize(pixelHeight > 0 ? pixelHeight : 1);
    return font;
}

} // namespace kyvo
