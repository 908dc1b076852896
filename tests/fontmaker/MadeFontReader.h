#pragma once
// A small reader of the map font files for the tests, written from the file
// layout alone so that it checks the writer rather than repeating it.

#include <sys/wait.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace kyvo::fontmaker::test {

class MadeFontReader {
public:
    explicit MadeFontReader(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {
        if (bytes_.size() < 8)
            throw std::runtime_error("font file shorter than its header");
    }
    static MadeFontReader load(const std::filesystem::path& path) {
        std::ifstream in(path, std::ios::binary);
        if (!in)
            throw std::runtime_error("cannot open " + path.string());
        return MadeFontReader({std::istreambuf_iterator<char>(in), {}});
    }

    int count() const { return bytes_[0] | bytes_[1] << 8; }
    bool proportional() const { return bytes_[2] & 1; }
    int bitsPerPixel() const { return bytes_[3]; }
    int cellWidth() const { return bytes_[4]; }
    int cellHeight() const { return bytes_[5]; }
    std::size_t size() const { return bytes_.size(); }

    int width(int glyph) const { return proportional() ? bytes_.at(8 + glyph) : cellWidth(); }
    std::size_t offset(int glyph) const {
        if (!proportional())
            return static_cast<std::size_t>(glyph) * ((cellWidth() * cellHeight() + 7) / 8);
        const std::size_t at = 8 + count() + 4 * static_cast<std::size_t>(glyph);
        return bytes_.at(at) | bytes_.at(at + 1) << 8 | bytes_.at(at + 2) << 16 | std::size_t{bytes_.at(at + 3)} << 24;
    }
    bool pixel(int glyph, int x, int y) const {
        const std::size_t bit = static_cast<std::size_t>(y) * width(glyph) + x;
        return bytes_.at(8 + offset(glyph) + bit / 8) & (0x80 >> bit % 8);
    }
    int inkCount(int glyph) const {
        int ink = 0;
        for (int y = 0; y < cellHeight(); ++y)
            for (int x = 0; x < width(glyph); ++x)
                ink += pixel(glyph, x, y);
        return ink;
    }
    // Ink pixels in one row or one column of a glyph.
    int rowInk(int glyph, int y) const {
        int ink = 0;
        for (int x = 0; x < width(glyph); ++x)
            ink += pixel(glyph, x, y);
        return ink;
    }
    int columnInk(int glyph, int x) const {
        int ink = 0;
        for (int y = 0; y < cellHeight(); ++y)
            ink += pixel(glyph, x, y);
        return ink;
    }
    // Lowest row holding ink, -1 for a blank glyph.
    int lowestInkRow(int glyph) const {
        for (int y = cellHeight() - 1; y >= 0; --y)
            if (rowInk(glyph, y))
                return y;
        return -1;
    }
    // Every glyph's bitmap lies inside the file.
    bool bitmapsInside() const {
        for (int g = 0; g < count(); ++g)
            if (8 + offset(g) + (static_cast<std::size_t>(width(g)) * cellHeight() + 7) / 8 > bytes_.size())
                return false;
        return true;
    }

private:
    std::vector<std::uint8_t> bytes_;
};

// A whole file as text (empty when it cannot be read).
inline std::string readText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Runs a shell command and answers its exit code (-1 when it did not exit).
inline int run(const std::string& command) {
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace kyvo::fontmaker::test
