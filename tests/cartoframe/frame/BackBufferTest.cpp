// The back buffer: accepted depths, row padding, and the canvas copied into
// it at each depth.
#include "BackBuffer.h"

#include <gtest/gtest.h>

#include <vector>

namespace cartoframe {
namespace {

TEST(BackBufferTest, DepthsAndSizes) {
    struct Case {
        int width, height, depth;
        int stride; // 0: refused
    };
    const Case cases[] = {
        {5, 1, 24, 16}, {3, 2, 32, 12}, {3, 2, 16, 8}, {3, 2, 8, 0},
        {0, 2, 24, 0},  {3, -1, 24, 0}, {VF_BUFFER_MAX_SIDE + 1, 1, 24, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << " at " << c.depth);
        TBackBuffer b;
        ASSERT_TRUE(b.create(8, 8, 24)); // a refusal leaves no earlier buffer behind
        EXPECT_EQ(b.create(c.width, c.height, c.depth), c.stride != 0);
        EXPECT_EQ(b.stride(), c.stride);
        EXPECT_EQ(b.depth(), c.stride ? c.depth : VF_BUFFER_NO_DEPTH);
        EXPECT_EQ(b.bits() != nullptr, c.stride != 0);
    }
}

// A 3 x 2 canvas of distinct pixels, bytes blue, green, red.
struct SmallCanvas {
    std::vector<std::uint8_t> pixels{
        0x10, 0x20, 0x30, 0xF8, 0x07, 0x81, 0x00, 0xFF, 0x08, // top row
        0x01, 0x02, 0x03, 0xFF, 0xFF, 0xFF, 0x88, 0x44, 0x22, // bottom row
    };
    TCanvas canvas() {
        TCanvas c;
        c.pData = pixels.data();
        c.width = 3;
        c.height = 2;
        c.stride = 9;
        return c;
    }
};

TEST(BackBufferTest, CopiesTheCanvasAtEachDepth) {
    struct Case {
        int depth;
        std::vector<std::uint8_t> rows; // both rows with their padding
    };
    const Case cases[] = {
        {24, {0x10, 0x20, 0x30, 0xF8, 0x07, 0x81, 0x00, 0xFF, 0x08, 0, 0, 0,
              0x01, 0x02, 0x03, 0xFF, 0xFF, 0xFF, 0x88, 0x44, 0x22, 0, 0, 0}},
        {32, {0x10, 0x20, 0x30, 0, 0xF8, 0x07, 0x81, 0, 0x00, 0xFF, 0x08, 0,
              0x01, 0x02, 0x03, 0, 0xFF, 0xFF, 0xFF, 0, 0x88, 0x44, 0x22, 0}},
        // x-5-5-5, little-endian: red in bits 10..14, green 5..9, blue 0..4.
        {16, {0x82, 0x18, 0x1F, 0x40, 0xE0, 0x07, 0, 0,
              0x00, 0x00, 0xFF, 0x7F, 0x11, 0x11, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.depth);
        SmallCanvas source;
        TBackBuffer b;
        ASSERT_TRUE(b.create(3, 2, c.depth));
        b.copyFrom(source.canvas());
        const std::vector<std::uint8_t> rows(b.bits(), b.bits() + b.stride() * b.height());
        EXPECT_EQ(rows, c.rows);
    }
}

TEST(BackBufferTest, OnlyTheOverlapOfCanvasAndBufferIsCopied) {
    SmallCanvas source;
    TBackBuffer b;
    ASSERT_TRUE(b.create(2, 3, 24)); // narrower and taller than the canvas
    b.copyFrom(source.canvas());
    const std::vector<std::uint8_t> expected{
        0x10, 0x20, 0x30, 0xF8, 0x07, 0x81, 0, 0, // row 0: two pixels, then padding
        0x01, 0x02, 0x03, 0xFF, 0xFF, 0xFF, 0, 0, // row 1
        0, 0, 0, 0, 0, 0, 0, 0,                   // row 2: not on the canvas, still black
    };
    EXPECT_EQ(std::vector<std::uint8_t>(b.bits(), b.bits() + b.stride() * b.height()), expected);

    TCanvas empty;
    b.copyFrom(empty); // a canvas without pixels changes nothing
    EXPECT_EQ(std::vector<std::uint8_t>(b.bits(), b.bits() + b.stride() * b.height()), expected);
}

} // namespace
} // namespace cartoframe
