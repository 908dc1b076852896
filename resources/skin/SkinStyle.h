// The look of the skin: one dark automotive palette, the fonts and the few
// shared proportions. Every colour the generator paints comes from here.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>

namespace kyvo::skin::style {

// Surfaces, darkest to lightest.
inline constexpr QColor kWell{0x07, 0x08, 0x0A};          // recessed screens: video, LED window
inline constexpr QColor kTitle{0x0B, 0x0D, 0x10};         // title strip
inline constexpr QColor kBase{0x12, 0x15, 0x19};          // window body
inline constexpr QColor kCard{0x18, 0x1C, 0x21};          // raised panels
inline constexpr QColor kCardTop{0x1C, 0x21, 0x27};       // upper end of a panel's sheen
inline constexpr QColor kListInterior{0x0D, 0x10, 0x13};  // play list rows
inline constexpr QColor kScrollTrack{0x23, 0x23, 0x23};   // the list draws its track in this
inline constexpr QColor kSelectedRow{0xAA, 0xFF, 0x4B};   // the list's selected row
inline constexpr QColor kPopupFill{0x04, 0x00, 0x00};     // the settings and information popups' body

// Lines.
inline constexpr QColor kEdge{0x2A, 0x31, 0x39};          // panel border
inline constexpr QColor kEdgeLight{0x38, 0x41, 0x4B};     // lit upper edge
inline constexpr QColor kEdgeDark{0x05, 0x06, 0x08};      // shadowed edge of a recess
inline constexpr QColor kHairline{0x1F, 0x24, 0x2B};      // dividers, grid
inline constexpr QColor kGrid{0x16, 0x1B, 0x20};          // faint grid inside dark screens

// Text and glyphs.
inline constexpr QColor kText{0xE8, 0xEC, 0xF0};
inline constexpr QColor kGlyph{0xCF, 0xD6, 0xDD};
inline constexpr QColor kCaption{0x7D, 0x88, 0x94};
inline constexpr QColor kFaint{0x3A, 0x42, 0x4B};

// Accent: a cool cyan close to the list header line, plus signal colours.
inline constexpr QColor kAccent{0x3C, 0xC8, 0xD8};
inline constexpr QColor kAccentLight{0x9B, 0xEC, 0xF4};
inline constexpr QColor kAccentDeep{0x14, 0x7F, 0x8D};
inline constexpr QColor kAccentShadow{0x0C, 0x3A, 0x41};
inline constexpr QColor kListHeader{0x85, 0xD2, 0xD9};
inline constexpr QColor kDanger{0xE5, 0x3E, 0x3E};
inline constexpr QColor kDangerLight{0xFF, 0x6B, 0x5B};
inline constexpr QColor kWarning{0xFF, 0x9F, 0x1C};
inline constexpr QColor kGo{0x4C, 0xD9, 0x7B};
inline constexpr QColor kNorth{0xFF, 0x5A, 0x4A};

// G-sensor axis colours, as the window draws the values.
inline constexpr QColor kAxisX{0xFF, 0x00, 0x6E};
inline constexpr QColor kAxisY{0x87, 0xFF, 0x00};
inline constexpr QColor kAxisZ{0x00, 0xE1, 0xFF};

// LED digits.
inline constexpr QColor kLedLit{0x6F, 0xEB, 0xF7};
inline constexpr QColor kLedCore{0xE2, 0xFD, 0xFF};
inline constexpr QColor kLedUnlit{0x10, 0x1C, 0x20};

// Corner radii and stroke widths shared by panels and glyphs.
inline constexpr qreal kCardRadius = 7.0;
inline constexpr qreal kWellRadius = 4.0;
inline constexpr qreal kToolGlyphStroke = 2.0;
inline constexpr qreal kSmallGlyphStroke = 1.6;

inline const QString kLatinFamily = QStringLiteral("DejaVu Sans");
inline const QString kCjkFamily = QStringLiteral("Noto Sans CJK TC");

// A font by pixel size, Latin first and Traditional Chinese for the rest, so
// that mixed captions such as "速度 SPEED" come out in both families.
inline QFont font(int pixelSize, QFont::Weight weight = QFont::Normal, bool cjkFirst = false) {
    QFont f;
    f.setFamilies(cjkFirst ? QStringList{kCjkFamily, kLatinFamily} : QStringList{kLatinFamily, kCjkFamily});
    f.setPixelSize(pixelSize);
    f.setWeight(weight);
    f.setHintingPreference(QFont::PreferFullHinting);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

// Small upper-case captions are spaced out a little.
inline QFont captionFont(int pixelSize = 9) {
    QFont f = font(pixelSize, QFont::Bold);
    f.setLetterSpacing(QFont::AbsoluteSpacing, 0.8);
    return f;
}

} // namespace kyvo::skin::style
