#pragma once
// Still pictures of the capture: one 24-bit bitmap in, one baseline JPEG file
// out, with fixed tables (no quality setting, no chroma subsampling, no
// restart intervals, no application marker).
//
// Not thread-safe; the capture thread owns its writer and feeds it one
// picture at a time.

#include "BitmapImage.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kyvo::imaging {

class JpegStillWriter {
public:
    // Keeps the header and a copy of the pixel bytes: rows of
    // bitmapRowBytes(width) bytes, bottom row first for a positive height, top
    // row first for a negative one. Answers false and keeps nothing when the
    // header is not a 24-bit uncompressed picture of 1..65535 pixels each way
    // or `size` is short of its rows.
    bool prepare(const BitmapInfoHeader& header, const std::uint8_t* pixels, std::size_t size);
    // The same, taking the caller's rows instead of copying them (a picture
    // of a few megabytes is then held once).
    bool prepare(const BitmapInfoHeader& header, std::vector<std::uint8_t>&& pixels);

    // The JPEG stream of the kept picture, top row first; empty when nothing
    // has been prepared. The kept copy is not changed, so encoding or writing
    // twice gives the same bytes.
    std::vector<std::uint8_t> encode() const;

    // Creates (or truncates) `fileName` and writes the stream. Answers false
    // when nothing has been prepared, the file cannot be created, or a write
    // or the close fails; a file left short by a failed write is removed. The
    // caller goes on with its next picture either way.
    bool write(const std::string& fileName) const;

    bool prepared() const { return !pixels_.empty(); }
    const BitmapInfoHeader& header() const { return header_; }

private:
    PixelView view() const;

    BitmapInfoHeader header_{};
    std::vector<std::uint8_t> pixels_;
};

// Encodes `image` and writes it to `fileName` as JpegStillWriter::write does,
// for pictures the caller holds itself (a file mapped in place, say).
bool writeJpegFile(const PixelView& image, const std::string& fileName);

} // namespace kyvo::imaging
