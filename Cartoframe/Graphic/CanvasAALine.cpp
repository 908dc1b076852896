// Anti-aliased one-pixel lines.
//
// The line steps along its major axis from its left end point. Each step's
// ideal minor position i * rise / length falls between two pixels; the
// nearer one (on the line) gets the maximum weight less the fraction, its
// neighbour further along the minor axis the fraction, as a 16-bit fraction
// shifted down to the setting's range. The fraction comes from the exact
// remainder of the midpoint walk, so long lines do not drift and a line far
// outside the canvas starts at its first visible step. Both end pixels fall
// on whole positions and get the maximum. A 45-degree line has no fraction to
// spread: each of its steps gets 200 and the two pixels beside the diagonal
// 100 (halved in the soft setting).
//
// A thick line softens its edges with four such lines that are copies of one
// another moved along the minor axis; they share one walk, each step
// blending the copies in their drawing order.
#include "Canvas.h"
#include "CanvasPixels.h"
#include "CanvasPrimitives.h"
#include "LineClip.h"

#include <algorithm>
#include <utility>

namespace cartoframe {

using namespace canvas_detail;

namespace {

constexpr int kFractionBits = 16;
constexpr int kWeightBits = 8;
constexpr int kDiagonalLineWeight = 200;
constexpr int kDiagonalSideWeight = 100;

struct TAAStyle {
    int maximum = G_WEIGHT_SOLID;
    int shift = kWeightBits; // from the 16-bit fraction down to 0 .. maximum
};

TAAStyle styleOf(TAALineSetting setting) {
    if (setting == G_AA_SOFT)
        return {G_WEIGHT_HALF, kWeightBits + 1};
    return {G_WEIGHT_SOLID, kWeightBits};
}

void blendAt(TCanvas* canvas, const ClipBox& clip, long long x, long long y, TColor colour, int weight) {
    if (weight > 0 && clip.contains(x, y))
        blendPixel(pixelAt(canvas, static_cast<int>(x), static_cast<int>(y)), colour, weight);
}

// Steps first to last of a 45-degree walk (drawn left to right).
void diagonal(TCanvas* canvas, const ClipBox& clip, LineWalk& walk, long long first, long long last, TColor colour,
              const TAAStyle& style) {
    const int onLine = kDiagonalLineWeight >> (style.shift - kWeightBits);
    const int beside = kDiagonalSideWeight >> (style.shift - kWeightBits);
    for (walk.seek(first); walk.step() <= last; walk.advance()) {
        const bool end = walk.step() == 0 || walk.step() == walk.length();
        blendAt(canvas, clip, walk.x(), walk.y(), colour, end ? style.maximum : onLine);
        if (walk.step() == walk.length())
            continue;
        blendAt(canvas, clip, walk.x() + 1, walk.y(), colour, beside);
        blendAt(canvas, clip, walk.x(), walk.y(1), colour, beside);
    }
}

// The copies of the walk's line, in their drawing order, from `first` to
// `last` (the line is neither horizontal, vertical nor at 45 degrees).
void walkParallel(TCanvas* canvas, const ClipBox& clip, LineWalk& walk, long long first, long long last,
                  TColor colour, const TAAPass* passes, int count) {
    TAAStyle styles[G_AA_MAX_PASSES];
    for (int k = 0; k < count; ++k)
        styles[k] = styleOf(passes[k].setting);
    // The walk is followed by additions only: the step's major and minor
    // coordinates, its error and the 16-bit fraction floor(error * 2^16 /
    // denominator), which drops by exactly 2^16 when the error wraps. One
    // division at the first step instead of one per step.
    walk.seek(first);
    const bool xMajor = walk.xMajor();
    const long long denominator = walk.denominator();
    const long long increment = walk.increment();
    const long long fractionStep = (increment << kFractionBits) / denominator;
    const long long remainderStep = (increment << kFractionBits) % denominator;
    long long error = walk.error();
    long long fraction16 = (error << kFractionBits) / denominator;
    long long remainder = (error << kFractionBits) % denominator;
    long long major = xMajor ? walk.x() : walk.y();
    long long minor = xMajor ? walk.y() : walk.x();
    const int majorStep = walk.majorStep();
    const int minorStep = walk.minorStep();
    const long long majorLow = xMajor ? clip.left : clip.top;
    const long long majorHigh = xMajor ? clip.right : clip.bottom;
    const long long minorLow = xMajor ? clip.top : clip.left;
    const long long minorHigh = xMajor ? clip.bottom : clip.right;
    const std::ptrdiff_t minorBytes =
        xMajor ? static_cast<std::ptrdiff_t>(canvas->stride) * minorStep : kBytesPerPixel * minorStep;
    for (long long i = first; i <= last; ++i) {
        if (major >= majorLow && major <= majorHigh) {
            for (int k = 0; k < count; ++k) {
                const TAAStyle& style = styles[k];
                const long long onLine = minor + passes[k].offset;
                const long long beside = onLine + minorStep;
                const int fraction = static_cast<int>(fraction16 >> style.shift);
                const bool onLineInside = onLine >= minorLow && onLine <= minorHigh;
                const bool besideInside = beside >= minorLow && beside <= minorHigh && fraction > 0;
                if (onLineInside) {
                    std::uint8_t* pixel = xMajor ? pixelAt(canvas, static_cast<int>(major), static_cast<int>(onLine))
                                                 : pixelAt(canvas, static_cast<int>(onLine), static_cast<int>(major));
                    blendPixel(pixel, colour, fraction ^ style.maximum);
                    if (besideInside)
                        blendPixel(pixel + minorBytes, colour, fraction);
                } else if (besideInside) {
                    blendPixel(xMajor ? pixelAt(canvas, static_cast<int>(major), static_cast<int>(beside))
                                      : pixelAt(canvas, static_cast<int>(beside), static_cast<int>(major)),
                               colour, fraction);
                }
            }
        }
        major += majorStep;
        error += increment;
        fraction16 += fractionStep;
        remainder += remainderStep;
        if (remainder >= denominator) {
            remainder -= denominator;
            ++fraction16;
        }
        if (error >= denominator) {
            error -= denominator;
            fraction16 -= 1LL << kFractionBits;
            minor += minorStep;
        }
    }
}

} // namespace

void canvas_detail::aaParallelLines(TCanvas* canvas, TPointL from, TPointL to, TColor colour,
                                    const TAAPass* passes, int count) {
    const ClipBox clip = clipOf(canvas);
    if (clip.empty() || count < 1 || count > G_AA_MAX_PASSES)
        return;
    if (to.x < from.x || (to.x == from.x && to.y < from.y))
        std::swap(from, to);
    LineWalk walk(from.x, from.y, to.x, to.y, LineWalk::kExact);
    const bool special = from.x == to.x || from.y == to.y || walk.rise() == walk.length();
    if (special) {
        // One line at a time by the rules of those directions.
        for (int k = 0; k < count; ++k) {
            const long long dx = walk.xMajor() ? 0 : passes[k].offset;
            const long long dy = walk.xMajor() ? passes[k].offset : 0;
            aaLineWide(canvas, {from.x + dx, from.y + dy}, {to.x + dx, to.y + dy}, colour, passes[k].setting);
        }
        return;
    }
    // The steps where each copy can show; one walk over them all when they
    // overlap, otherwise (copies far apart, as for a band wider than the
    // canvas) each copy walks only its own steps.
    long long first = 0;
    long long last = -1;
    long long own = 0;
    for (int k = 0; k < count; ++k) {
        const long long offset = passes[k].offset;
        const TRect moved = walk.xMajor() ? TRect{clip.left, clip.top - offset, clip.right, clip.bottom - offset}
                                          : TRect{clip.left - offset, clip.top, clip.right - offset, clip.bottom};
        long long low = 0;
        long long high = 0;
        if (!walk.stepRange(moved, 1, low, high))
            continue;
        own += high - low + 1;
        first = last < first ? low : std::min(first, low);
        last = std::max(last, high);
    }
    if (last < first)
        return;
    constexpr long long kSlack = 64;
    if (last - first + 1 <= own + kSlack) {
        walkParallel(canvas, clip, walk, first, last, colour, passes, count);
        return;
    }
    for (int k = 0; k < count; ++k) {
        const long long dx = walk.xMajor() ? 0 : passes[k].offset;
        const long long dy = walk.xMajor() ? passes[k].offset : 0;
        aaLineWide(canvas, {from.x + dx, from.y + dy}, {to.x + dx, to.y + dy}, colour, passes[k].setting);
    }
}

void canvas_detail::aaLineWide(TCanvas* canvas, TPointL from, TPointL to, TColor colour, TAALineSetting setting) {
    const ClipBox clip = clipOf(canvas);
    if (clip.empty())
        return;
    const TAAStyle style = styleOf(setting);
    if (to.x < from.x || (to.x == from.x && to.y < from.y))
        std::swap(from, to);
    if (from.y == to.y) {
        blendSpan(canvas, from.x, to.x, from.y, colour, style.maximum);
        return;
    }
    if (from.x == to.x) {
        blendColumn(canvas, from.x, from.y, to.y, colour, style.maximum);
        return;
    }
    LineWalk walk(from.x, from.y, to.x, to.y, LineWalk::kExact);
    long long first = 0;
    long long last = 0;
    if (!walk.stepRange(clip, 1, first, last))
        return;
    if (walk.rise() == walk.length()) {
        diagonal(canvas, clip, walk, first, last, colour, style);
        return;
    }
    const TAAPass pass{0, setting};
    walkParallel(canvas, clip, walk, first, last, colour, &pass, 1);
}

void g_AALine(TCanvas* canvas, int x1, int y1, int x2, int y2, TColor colour, TAALineSetting setting) {
    aaLineWide(canvas, TPointL{x1, y1}, TPointL{x2, y2}, colour, setting);
}

} // namespace cartoframe
