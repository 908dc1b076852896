#include "CanvasTestSupport.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace cartoframe::test {

PixelSet block(int x1, int y1, int x2, int y2) {
    PixelSet out;
    for (int y = y1; y <= y2; ++y)
        for (int x = x1; x <= x2; ++x)
            out.insert({x, y});
    return out;
}

namespace {

__extension__ typedef __int128 Wide;

constexpr int kBytesPerPixel = 3;

std::uint8_t blendByte(std::uint8_t old, std::uint8_t ink, int weight) {
    if (weight >= 255)
        return ink;
    if (weight <= 0)
        return old;
    if (weight == 127)
        return static_cast<std::uint8_t>((old >> 1) + (ink >> 1));
    return static_cast<std::uint8_t>((old * (255 - weight) + ink * weight) >> 8);
}

} // namespace

GuardedCanvas::GuardedCanvas(int width, int height, int padding)
    : width_(width), height_(height), stride_(width * kBytesPerPixel + padding),
      buffer_(static_cast<std::size_t>(2 * kGuardBytes + height * stride_), kGuardByte) {
    if (g_DefineCanvas(&canvas_, buffer_.data() + kGuardBytes, width, height, stride_) != 0)
        throw std::runtime_error("g_DefineCanvas refused the test canvas");
    clear();
}

void GuardedCanvas::clear(TColor colour) {
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) {
            std::uint8_t* pixel = canvas_.pData + y * stride_ + x * kBytesPerPixel;
            pixel[0] = static_cast<std::uint8_t>(colour >> 16);
            pixel[1] = static_cast<std::uint8_t>(colour >> 8);
            pixel[2] = static_cast<std::uint8_t>(colour);
        }
}

TColor GuardedCanvas::at(int x, int y) const {
    const std::uint8_t* pixel = buffer_.data() + kGuardBytes + y * stride_ + x * kBytesPerPixel;
    return static_cast<TColor>(pixel[0]) << 16 | static_cast<TColor>(pixel[1]) << 8 | pixel[2];
}

PixelSet GuardedCanvas::changed(TColor background) const {
    PixelSet out;
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            if (at(x, y) != background)
                out.insert({x, y});
    return out;
}

bool GuardedCanvas::guardsIntact() const {
    const int rowBytes = width_ * kBytesPerPixel;
    for (int i = 0; i < static_cast<int>(buffer_.size()); ++i) {
        const int inCanvas = i - kGuardBytes;
        const bool pixelByte = inCanvas >= 0 && inCanvas < height_ * stride_ && inCanvas % stride_ < rowBytes;
        if (!pixelByte && buffer_[static_cast<std::size_t>(i)] != kGuardByte)
            return false;
    }
    return true;
}

ClipRect GuardedCanvas::clip() const {
    return {canvas_.clipLeft, canvas_.clipTop, canvas_.clipRight, canvas_.clipBottom};
}

TColor blendedColour(TColor old, TColor ink, int weight) {
    TColor out = 0;
    for (int shift = 0; shift <= 16; shift += 8)
        out |= static_cast<TColor>(blendByte(static_cast<std::uint8_t>(old >> shift),
                                             static_cast<std::uint8_t>(ink >> shift), weight))
               << shift;
    return out;
}

PixelSet referenceLine(long long x0, long long y0, long long x1, long long y1, const ClipRect& within) {
    if (x1 < x0 || (x1 == x0 && y1 < y0)) {
        std::swap(x0, x1);
        std::swap(y0, y1);
    }
    const long long dx = x1 - x0;
    const long long dy = y1 - y0;
    const bool xMajor = std::llabs(dx) >= std::llabs(dy);
    const long long length = std::max(std::llabs(dx), std::llabs(dy));
    const long long rise = std::min(std::llabs(dx), std::llabs(dy));
    const long long majorStart = xMajor ? x0 : y0;
    const long long majorEnd = xMajor ? x1 : y1;
    const long long minorStart = xMajor ? y0 : x0;
    const int minorDir = (xMajor ? dy : dx) < 0 ? -1 : 1;
    const long long lo = std::max<long long>(std::min(majorStart, majorEnd), xMajor ? within.left : within.top);
    const long long hi = std::min<long long>(std::max(majorStart, majorEnd), xMajor ? within.right : within.bottom);
    PixelSet out;
    for (long long m = lo; m <= hi; ++m) {
        const Wide i = std::llabs(m - majorStart);
        const Wide offset = length == 0 ? 0 : (2 * i * rise + length) / (2 * static_cast<Wide>(length));
        const long long minor = minorStart + minorDir * static_cast<long long>(offset);
        const long long x = xMajor ? m : minor;
        const long long y = xMajor ? minor : m;
        if (x >= within.left && x <= within.right && y >= within.top && y <= within.bottom)
            out.insert({static_cast<int>(x), static_cast<int>(y)});
    }
    return out;
}

bool insidePolygon(const std::vector<TPoint>& points, double x, double y) {
    bool inside = false;
    const std::size_t n = points.size();
    for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
        const double xi = points[i].x, yi = points[i].y, xj = points[j].x, yj = points[j].y;
        if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi)
            inside = !inside;
    }
    return inside;
}

double distanceToOutline(const std::vector<TPoint>& points, double x, double y) {
    double best = 1e300;
    const std::size_t n = points.size();
    for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
        const double ax = points[j].x, ay = points[j].y, bx = points[i].x, by = points[i].y;
        const double vx = bx - ax, vy = by - ay;
        const double lengthSquared = vx * vx + vy * vy;
        double t = lengthSquared > 0 ? ((x - ax) * vx + (y - ay) * vy) / lengthSquared : 0;
        t = std::clamp(t, 0.0, 1.0);
        best = std::min(best, std::hypot(ax + t * vx - x, ay + t * vy - y));
    }
    return best;
}

std::vector<TPoint> regularPolygon(int n, double cx, double cy, double radius) {
    std::vector<TPoint> points;
    const double pi = std::acos(-1.0);
    for (int k = 0; k < n; ++k) {
        const double angle = 2 * pi * k / n;
        points.push_back({static_cast<int>(std::lround(cx + radius * std::cos(angle))),
                          static_cast<int>(std::lround(cy + radius * std::sin(angle)))});
    }
    return points;
}

} // namespace cartoframe::test
