// Fuzz target of the map library's graphics: drawing calls with any
// coordinates on a small canvas inside guard bytes, font files drawn and
// measured, and colour table texts. Nothing may crash, read or write outside
// its buffers, or run for long; a changed guard byte ends the run at once.
#include "Canvas.h"
#include "ColorTable.h"
#include "Diagnostics.h"
#include "GraphicFuzzInput.h"
#include "Text.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using namespace cartoframe;
using fuzz::CanvasOp;
using fuzz::GraphicMode;

constexpr int kMaxCanvasWidth = 64;
constexpr int kMaxCanvasHeight = 48;
constexpr int kGuard = 16;         // bytes (and rows) of guard on every side
constexpr std::uint8_t kGuardByte = 0xA5;
constexpr int kMaxOps = 64;
constexpr int kMaxPolygonPoints = G_POLYGON_MAX_POINTS + 16; // a little past the limit, to reach the refusal
constexpr int kMaxImageSide = 32;

void discard(const char*, void*) {}

class Reader {
public:
    Reader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    bool done() const { return at_ >= size_; }
    std::uint8_t byte() { return at_ < size_ ? data_[at_++] : 0; }
    std::int32_t word() {
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i)
            value |= static_cast<std::uint32_t>(byte()) << (8 * i);
        return static_cast<std::int32_t>(value);
    }
    // Up to `count` bytes (fewer at the end of the input).
    std::vector<std::uint8_t> bytes(std::size_t count) {
        const std::size_t take = std::min(count, size_ - std::min(at_, size_));
        std::vector<std::uint8_t> out(data_ + at_, data_ + at_ + take);
        at_ += take;
        return out;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

// A canvas defined in the middle of a larger buffer whose other bytes are guards.
class GuardedCanvas {
public:
    GuardedCanvas(int width, int height)
        : width_(width), height_(height), stride_(width * 3 + 2 * kGuard),
          buffer_(static_cast<std::size_t>(stride_) * (height + 2 * kGuard), kGuardByte) {
        g_DefineCanvas(&canvas, buffer_.data() + kGuard * stride_ + kGuard, width, height, stride_);
    }
    ~GuardedCanvas() {
        g_DestroyCanvas(&canvas);
        for (int row = 0; row < height_ + 2 * kGuard; ++row) {
            for (int column = 0; column < stride_; ++column) {
                const bool inside = row >= kGuard && row < kGuard + height_ && column >= kGuard &&
                                    column < kGuard + width_ * 3;
                if (!inside && buffer_[static_cast<std::size_t>(row) * stride_ + column] != kGuardByte)
                    std::abort(); // a primitive wrote outside the canvas
            }
        }
    }
    GuardedCanvas(const GuardedCanvas&) = delete;
    GuardedCanvas& operator=(const GuardedCanvas&) = delete;

    TCanvas canvas;

private:
    int width_, height_, stride_;
    std::vector<std::uint8_t> buffer_;
};

std::vector<TPoint> readPoints(Reader& in) {
    const int count = static_cast<int>(static_cast<std::uint32_t>(in.word()) % (kMaxPolygonPoints + 1));
    std::vector<TPoint> points(static_cast<std::size_t>(count));
    for (TPoint& p : points) {
        p.x = in.word();
        p.y = in.word();
    }
    return points;
}

TImage* readImage(Reader& in) {
    const int width = static_cast<int>(in.byte() % (kMaxImageSide + 1));
    const int height = static_cast<int>(in.byte() % (kMaxImageSide + 1));
    TImage* image = g_CreateImage(width, height);
    if (image != nullptr) {
        const auto pixels = in.bytes(static_cast<std::size_t>(width) * height * 3);
        std::copy(pixels.begin(), pixels.end(), g_ImagePixels(image));
    }
    return image;
}

void runCanvas(Reader& in) {
    GuardedCanvas guarded(1 + in.byte() % kMaxCanvasWidth, 1 + in.byte() % kMaxCanvasHeight);
    TCanvas* c = &guarded.canvas;
    for (int n = 0; n < kMaxOps && !in.done(); ++n) {
        const auto op = static_cast<CanvasOp>(in.byte() % static_cast<int>(CanvasOp::Count));
        switch (op) {
        case CanvasOp::SetClip: {
            const int l = in.word(), t = in.word(), r = in.word(), b = in.word();
            g_SetClip(c, l, t, r, b);
            break;
        }
        case CanvasOp::ShrinkClip: {
            const int dx = in.word(), dy = in.word();
            g_ShrinkClip(c, dx, dy);
            break;
        }
        case CanvasOp::GrowClip: {
            const int dx = in.word(), dy = in.word();
            g_GrowClip(c, dx, dy);
            break;
        }
        case CanvasOp::ResetClip: g_ResetClip(c); break;
        case CanvasOp::Pixel: {
            const int x = in.word(), y = in.word();
            g_PutPixel(c, x, y, static_cast<TColor>(in.word()));
            break;
        }
        case CanvasOp::BlendPixel: {
            const int x = in.word(), y = in.word();
            const auto colour = static_cast<TColor>(in.word());
            g_BlendPixel(c, x, y, colour, in.word());
            break;
        }
        case CanvasOp::HLine:
        case CanvasOp::HLineBlend:
        case CanvasOp::VLine:
        case CanvasOp::VLineHalf: {
            const int a = in.word(), b = in.word(), d = in.word();
            const auto colour = static_cast<TColor>(in.word());
            if (op == CanvasOp::HLine)
                g_HLine(c, a, b, d, colour);
            else if (op == CanvasOp::HLineBlend)
                g_HLineBlend(c, a, b, d, colour, in.word());
            else if (op == CanvasOp::VLine)
                g_VLine(c, a, b, d, colour);
            else
                g_VLineHalf(c, a, b, d, colour);
            break;
        }
        case CanvasOp::Rect:
        case CanvasOp::FillRect:
        case CanvasOp::FillRectHalf:
        case CanvasOp::Line:
        case CanvasOp::AALine:
        case CanvasOp::ThickLine: {
            const int x1 = in.word(), y1 = in.word(), x2 = in.word(), y2 = in.word();
            const auto colour = static_cast<TColor>(in.word());
            if (op == CanvasOp::Rect)
                g_Rect(c, x1, y1, x2, y2, colour);
            else if (op == CanvasOp::FillRect)
                g_FillRect(c, x1, y1, x2, y2, colour);
            else if (op == CanvasOp::FillRectHalf)
                g_FillRectHalf(c, x1, y1, x2, y2, colour);
            else if (op == CanvasOp::Line)
                g_Line(c, x1, y1, x2, y2, colour);
            else if (op == CanvasOp::AALine)
                g_AALine(c, x1, y1, x2, y2, colour, (in.byte() & 1) != 0 ? G_AA_SOFT : G_AA_STRONG);
            else
                g_ThickLine(c, x1, y1, x2, y2, colour, in.word());
            break;
        }
        case CanvasOp::Polygon:
        case CanvasOp::FillPolygon:
        case CanvasOp::DashLine: {
            const auto points = readPoints(in);
            const int count = static_cast<int>(points.size());
            if (op == CanvasOp::Polygon)
                g_Polygon(c, points.data(), count, static_cast<TColor>(in.word()));
            else if (op == CanvasOp::FillPolygon)
                g_FillPolygon(c, points.data(), count, static_cast<TColor>(in.word()), (in.byte() & 1) != 0);
            else
                g_DashLine(c, points.data(), count, in.word());
            break;
        }
        case CanvasOp::FillCircle:
        case CanvasOp::FillCircleBlend: {
            const int x = in.word(), y = in.word(), r = in.word();
            const auto colour = static_cast<TColor>(in.word());
            if (op == CanvasOp::FillCircle)
                g_FillCircle(c, x, y, r, colour);
            else
                g_FillCircleBlend(c, x, y, r, colour, in.word());
            break;
        }
        case CanvasOp::PutImage:
        case CanvasOp::PutImageKey:
        case CanvasOp::PutImageKeyBlend: {
            const int x = in.word(), y = in.word();
            const auto key = static_cast<TColor>(in.word());
            const int weight = in.word();
            TImage* image = readImage(in);
            if (op == CanvasOp::PutImage)
                g_PutImage(c, x, y, image);
            else if (op == CanvasOp::PutImageKey)
                g_PutImageKey(c, x, y, image, key);
            else
                g_PutImageKeyBlend(c, x, y, image, key, weight);
            g_DestroyImage(image);
            break;
        }
        case CanvasOp::Count: break;
        }
    }
}

void runFont(Reader& in) {
    const auto size = static_cast<std::uint32_t>(in.word());
    const auto file = in.bytes(size);
    std::vector<std::uint8_t> rest = in.bytes(SIZE_MAX);
    const std::string str(rest.begin(), rest.end()); // ends at its first NUL when drawn
    TText text{};
    g_CreateFontFromBytes(&text.ASCII, file.data(), static_cast<int>(file.size()), "fuzz.0");
    g_CreateFontFromBytes(&text.DBCS, file.data(), static_cast<int>(file.size()), "fuzz.1");
    GuardedCanvas guarded(kMaxCanvasWidth, kMaxCanvasHeight);
    const int styles[] = {0, G_TEXT_OPAQUE | G_TEXT_BOLD, G_TEXT_OUTLINE, G_TEXT_OUTLINE | G_TEXT_BOLD};
    int x = -3;
    for (int style : styles) {
        g_SetTextStyle(&text, style, 0xFFFFFF, 0x102030, 0x808080);
        g_SetTextSpacing(&text, style - 2, style);
        (void)g_TextWidth(&text, str.c_str());
        (void)g_TextHeight(&text);
        g_DrawText(&guarded.canvas, &text, x, x, str.c_str());
        x += 11;
    }
    g_DestroyText(&text);
}

void runColors(Reader& in) {
    const auto text = in.bytes(SIZE_MAX);
    g_ResetColorTable();
    g_ParseColorText(text.data(), text.size());
    // Every accessor and the written text of whatever was read.
    TColor mix = static_cast<TColor>(g_ColorTableText().size());
    for (int i = -1; i <= 16; ++i)
        mix ^= g_GetColor(i) ^ g_GetBorderColor(i);
    if (mix == 0xFFFFFFFFu)
        dbg_Print("colour mix %u\n", mix); // keeps the reads; the sink discards it
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    dbg_SetSink(discard, nullptr);
    Reader in(data, size);
    switch (static_cast<GraphicMode>(in.byte() % fuzz::kGraphicModes)) {
    case GraphicMode::Canvas: runCanvas(in); break;
    case GraphicMode::Font: runFont(in); break;
    case GraphicMode::Colors: runColors(in); break;
    }
    dbg_RestartMap();
    return 0;
}
