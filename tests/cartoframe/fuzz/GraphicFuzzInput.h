#pragma once
// Inputs of the graphic fuzz target. The first byte says what the rest is:
//   GraphicMode::Canvas  a canvas size and a sequence of drawing calls,
//   GraphicMode::Font    a font file, then a string drawn with it,
//   GraphicMode::Colors  the text of a colour table file.
// A canvas call is an opcode byte followed by little-endian 32-bit arguments,
// so coordinates reach the whole int range.

#include <cstdint>
#include <string>
#include <vector>

namespace cartoframe::fuzz {

using GraphicBytes = std::vector<std::uint8_t>;

enum class GraphicMode : std::uint8_t { Canvas = 0, Font = 1, Colors = 2 };
inline constexpr int kGraphicModes = 3;

// Canvas calls, in opcode order.
enum class CanvasOp : std::uint8_t {
    SetClip, ShrinkClip, GrowClip, ResetClip, Pixel, BlendPixel, HLine, HLineBlend, VLine, VLineHalf, Rect,
    FillRect, FillRectHalf, Line, Polygon, FillPolygon, FillCircle, FillCircleBlend, AALine, ThickLine, DashLine,
    PutImage, PutImageKey, PutImageKeyBlend, Count
};

// Builds canvas-mode inputs for seeds and tests.
class CanvasProgram {
public:
    CanvasProgram(int width, int height);
    CanvasProgram& op(CanvasOp code, std::initializer_list<std::int32_t> arguments);
    const GraphicBytes& bytes() const { return bytes_; }

private:
    GraphicBytes bytes_;
};

GraphicBytes fontInput(const GraphicBytes& fontFile, const std::string& text);
GraphicBytes colorsInput(const std::string& text);

} // namespace cartoframe::fuzz
