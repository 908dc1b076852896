#pragma once
// Helpers of the canvas tests: a canvas painted in a sentinel colour inside
// a larger buffer of guard bytes (before the first row, after the last, and
// in the padding of every row), the set of pixels a drawing changed, and
// reference answers computed independently of the library.

#include "Canvas.h"

#include <cstdint>
#include <set>
#include <utility>
#include <vector>

namespace cartoframe::test {

inline constexpr TColor kSentinel = 0x3C2B1A; // every byte distinct, none 0 or 255
inline constexpr TColor kInk = 0x8040C0;
inline constexpr std::uint8_t kGuardByte = 0xA5;

// (x, y), ordered by row then column.
struct Pixel {
    int x = 0;
    int y = 0;
    bool operator<(const Pixel& o) const { return y != o.y ? y < o.y : x < o.x; }
    bool operator==(const Pixel& o) const { return x == o.x && y == o.y; }
};
using PixelSet = std::set<Pixel>;

struct ClipRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool contains(int x, int y) const { return x >= left && x <= right && y >= top && y <= bottom; }
};

// Every pixel of the rectangle from (x1, y1) to (x2, y2), both included.
PixelSet block(int x1, int y1, int x2, int y2);

class GuardedCanvas {
public:
    // A canvas of width x height; each row is followed by `padding` guard bytes.
    GuardedCanvas(int width, int height, int padding = 5);
    GuardedCanvas(const GuardedCanvas&) = delete;
    GuardedCanvas& operator=(const GuardedCanvas&) = delete;

    TCanvas* get() { return &canvas_; }
    int width() const { return width_; }
    int height() const { return height_; }

    // Every pixel back to the sentinel colour (guards untouched); the clip is kept.
    void clear(TColor colour = kSentinel);
    TColor at(int x, int y) const;
    // The pixels whose colour is no longer `background`.
    PixelSet changed(TColor background = kSentinel) const;
    // True when no guard byte changed.
    bool guardsIntact() const;
    // The clip as the canvas record holds it (left > right when empty).
    ClipRect clip() const;

private:
    static constexpr int kGuardBytes = 48;
    int width_;
    int height_;
    int stride_;
    std::vector<std::uint8_t> buffer_;
    TCanvas canvas_;
};

// A pixel with colour `ink` blended over `old` by the canvas's weight rules.
TColor blendedColour(TColor old, TColor ink, int weight);

// The pixels of the line from (x0, y0) to (x1, y1) with the library's
// rounding (minor offset floor((2 * i * rise + length) / (2 * length)) from
// the left end point, the upper one on a shared column), restricted to the
// rectangle; computed with 128-bit products, independently of the library.
PixelSet referenceLine(long long x0, long long y0, long long x1, long long y1, const ClipRect& within);

// Even-odd inside test of the point (x, y); pixel (x, y) is centred on it.
// With the distance below it judges fills "within one pixel of the outline".
bool insidePolygon(const std::vector<TPoint>& points, double x, double y);
// Distance from (x, y) to the polygon's outline.
double distanceToOutline(const std::vector<TPoint>& points, double x, double y);

// A regular polygon of n points around (cx, cy).
std::vector<TPoint> regularPolygon(int n, double cx, double cy, double radius);

} // namespace cartoframe::test
