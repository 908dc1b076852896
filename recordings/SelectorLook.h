#pragma once
// The file selector's look: sizes of the window and its parts, and the
// colours of the viewer's dark dashboard that its style sheet and painted
// parts use.

#include <QColor>

namespace kyvo::recordings::look {

// The window.
inline constexpr int kWindowWidth = 360;
inline constexpr int kWindowHeight = 448;
inline constexpr int kTitleHeight = 34;   // title strip; dragging it moves the window
inline constexpr int kMargin = 12;        // between the window edge and its controls
inline constexpr int kSpacing = 8;        // between rows of controls
inline constexpr int kButtonHeight = 30;
inline constexpr int kFolderButtonWidth = 104;
inline constexpr int kActionButtonWidth = 104;
inline constexpr int kPageMargin = 8;     // inside a tab page
inline constexpr int kPageSpacing = 6;

// Title strip contents.
inline constexpr int kLogoCentreX = 22;   // the ring mark at the left of the title
inline constexpr qreal kLogoRadius = 7.0;
inline constexpr qreal kLogoDot = 2.6;
inline constexpr int kTitleTextX = 38;
inline constexpr int kAccentRuleWidth = 46; // cyan rule under the start of the strip

// Check list rows.
inline constexpr int kRowHeight = 22;
inline constexpr int kCheckBoxSize = 14;
inline constexpr int kCheckBoxLeft = 8;
inline constexpr int kCheckHitWidth = 30;  // a press this far from the row's left toggles its box
inline constexpr int kRowTextLeft = 30;
inline constexpr int kRowTextRight = 6;
inline constexpr qreal kCheckBoxRadius = 3.0;
inline constexpr int kSelectAllGap = 7;    // between the "Select All" box and its caption
inline constexpr int kGlyphSize = 14;      // kind icons on the tabs, the folder glyph

// Font sizes in tenths of a point (divided by the display scale).
inline constexpr int kTitleFontTenths = 105;
inline constexpr int kBodyFontTenths = 90;
inline constexpr int kRowFontTenths = 90;
inline constexpr int kCaptionFontTenths = 68;
inline constexpr int kCounterFontTenths = 95;

// Surfaces, darkest to lightest.
inline constexpr QColor kWell{0x0D, 0x10, 0x13};       // recessed: the check list, the folder text
inline constexpr QColor kTitleStrip{0x0B, 0x0D, 0x10};
inline constexpr QColor kBase{0x15, 0x19, 0x1D};       // window body
inline constexpr QColor kPanel{0x1C, 0x21, 0x27};      // tab pages, buttons
inline constexpr QColor kPanelLight{0x24, 0x2B, 0x33}; // upper end of a button's sheen
inline constexpr QColor kTabIdle{0x11, 0x14, 0x18};
inline constexpr QColor kRowHover{0x1A, 0x21, 0x28};
inline constexpr QColor kScrollHandle{0x3A, 0x44, 0x4E};

// Lines.
inline constexpr QColor kEdge{0x2A, 0x31, 0x39};
inline constexpr QColor kEdgeLight{0x38, 0x41, 0x4B};
inline constexpr QColor kEdgeDark{0x07, 0x08, 0x0A};

// Text.
inline constexpr QColor kText{0xE6, 0xED, 0xF3};
inline constexpr QColor kCaption{0x7D, 0x88, 0x94};
inline constexpr QColor kFaint{0x4A, 0x55, 0x60};
inline constexpr QColor kIdleText{0xA2, 0xB1, 0xC1};  // unchecked names, "Select All" at rest

// Accent and the selected row (the play list's colour, with black text).
inline constexpr QColor kAccent{0x35, 0xC6, 0xE0};
inline constexpr QColor kAccentLight{0x9B, 0xEC, 0xF4};
inline constexpr QColor kAccentDeep{0x14, 0x7F, 0x8D};
inline constexpr QColor kAccentInk{0x06, 0x13, 0x17}; // text on an accent surface
inline constexpr QColor kSelection{0xAA, 0xFF, 0x4B};
inline constexpr QColor kSelectionText{0x00, 0x00, 0x00};

} // namespace kyvo::recordings::look
