#include "FontMaker.h"

#include <algorithm>
#include <fstream>
#include <sstream>

namespace kyvo::fontmaker {
namespace {

void tally(const GlyphSet& set, FaceReport& report) {
    for (const auto& glyph : set) {
        if (!glyph)
            ++report.blank;
        else if (glyph->embedded)
            ++report.embedded;
        else
            ++report.rendered;
    }
}

// Renders the glyph at decreasing sizes until its ink fits `cellWidth`
// columns, then restores the rasteriser's size. `fitted` stays empty when no
// size fits (the layout then keeps the glyph's left part). False only when
// the size cannot be restored.
bool renderToFit(GlyphRasteriser& rasteriser, char32_t codePoint, int cellWidth, std::optional<InkGlyph>& fitted,
                 std::string& error) {
    const int size = rasteriser.pixelSize();
    std::string ignored;
    for (int smaller = size - 1; smaller > 0 && !fitted && rasteriser.setPixelSize(smaller, ignored); --smaller) {
        std::optional<InkGlyph> glyph = rasteriser.render(codePoint);
        if (glyph && glyph->width <= cellWidth)
            fitted = std::move(glyph);
    }
    return rasteriser.setPixelSize(size, error);
}

bool writeFile(const std::filesystem::path& path, const Bytes& bytes, std::string& error) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out)
        error = "cannot write " + path.string();
    return static_cast<bool>(out);
}

} // namespace

bool makeFace(GlyphRasteriser& rasteriser, Cp950Decoder& big5, int pixelSize, MadeFace& face, std::string& error) {
    if (!big5.ready()) {
        error = "the system has no Big5 (code page 950) table";
        return false;
    }
    if (!rasteriser.setPixelSize(pixelSize, error))
        return false;
    face = MadeFace{};

    GlyphSet singleByte;
    singleByte.reserve(kSingleByteGlyphCount);
    for (int byte = kSingleByteFirst; byte <= kSingleByteLast; ++byte)
        singleByte.push_back(rasteriser.render(static_cast<char32_t>(byte)));

    GlyphSet doubleByte(kBig5GlyphCount);
    std::vector<char32_t> codePoints(kBig5GlyphCount, 0);
    for (int index = 0; index < kBig5GlyphCount; ++index) {
        const std::optional<char32_t> codePoint = big5.decode(*big5CodeAt(index));
        if (!codePoint)
            continue;
        codePoints[static_cast<std::size_t>(index)] = *codePoint;
        doubleByte[static_cast<std::size_t>(index)] = rasteriser.render(*codePoint);
    }

    // A face without two-byte glyphs still gets a cell the library accepts.
    const int advance = commonAdvance(doubleByte);
    const int cellWidth = std::clamp(advance > 0 ? advance : pixelSize, 1, kMaxCellSide);
    for (std::size_t index = 0; index < doubleByte.size(); ++index) {
        std::optional<InkGlyph>& glyph = doubleByte[index];
        if (!glyph || glyph->width <= cellWidth)
            continue;
        std::optional<InkGlyph> fitted;
        if (!renderToFit(rasteriser, codePoints[index], cellWidth, fitted, error))
            return false;
        if (fitted) {
            glyph = std::move(fitted);
            ++face.report.shrunk;
        }
    }

    tally(singleByte, face.report);
    tally(doubleByte, face.report);

    const VerticalMetrics metrics = verticalMetrics({&singleByte, &doubleByte}, pixelSize);
    face.report.baseline = metrics.baseline;
    face.singleByte = layoutProportional(singleByte, metrics);
    face.doubleByte = layoutFixed(doubleByte, cellWidth, metrics);
    return true;
}

bool writeFace(const std::filesystem::path& folder, const std::string& name, const MadeFace& face, std::string& error) {
    std::error_code code;
    std::filesystem::create_directories(folder, code);
    Bytes bytes;
    if (!encodeFont(face.singleByte, bytes, error) || !writeFile(folder / (name + kSingleByteSuffix), bytes, error))
        return false;
    return encodeFont(face.doubleByte, bytes, error) && writeFile(folder / (name + kDoubleByteSuffix), bytes, error);
}

std::string describeFace(const std::string& name, const MadeFace& face) {
    const FaceReport& r = face.report;
    std::ostringstream out;
    out << name << ": " << face.singleByte.glyphs.size() << " single-byte glyphs (cell up to "
        << face.singleByte.cellWidth << "x" << face.singleByte.cellHeight << "), " << face.doubleByte.glyphs.size()
        << " two-byte glyphs (cell " << face.doubleByte.cellWidth << "x" << face.doubleByte.cellHeight
        << "), baseline under row " << r.baseline - 1 << "; " << r.embedded << " from the embedded strike, "
        << r.rendered << " from outlines, " << r.shrunk << " rendered smaller to fit, " << r.blank
        << " codes blank\n";
    return out.str();
}

} // namespace kyvo::fontmaker
