#pragma once
// Points, sizes and rectangles in the main window's client pixels.

namespace kyvo::app {

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
    int width;
    int height;
};

// left, top, right, bottom (right and bottom exclusive, as the window's
// point-in-rectangle test treats them).
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    constexpr int width() const { return right - left; }
    constexpr int height() const { return bottom - top; }
    constexpr bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
};

constexpr Rect rectAt(int x, int y, int width, int height) {
    return {x, y, x + width, y + height};
}

// Whether (x, y) lies in `r`. A rectangle whose bottom is above its top holds no point.
constexpr bool inRect(const Rect& r, int x, int y) {
    return r.contains(x, y);
}

} // namespace kyvo::app
