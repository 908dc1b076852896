#pragma once
// Sizes of the USB management tool window and its pages, in pixels.

namespace kyvo::usbtool::look {

// The window: a fixed size, centred on the desktop.
inline constexpr int kWindowWidth = 427;
inline constexpr int kWindowHeight = 435;
inline constexpr int kFontTenths = 100; // the dialog's 10-point font

inline constexpr int kMargin = 6;        // between the window edge and its controls
inline constexpr int kSpacing = 6;       // between the tab control and the button row
inline constexpr int kButtonHeight = 26;
inline constexpr int kTransmitWidth = 150;
inline constexpr int kCancelWidth = 90;

// Inside a page.
inline constexpr int kPageMargin = 4;
inline constexpr int kGroupSpacing = 4;   // between groups
inline constexpr int kGroupMarginX = 6;   // inside a group, left and right
inline constexpr int kGroupMarginTop = 2; // below the title
inline constexpr int kGroupMarginBottom = 4;
inline constexpr int kRowSpacing = 2;     // between the rows of a group
inline constexpr int kCellSpacing = 6;    // between the cells of a row
inline constexpr int kEmptyGroupHeight = 34; // a group without controls
inline constexpr int kSaveWidth = 80;
inline constexpr int kListMinWidth = 64;  // a drop-down list
inline constexpr int kListVisibleItems = 12;

} // namespace kyvo::usbtool::look
