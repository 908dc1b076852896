#pragma once
// Big5 codes to Unicode through the system's code page 950 table (iconv
// "CP950", else "BIG5"), one character at a time, so that a code without a
// mapping costs only itself.

#include "Big5GlyphIndex.h"

#include <optional>

namespace kyvo::fontmaker {

class Cp950Decoder {
public:
    Cp950Decoder();
    ~Cp950Decoder();
    Cp950Decoder(const Cp950Decoder&) = delete;
    Cp950Decoder& operator=(const Cp950Decoder&) = delete;

    // False when the system has no Big5 table at all.
    bool ready() const;

    // The Unicode code point of one Big5 code; empty when the table has none.
    std::optional<char32_t> decode(Big5Code code);

private:
    void* handle_;
};

} // namespace kyvo::fontmaker
