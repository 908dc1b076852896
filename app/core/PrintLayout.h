#pragma once
// Where the print-out puts the picture and its four lines, from the size of
// the printable area in device pixels. The page is designed as A4 landscape
// at 300 dpi (3507 x 2480 pixels); every design distance is scaled by
// sx = width / 3507 and sy = height / 2480 and truncated.
//
//   date and time   at T - 420 sy
//   position        at T - 300 sx
//   speed           at T - 180 sy
//   the picture     at (X, T), W x H, centred on the page
//   G-sensor values at T + H + 50 sy
//
// A 640 x 480 picture is printed three times larger (W = 3 w sx), a larger
// one at its size (W = w sx). Lines start at X; their text is drawn with
// its top at the given y.

namespace kyvo::app {

inline constexpr int kDesignPageWidth = 3507;
inline constexpr int kDesignPageHeight = 2480;
inline constexpr int kSmallPictureScale = 3;
inline constexpr int kSmallPictureWidth = 640;
inline constexpr int kSmallPictureHeight = 480;

struct PrintLayout {
    double sx = 0;
    double sy = 0;
    int pictureX = 0;
    int pictureY = 0;
    int pictureWidth = 0;
    int pictureHeight = 0;
    int dateY = 0;
    int positionY = 0;
    int speedY = 0;
    int gsensorY = 0;
    // The text's height in device pixels: a 50 sy point font as the screen
    // (96 dpi) makes it, which on a 300 dpi page is about 16 points.
    int fontPixels = 0;
};

// Without a picture (width or height 0) the page is laid out as for a
// 640 x 480 one, so the lines stand where they always do.
PrintLayout printLayout(int pageWidth, int pageHeight, int pictureWidth, int pictureHeight);

} // namespace kyvo::app
