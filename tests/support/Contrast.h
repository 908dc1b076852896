#pragma once
// How well a text reads: the contrast ratio (1 to 21) of the luminances of a
// picture's most common colour (its background) and the colour farthest from
// it (its text). 4.5 is the usual floor for body text.

#include <QImage>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <map>

namespace kyvo::test {

inline double relativeLuminance(QRgb c) {
    auto linear = [](int v) {
        const double s = v / 255.0;
        return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(qRed(c)) + 0.7152 * linear(qGreen(c)) + 0.0722 * linear(qBlue(c));
}

inline double textContrast(const QImage& picture) {
    std::map<QRgb, int> counts;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            ++counts[picture.pixel(x, y)];
    if (counts.empty())
        return 1;
    const QRgb background =
        std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) { return a.second < b.second; })->first;
    const double back = relativeLuminance(background);
    double best = 1;
    for (const auto& entry : counts) {
        const double l = relativeLuminance(entry.first);
        best = std::max(best, (std::max(l, back) + 0.05) / (std::min(l, back) + 0.05));
    }
    return best;
}

// The contrast of `area` (in `part`'s coordinates) as `window` draws it, with
// the window's own background behind it.
inline double textContrast(QWidget& window, const QWidget& part, const QRect& area) {
    return textContrast(window.grab(QRect(part.mapTo(&window, area.topLeft()), area.size())).toImage());
}

inline double textContrast(QWidget& window, const QWidget& part) {
    return textContrast(window, part, part.rect());
}

} // namespace kyvo::test
