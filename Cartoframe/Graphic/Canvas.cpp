#include "Canvas.h"

#include "CanvasPixels.h"
#include "Diagnostics.h"

#include <algorithm>
#include <cstdlib>
#include <new>

namespace cartoframe {

using namespace canvas_detail;

namespace {

bool sideAccepted(int side) { return side >= 1 && side <= G_CANVAS_MAX_SIDE; }

void storeClip(TCanvas* canvas, long long left, long long top, long long right, long long bottom) {
    left = std::max<long long>(left, 0);
    top = std::max<long long>(top, 0);
    right = std::min<long long>(right, canvas->width - 1);
    bottom = std::min<long long>(bottom, canvas->height - 1);
    if (left > right || top > bottom) {
        // Nothing is left; the unsigned fields say so with left > right.
        canvas->clipLeft = 1;
        canvas->clipRight = 0;
        canvas->clipTop = 1;
        canvas->clipBottom = 0;
        return;
    }
    canvas->clipLeft = static_cast<std::uint16_t>(left);
    canvas->clipTop = static_cast<std::uint16_t>(top);
    canvas->clipRight = static_cast<std::uint16_t>(right);
    canvas->clipBottom = static_cast<std::uint16_t>(bottom);
}

void fillRecord(TCanvas* canvas, std::uint8_t* pixels, int width, int height, int stride, std::uint8_t kind) {
    *canvas = TCanvas{};
    canvas->pData = pixels;
    canvas->width = static_cast<std::uint16_t>(width);
    canvas->height = static_cast<std::uint16_t>(height);
    canvas->stride = stride;
    canvas->kind = kind;
    g_ResetClip(canvas);
}

} // namespace

int g_CreateCanvas(TCanvas* canvas, int width, int height) {
    if (canvas == nullptr)
        return -1;
    *canvas = TCanvas{};
    dbg_Print("g_CreateCanvas: %d x %d\n", width, height);
    if (!sideAccepted(width) || !sideAccepted(height)) {
        dbg_Print("g_CreateCanvas: a side of %d x %d is outside 1..%d\n", width, height, G_CANVAS_MAX_SIDE);
        return -1;
    }
    const std::size_t bytes = static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * kBytesPerPixel;
    auto* pixels = static_cast<std::uint8_t*>(std::calloc(bytes, 1));
    if (!CF_CHECK_TEXT(pixels != nullptr, "canvas->pData"))
        return -1;
    fillRecord(canvas, pixels, width, height, width * kBytesPerPixel, G_CANVAS_OWNED);
    return 0;
}

int g_DefineCanvas(TCanvas* canvas, std::uint8_t* pixels, int width, int height, int stride) {
    if (canvas == nullptr)
        return -1;
    *canvas = TCanvas{};
    dbg_Print("g_DefineCanvas: %d x %d\n", width, height);
    if (pixels == nullptr || !sideAccepted(width) || !sideAccepted(height) || stride < width * kBytesPerPixel) {
        dbg_Print("g_DefineCanvas: %d x %d with stride %d refused\n", width, height, stride);
        return -1;
    }
    fillRecord(canvas, pixels, width, height, stride, G_CANVAS_DEFINED);
    return 0;
}

void g_DestroyCanvas(TCanvas* canvas) {
    if (canvas == nullptr)
        return;
    if (canvas->kind == G_CANVAS_OWNED)
        std::free(canvas->pData);
    *canvas = TCanvas{};
}

void g_SetClip(TCanvas* canvas, int left, int top, int right, int bottom) {
    if (canvas == nullptr || canvas->pData == nullptr)
        return;
    storeClip(canvas, left, top, right, bottom);
}

void g_ShrinkClip(TCanvas* canvas, int dx, int dy) {
    if (canvas == nullptr || canvas->pData == nullptr)
        return;
    const ClipBox clip = clipOf(canvas);
    if (clip.empty())
        return;
    storeClip(canvas, static_cast<long long>(clip.left) + dx, static_cast<long long>(clip.top) + dy,
              static_cast<long long>(clip.right) - dx, static_cast<long long>(clip.bottom) - dy);
}

void g_GrowClip(TCanvas* canvas, int dx, int dy) {
    if (canvas == nullptr || canvas->pData == nullptr)
        return;
    const ClipBox clip = clipOf(canvas);
    if (clip.empty())
        return;
    storeClip(canvas, static_cast<long long>(clip.left) - dx, static_cast<long long>(clip.top) - dy,
              static_cast<long long>(clip.right) + dx, static_cast<long long>(clip.bottom) + dy);
}

void g_ResetClip(TCanvas* canvas) {
    if (canvas == nullptr || canvas->pData == nullptr)
        return;
    storeClip(canvas, 0, 0, canvas->width - 1, canvas->height - 1);
}

void g_PutPixel(TCanvas* canvas, int x, int y, TColor colour) {
    if (clipOf(canvas).contains(x, y))
        writePixel(pixelAt(canvas, x, y), colour);
}

void g_BlendPixel(TCanvas* canvas, int x, int y, TColor colour, int weight) {
    if (clipOf(canvas).contains(x, y))
        blendPixel(pixelAt(canvas, x, y), colour, weight);
}

TImage* g_CreateImage(int width, int height) {
    if (width < 0 || height < 0 || width > UINT16_MAX || height > UINT16_MAX)
        return nullptr;
    const std::size_t bytes = sizeof(TImage) + static_cast<std::size_t>(width) * height * kBytesPerPixel;
    void* memory = std::calloc(bytes, 1);
    if (memory == nullptr)
        return nullptr;
    auto* image = new (memory) TImage{};
    image->width = static_cast<std::uint16_t>(width);
    image->height = static_cast<std::uint16_t>(height);
    return image;
}

void g_DestroyImage(TImage* image) { std::free(image); }

} // namespace cartoframe
