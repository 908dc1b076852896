#pragma once
// Points, sizes, rectangles and colours of the skinned screens, in client
// pixels, without any toolkit: the skin generator, the windows and the
// toolkit-free logic read the same values.
//
// Rectangles are given in two ways and built by name, never by a bare brace
// list in a table: Rect::edges(left, top, right, bottom) with the right
// column and bottom row outside, and Rect::sized(x, y, width, height).

namespace kyvo::layout {

struct Point {
    int x = 0;
    int y = 0;
    friend constexpr bool operator==(const Point&, const Point&) = default;
    friend constexpr Point operator+(Point a, Point b) { return {a.x + b.x, a.y + b.y}; }
};

struct Size {
    int width = 0;
    int height = 0;
    friend constexpr bool operator==(const Size&, const Size&) = default;
};

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;  // first column outside
    int bottom = 0; // first row outside

    static constexpr Rect edges(int left, int top, int right, int bottom) { return {left, top, right, bottom}; }
    static constexpr Rect sized(int x, int y, int width, int height) { return {x, y, x + width, y + height}; }
    static constexpr Rect sized(Point at, Size size) { return sized(at.x, at.y, size.width, size.height); }

    constexpr int width() const { return right - left; }
    constexpr int height() const { return bottom - top; }
    constexpr Point topLeft() const { return {left, top}; }
    constexpr Size size() const { return {width(), height()}; }
    // A rectangle whose bottom is above its top holds no point.
    constexpr bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    constexpr bool contains(const Rect& r) const {
        return r.left >= left && r.top >= top && r.right <= right && r.bottom <= bottom;
    }
    constexpr Rect shiftedRight(int dx) const { return {left + dx, top, right + dx, bottom}; }
    friend constexpr bool operator==(const Rect&, const Rect&) = default;
};

// A colour as 0xRRGGBB. Figures given as a COLORREF (0x00BBGGRR) come in
// through fromColorRef, so that every table holds one encoding.
struct Rgb {
    unsigned value = 0;
    constexpr int red() const { return static_cast<int>((value >> 16) & 0xFF); }
    constexpr int green() const { return static_cast<int>((value >> 8) & 0xFF); }
    constexpr int blue() const { return static_cast<int>(value & 0xFF); }
    friend constexpr bool operator==(const Rgb&, const Rgb&) = default;
};

constexpr Rgb rgb(unsigned rrggbb) {
    return {rrggbb & 0xFFFFFF};
}
constexpr Rgb fromColorRef(unsigned bbggrr) {
    return {((bbggrr & 0xFF) << 16) | (bbggrr & 0xFF00) | ((bbggrr >> 16) & 0xFF)};
}

} // namespace kyvo::layout
