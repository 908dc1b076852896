#pragma once
// Cutting texts to fixed byte buffers without splitting a UTF-8 character.

#include <cstddef>
#include <string>
#include <string_view>

namespace kyvo {

// The longest prefix of `text` of at most `maxBytes` bytes that ends on a
// UTF-8 character boundary.
inline std::string_view cutUtf8(std::string_view text, std::size_t maxBytes) {
    if (text.size() <= maxBytes)
        return text;
    std::size_t end = maxBytes;
    // Step back over continuation bytes (10xxxxxx) to the lead byte.
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    return text.substr(0, end);
}

} // namespace kyvo
