#pragma once
// Inside the canvas: exact integer arithmetic for lines whose end points may
// lie anywhere in the int range, Cohen-Sutherland clipping of a segment to a
// rectangle, and the midpoint walk along a segment's major axis that every
// one-pixel, anti-aliased and dashed line is drawn with. Shared by the
// canvas's source files only.
//
// All coordinates are 64-bit here: differences of two ints need 33 bits and
// their products 66, so products go through mulAddDivide instead of being
// formed directly.

#include "CanvasPixels.h"

#include <cstdint>

namespace cartoframe::canvas_detail {

struct TQuotient {
    long long quot = 0;
    long long rem = 0;
};

// floor((a * b + c) / d) with its remainder, exactly, without forming a * b.
// Needs a and d below 2^46, c below 2^62, d > 0, and a quotient that fits.
TQuotient mulAddDivide(std::uint64_t a, std::uint64_t b, std::uint64_t c, std::uint64_t d);

// floor(a * b / d) for a >= 0 and d > 0 (both below 2^46), b of either sign.
long long mulDivFloor(long long a, long long b, long long d);

struct TRect {
    long long left = 0;
    long long top = 0;
    long long right = -1;
    long long bottom = -1;
};

struct TSegment {
    long long x0 = 0;
    long long y0 = 0;
    long long x1 = 0;
    long long y1 = 0;
};

// Outcode bits of a point against a rectangle.
enum : unsigned {
    kOutLeft = 1,
    kOutRight = 2,
    kOutAbove = 4,
    kOutBelow = 8,
};
unsigned outcodeOf(long long x, long long y, const TRect& rect);

// Cohen-Sutherland: cuts the segment to the rectangle (inclusive) and answers
// true, or answers false when both end points lie beyond one edge. Crossings
// are taken on the original segment, rounded to the nearest pixel, and the
// end points keep their order.
bool clipSegment(TSegment& segment, const TRect& rect);

// The pixels of a segment by midpoint stepping along its major axis (x when
// |dx| >= |dy|), from (x0, y0) towards (x1, y1). Step i lies i pixels along the
// major axis; its minor offset is i * rise / length rounded half away from the
// start (kMidpoint) or rounded down with the fraction kept in `error`
// (kExact, for anti-aliasing: the fraction is error / denominator).
class LineWalk {
public:
    enum TRounding { kMidpoint, kExact };

    LineWalk(long long x0, long long y0, long long x1, long long y1, TRounding rounding);

    // The range of steps whose pixel can lie within `margin` pixels of the
    // clip rectangle; false when there is none. Steps outside it never can,
    // steps inside it still need their own test.
    bool stepRange(const ClipBox& clip, long long margin, long long& from, long long& to) const;
    // The same for any rectangle (its sides may lie outside the int range).
    bool stepRange(const TRect& clip, long long margin, long long& from, long long& to) const;

    // Moves to step i in closed form, without walking the steps before it.
    void seek(long long i);
    void advance() {
        ++step_;
        error_ += increment_;
        if (error_ >= denominator_) {
            error_ -= denominator_;
            ++offset_;
        }
    }

    long long step() const { return step_; }
    long long length() const { return length_; }
    long long rise() const { return rise_; }
    bool xMajor() const { return xMajor_; }
    int majorStep() const { return majorStep_; }
    int minorStep() const { return minorStep_; }
    long long error() const { return error_; }
    long long increment() const { return increment_; }
    long long denominator() const { return denominator_; }
    // The current pixel, and the pixel `extra` further along the minor axis.
    long long x(long long extra = 0) const {
        return xMajor_ ? segment_.x0 + majorStep_ * step_ : segment_.x0 + minorStep_ * (offset_ + extra);
    }
    long long y(long long extra = 0) const {
        return xMajor_ ? segment_.y0 + minorStep_ * (offset_ + extra) : segment_.y0 + majorStep_ * step_;
    }

private:
    TSegment segment_;
    bool xMajor_ = true;
    int majorStep_ = 1; // +1 or -1 along the major axis
    int minorStep_ = 1; // +1 or -1 along the minor axis
    long long length_ = 0; // |major difference|: the last step
    long long rise_ = 0;   // |minor difference|
    long long increment_ = 0;
    long long bias_ = 0;
    long long denominator_ = 1;
    long long step_ = 0;
    long long offset_ = 0; // minor offset of the current step
    long long error_ = 0;  // the current step's remainder, 0 .. denominator - 1
};

} // namespace cartoframe::canvas_detail
