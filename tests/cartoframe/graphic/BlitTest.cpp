// Image blits: each pixel of the canvas compared with where the image lands,
// cut at every side of the clip rectangle, with and without a key colour,
// and blended.
#include "Canvas.h"
#include "CartoTestSupport.h"
#include "FontBuilder.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>

namespace cartoframe {
namespace {

constexpr int kWidth = 9;
constexpr int kHeight = 7;
constexpr TColor kGround = 0x102030;
constexpr TColor kKey = 0x00FF00;

// A 4 x 3 image of distinct colours; the pixel at (1, 1) holds the key colour.
TColor imageColour(int x, int y) {
    return x == 1 && y == 1 ? kKey : static_cast<TColor>(0x400000 + y * 0x1000 + x * 40);
}

class BlitTest : public testing::Test {
protected:
    void SetUp() override { reset(); }
    void TearDown() override { release(); }

    // A fresh ground-coloured canvas and the image.
    void reset() {
        release();
        ASSERT_EQ(g_CreateCanvas(&canvas_, kWidth, kHeight), 0);
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x)
                g_PutPixel(&canvas_, x, y, kGround);
        image_ = g_CreateImage(4, 3);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 4; ++x) {
                std::uint8_t* p = g_ImagePixels(image_) + (y * 4 + x) * 3;
                const TColor c = imageColour(x, y);
                p[0] = static_cast<std::uint8_t>(c >> 16);
                p[1] = static_cast<std::uint8_t>(c >> 8);
                p[2] = static_cast<std::uint8_t>(c);
            }
    }
    void release() {
        g_DestroyImage(image_);
        image_ = nullptr;
        g_DestroyCanvas(&canvas_);
    }

    // Every pixel: inside the clip and under the image at (ox, oy) it is
    // `landed(image colour)`, elsewhere the ground.
    void expectCanvas(long long ox, long long oy, int left, int top, int right, int bottom,
                      const std::function<TColor(TColor)>& landed) {
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) {
                const long long ix = x - ox, iy = y - oy;
                const bool under = ix >= 0 && ix < 4 && iy >= 0 && iy < 3;
                const bool clipped = x >= left && x <= right && y >= top && y <= bottom;
                const TColor want = under && clipped ? landed(imageColour(static_cast<int>(ix), static_cast<int>(iy)))
                                                     : kGround;
                ASSERT_EQ(test::colourAt(canvas_, x, y), want)
                    << "at " << x << "," << y << " image at " << ox << "," << oy;
            }
    }

    test::DiagCapture diag_; // keeps the canvas lines out of the test output
    TCanvas canvas_;
    TImage* image_ = nullptr;
};

TEST_F(BlitTest, OpaqueBlitIsCutAtEverySideOfTheClip) {
    struct Place {
        int x, y;
    };
    // Inside; over the left, right, top and bottom clip edges; over a corner;
    // wholly outside; far beyond the int range of the image's far edge.
    const Place places[] = {{3, 2}, {0, 2}, {6, 3}, {3, 0}, {4, 5}, {-2, -1}, {7, 6}, {20, 2}, {-5, 2},
                            {INT_MAX - 1, 2}, {INT_MIN, INT_MIN}};
    for (const Place& place : places) {
        reset();
        g_SetClip(&canvas_, 1, 1, 7, 5);
        g_PutImage(&canvas_, place.x, place.y, image_);
        expectCanvas(place.x, place.y, 1, 1, 7, 5, [](TColor c) { return c; });
    }
}

TEST_F(BlitTest, KeyColourIsSkippedAndOtherPixelsAreBlended) {
    // Per byte: weight 200 gives (old * 55 + new * 200) >> 8, 127 the half
    // blend, 255 the new byte, 0 the old; the key is always skipped.
    const auto byWeight = [](int weight, TColor c) {
        if (c == kKey || weight == 0)
            return kGround;
        TColor out = 0;
        for (int shift = 0; shift < 24; shift += 8) {
            const TColor old = kGround >> shift & 0xFF, value = c >> shift & 0xFF;
            const TColor mixed =
                weight == 127 ? (old >> 1) + (value >> 1) : (old * (255 - weight) + value * weight) >> 8;
            out |= (weight == 255 ? value : mixed) << shift;
        }
        return out;
    };
    for (int weight : {200, 127, 255, 0}) {
        reset();
        g_SetClip(&canvas_, 0, 0, 4, 6);
        g_PutImageKeyBlend(&canvas_, 2, 3, image_, kKey, weight);
        expectCanvas(2, 3, 0, 0, 4, 6, [&](TColor c) { return byWeight(weight, c); });
    }
    reset();
    g_PutImageKey(&canvas_, 2, 2, image_, kKey);
    g_PutImageKey(&canvas_, 2, 2, nullptr, kKey);
    expectCanvas(2, 2, 0, 0, kWidth - 1, kHeight - 1, [](TColor c) { return c == kKey ? kGround : c; });
}

} // namespace
} // namespace cartoframe
