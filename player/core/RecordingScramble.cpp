#include "RecordingScramble.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace kyvo::scramble {

namespace {

constexpr int kBitsPerByte = 8;
constexpr int kBitsPerDigit = 4;
constexpr unsigned kDigitBase = 10;
constexpr std::uint32_t kDigitMask = (1u << kBitsPerDigit) - 1;

// The key byte that meets file byte `position` (inside the header): the key's
// big-endian bytes repeat over the two words.
std::uint8_t keyByteAt(std::uint64_t position, std::uint32_t key) {
    const auto inWord = static_cast<int>(position % kWordSize);
    const int shift = (static_cast<int>(kWordSize) - 1 - inWord) * kBitsPerByte;
    return static_cast<std::uint8_t>(key >> shift);
}

std::optional<unsigned> hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return static_cast<unsigned>(c - '0');
    if (c >= 'a' && c <= 'f')
        return static_cast<unsigned>(c - 'a') + kDigitBase;
    if (c >= 'A' && c <= 'F')
        return static_cast<unsigned>(c - 'A') + kDigitBase;
    return std::nullopt;
}

} // namespace

void transformHeader(std::span<std::uint8_t> bytes, std::uint64_t offset, std::uint32_t key) {
    if (offset >= kHeaderSize)
        return;
    const std::size_t count = std::min<std::size_t>(bytes.size(), kHeaderSize - static_cast<std::size_t>(offset));
    for (std::size_t i = 0; i < count; ++i)
        bytes[i] ^= keyByteAt(offset + i, key);
}

bool keyRestoresFirstBox(std::span<const std::uint8_t, kHeaderSize> scrambled, std::uint32_t key) {
    std::array<std::uint8_t, kHeaderSize> header{};
    std::copy(scrambled.begin(), scrambled.end(), header.begin());
    transformHeader(header, 0, key);
    if (std::memcmp(header.data() + kWordSize, kFirstBoxType, kWordSize) != 0)
        return false;
    std::uint32_t size = 0;
    for (std::size_t i = 0; i < kWordSize; ++i)
        size = (size << kBitsPerByte) | header[i];
    return size >= kHeaderSize;
}

std::optional<std::uint32_t> parseKey(std::string_view password) {
    if (password.empty() || password.size() > kMaxKeyDigits)
        return std::nullopt;
    std::uint32_t key = 0;
    for (const char c : password) {
        const std::optional<unsigned> digit = hexDigit(c);
        if (!digit)
            return std::nullopt;
        key = (key << kBitsPerDigit) | *digit;
    }
    if (key == 0)
        return std::nullopt;
    return key;
}

std::string keyText(std::uint32_t key) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    for (; key != 0; key >>= kBitsPerDigit)
        text.insert(text.begin(), kDigits[key & kDigitMask]);
    return text;
}

} // namespace kyvo::scramble
