#include "LineClip.h"

#include <algorithm>

namespace cartoframe::canvas_detail {

namespace {

constexpr int kLimbBits = 16;
constexpr std::uint64_t kLimbMask = (std::uint64_t{1} << kLimbBits) - 1;
constexpr int kWordBits = 64;
// Each end point is moved onto at most two edges; anything beyond that is
// rounding going round in circles, and the piece reached so far is kept.
constexpr int kMaxClipPasses = 8;

long long magnitude(long long v) { return v < 0 ? -v : v; }
int direction(long long v) { return v < 0 ? -1 : 1; }

// On the segment from (from, fromOther) to (to, toOther), the other
// coordinate where this one equals `at` (which lies between from and to),
// rounded to the nearest pixel, halves away from the start.
long long crossing(long long from, long long to, long long fromOther, long long toOther, long long at) {
    const long long span = magnitude(to - from);
    const long long part = magnitude(at - from);
    const long long delta = toOther - fromOther;
    const TQuotient q = mulAddDivide(static_cast<std::uint64_t>(2 * part), static_cast<std::uint64_t>(magnitude(delta)),
                                     static_cast<std::uint64_t>(span), static_cast<std::uint64_t>(2 * span));
    return fromOther + direction(delta) * q.quot;
}

} // namespace

TQuotient mulAddDivide(std::uint64_t a, std::uint64_t b, std::uint64_t c, std::uint64_t d) {
    // Schoolbook division of a * b by d, one 16-bit limb of b at a time: each
    // partial stays below (d + a) * 2^16, which fits for a and d below 2^46.
    std::uint64_t quot = 0;
    std::uint64_t rem = 0;
    for (int shift = kWordBits - kLimbBits; shift >= 0; shift -= kLimbBits) {
        const std::uint64_t part = (rem << kLimbBits) + a * ((b >> shift) & kLimbMask);
        quot = (quot << kLimbBits) + part / d;
        rem = part % d;
    }
    const std::uint64_t tail = rem + c;
    quot += tail / d;
    rem = tail % d;
    return {static_cast<long long>(quot), static_cast<long long>(rem)};
}

long long mulDivFloor(long long a, long long b, long long d) {
    const TQuotient q =
        mulAddDivide(static_cast<std::uint64_t>(a), static_cast<std::uint64_t>(magnitude(b)), 0, static_cast<std::uint64_t>(d));
    if (b >= 0)
        return q.quot;
    return -(q.quot + (q.rem != 0 ? 1 : 0));
}

unsigned outcodeOf(long long x, long long y, const TRect& rect) {
    unsigned code = 0;
    if (x < rect.left)
        code |= kOutLeft;
    else if (x > rect.right)
        code |= kOutRight;
    if (y < rect.top)
        code |= kOutAbove;
    else if (y > rect.bottom)
        code |= kOutBelow;
    return code;
}

bool clipSegment(TSegment& segment, const TRect& rect) {
    const TSegment whole = segment;
    unsigned code0 = outcodeOf(segment.x0, segment.y0, rect);
    unsigned code1 = outcodeOf(segment.x1, segment.y1, rect);
    for (int pass = 0; pass < kMaxClipPasses; ++pass) {
        if ((code0 | code1) == 0)
            return true;
        if ((code0 & code1) != 0)
            return false;
        const bool moveFirst = code0 != 0;
        const unsigned code = moveFirst ? code0 : code1;
        long long x = 0;
        long long y = 0;
        // The end point outside an edge has the other one on its inner side,
        // so the crossing lies on the segment and the division is never by 0.
        if ((code & (kOutLeft | kOutRight)) != 0) {
            x = (code & kOutLeft) != 0 ? rect.left : rect.right;
            y = crossing(whole.x0, whole.x1, whole.y0, whole.y1, x);
        } else {
            y = (code & kOutAbove) != 0 ? rect.top : rect.bottom;
            x = crossing(whole.y0, whole.y1, whole.x0, whole.x1, y);
        }
        if (moveFirst) {
            segment.x0 = x;
            segment.y0 = y;
            code0 = outcodeOf(x, y, rect);
        } else {
            segment.x1 = x;
            segment.y1 = y;
            code1 = outcodeOf(x, y, rect);
        }
    }
    return true;
}

LineWalk::LineWalk(long long x0, long long y0, long long x1, long long y1, TRounding rounding)
    : segment_{x0, y0, x1, y1} {
    const long long dx = x1 - x0;
    const long long dy = y1 - y0;
    xMajor_ = magnitude(dx) >= magnitude(dy);
    majorStep_ = direction(xMajor_ ? dx : dy);
    minorStep_ = direction(xMajor_ ? dy : dx);
    length_ = std::max(magnitude(dx), magnitude(dy));
    rise_ = std::min(magnitude(dx), magnitude(dy));
    if (length_ == 0)
        return; // one pixel: step 0 with offset 0
    if (rounding == kMidpoint) {
        // offset = floor((2 * i * rise + length) / (2 * length))
        increment_ = 2 * rise_;
        bias_ = length_;
        denominator_ = 2 * length_;
    } else {
        // offset = floor(i * rise / length), fraction error / length
        increment_ = rise_;
        denominator_ = length_;
    }
    error_ = bias_;
}

void LineWalk::seek(long long i) {
    const TQuotient q = mulAddDivide(static_cast<std::uint64_t>(i), static_cast<std::uint64_t>(increment_),
                                     static_cast<std::uint64_t>(bias_), static_cast<std::uint64_t>(denominator_));
    step_ = i;
    offset_ = q.quot;
    error_ = q.rem;
}

bool LineWalk::stepRange(const ClipBox& clip, long long margin, long long& from, long long& to) const {
    if (clip.empty())
        return false;
    return stepRange(TRect{clip.left, clip.top, clip.right, clip.bottom}, margin, from, to);
}

bool LineWalk::stepRange(const TRect& clip, long long margin, long long& from, long long& to) const {
    if (clip.left > clip.right || clip.top > clip.bottom)
        return false;
    // A pixel lies within half a pixel of the ideal segment across its minor
    // axis, so the segment cut to the clip widened by margin + 1 holds every
    // step that matters; two steps more absorb the rounding of the cut.
    const long long widen = margin + 1;
    const TRect wide{clip.left - widen, clip.top - widen, clip.right + widen, clip.bottom + widen};
    TSegment piece = segment_;
    if (!clipSegment(piece, wide))
        return false;
    const long long major0 = xMajor_ ? segment_.x0 : segment_.y0;
    const long long stepA = magnitude((xMajor_ ? piece.x0 : piece.y0) - major0);
    const long long stepB = magnitude((xMajor_ ? piece.x1 : piece.y1) - major0);
    from = std::max<long long>(0, std::min(stepA, stepB) - 2);
    to = std::min(length_, std::max(stepA, stepB) + 2);
    // Exactly: the major coordinate itself must lie within the widened clip.
    const long long low = (xMajor_ ? clip.left : clip.top) - margin;
    const long long high = (xMajor_ ? clip.right : clip.bottom) + margin;
    const long long firstIn = majorStep_ > 0 ? low - major0 : major0 - high;
    const long long lastIn = majorStep_ > 0 ? high - major0 : major0 - low;
    from = std::max(from, firstIn);
    to = std::min(to, lastIn);
    return from <= to;
}

} // namespace cartoframe::canvas_detail
