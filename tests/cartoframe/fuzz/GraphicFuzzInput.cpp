#include "GraphicFuzzInput.h"

namespace cartoframe::fuzz {

namespace {
void putWord(GraphicBytes& bytes, std::int32_t value) {
    const auto word = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i)
        bytes.push_back(static_cast<std::uint8_t>(word >> (8 * i)));
}
} // namespace

CanvasProgram::CanvasProgram(int width, int height) {
    bytes_.push_back(static_cast<std::uint8_t>(GraphicMode::Canvas));
    bytes_.push_back(static_cast<std::uint8_t>(width));
    bytes_.push_back(static_cast<std::uint8_t>(height));
}

CanvasProgram& CanvasProgram::op(CanvasOp code, std::initializer_list<std::int32_t> arguments) {
    bytes_.push_back(static_cast<std::uint8_t>(code));
    for (std::int32_t argument : arguments)
        putWord(bytes_, argument);
    return *this;
}

GraphicBytes fontInput(const GraphicBytes& fontFile, const std::string& text) {
    GraphicBytes bytes{static_cast<std::uint8_t>(GraphicMode::Font)};
    putWord(bytes, static_cast<std::int32_t>(fontFile.size()));
    bytes.insert(bytes.end(), fontFile.begin(), fontFile.end());
    bytes.insert(bytes.end(), text.begin(), text.end());
    return bytes;
}

GraphicBytes colorsInput(const std::string& text) {
    GraphicBytes bytes{static_cast<std::uint8_t>(GraphicMode::Colors)};
    bytes.insert(bytes.end(), text.begin(), text.end());
    return bytes;
}

} // namespace cartoframe::fuzz
