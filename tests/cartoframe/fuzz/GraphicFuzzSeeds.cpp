#include "GraphicFuzzSeeds.h"

#include <climits>

namespace cartoframe::fuzz {

namespace {

constexpr std::int32_t kFar = 1 << 20;
constexpr std::int32_t kBlue = 0xFF0000;

void putLe(GraphicBytes& bytes, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i)
        bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// A font of `count` glyphs, cell 5 x 7, each glyph's bits taken from its index.
GraphicBytes fontFile(int count, bool proportional) {
    constexpr int kCellWidth = 5, kCellHeight = 7;
    GraphicBytes file;
    putLe(file, static_cast<std::uint32_t>(count), 2);
    file.push_back(proportional ? 1 : 0);
    file.push_back(1);
    file.push_back(kCellWidth);
    file.push_back(kCellHeight);
    putLe(file, 0, 2);
    const int glyphBytes = (kCellWidth * kCellHeight + 7) / 8;
    if (proportional) {
        for (int i = 0; i < count; ++i)
            file.push_back(static_cast<std::uint8_t>(1 + i % kCellWidth));
        for (int i = 0; i < count; ++i)
            putLe(file, static_cast<std::uint32_t>(count * 5 + i * glyphBytes), 4);
    }
    for (int i = 0; i < count; ++i)
        for (int b = 0; b < glyphBytes; ++b)
            file.push_back(static_cast<std::uint8_t>(i * 37 + b * 11));
    return file;
}

} // namespace

std::vector<GraphicBytes> makeGraphicSeeds() {
    std::vector<GraphicBytes> seeds;

    CanvasProgram shapes(40, 30);
    shapes.op(CanvasOp::SetClip, {3, 2, 35, 27})
        .op(CanvasOp::HLine, {-kFar, kFar, 5, kBlue})
        .op(CanvasOp::VLineHalf, {7, kFar, -kFar, 0x00FF00})
        .op(CanvasOp::Rect, {-5, -5, 20, 20, 0x0000FF})
        .op(CanvasOp::FillRectHalf, {10, 10, 50, 50, 0x808080})
        .op(CanvasOp::Line, {-kFar, -kFar / 3, kFar, kFar / 2, 0xFFFFFF})
        .op(CanvasOp::AALine, {0, 29, 39, 3, 0x123456})
        .op(CanvasOp::ThickLine, {-kFar, 15, kFar, 16, 0x654321, 6})
        .op(CanvasOp::FillCircle, {20, 15, 9, kBlue})
        .op(CanvasOp::FillCircleBlend, {20, 15, kFar, 0xFFFF00, 64})
        .op(CanvasOp::ResetClip, {})
        .op(CanvasOp::Pixel, {39, 29, 0xFFFFFF})
        .op(CanvasOp::BlendPixel, {0, 0, 0xFFFFFF, 127});
    seeds.push_back(shapes.bytes());

    CanvasProgram polygons(48, 40);
    polygons.op(CanvasOp::FillPolygon, {5, -kFar, -kFar, kFar, -kFar / 2, 20, 20, kFar, kFar, -kFar, kFar, kBlue})
        .op(CanvasOp::Polygon, {4, 2, 2, 40, 3, 30, 35, 4, 30, 0xFFFFFF})
        .op(CanvasOp::DashLine, {3, 0, 0, 47, 39, -kFar, 20, 2})
        .op(CanvasOp::ShrinkClip, {4, 4})
        .op(CanvasOp::FillPolygon, {3, INT_MIN, 0, INT_MAX, 10, 0, INT_MAX, 0x00FF00})
        .op(CanvasOp::GrowClip, {INT_MAX, INT_MAX})
        .op(CanvasOp::ThickLine, {INT_MIN, INT_MIN, INT_MAX, INT_MAX, 0xABCDEF, 40});
    seeds.push_back(polygons.bytes());

    CanvasProgram images(32, 24);
    images.op(CanvasOp::PutImage, {-3, -2, 0, 0}).bytes();
    GraphicBytes withImage = images.bytes();
    withImage.push_back(6);
    withImage.push_back(5);
    for (int i = 0; i < 6 * 5 * 3; ++i)
        withImage.push_back(static_cast<std::uint8_t>(i * 7));
    seeds.push_back(withImage);

    const std::string mixed = std::string("Ab \x01g") + "\xA4\x40\xA4\xA1" + "z\xFF";
    seeds.push_back(fontInput(fontFile(95, false), mixed));
    seeds.push_back(fontInput(fontFile(600, true), mixed + "\xA5"));

    seeds.push_back(colorsInput("AlleyRd=255,255,255\r\nFreeWay=1 2,300,70\r\nWater=1,2,3,4\r\nNoSuchName=9,9,9\n"
                                "Shape=99999999999999999999,0,0"));
    return seeds;
}

} // namespace cartoframe::fuzz
