#include "EntropyCoder.h"

#include <bit>
#include <cstdlib>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace kyvo::imaging {

namespace {

constexpr std::uint8_t kEndOfBlock = 0x00;
constexpr std::uint8_t kZeroRun = 0xF0;
constexpr int kZeroRunLength = 16;
constexpr int kRunShift = 4;
constexpr int kLastCoefficient = kBlockSize - 1;

// Magnitude category: the number of bits of |value|.
int category(int value) { return std::bit_width(static_cast<unsigned>(std::abs(value))); }

// The category's bits of `value`: the value itself, or value - 1 when negative.
std::uint32_t magnitudeBits(int value, int size) {
    const int adjusted = value < 0 ? value - 1 : value;
    return static_cast<std::uint32_t>(adjusted) & ((1U << size) - 1U);
}

void putSymbol(const HuffmanTable& table, std::uint8_t symbol, int value, int size, BitWriter& bits) {
    const HuffmanCode& code = table[symbol];
    bits.put((static_cast<std::uint32_t>(code.bits) << size) | magnitudeBits(value, size), code.length + size);
}

// Bit k is set when coefficient k is not zero.
std::uint64_t nonZeroMask(const CoefficientBlock& block) {
#ifdef __SSE2__
    constexpr int kLanes = 8;
    const __m128i zero = _mm_setzero_si128();
    std::uint64_t mask = 0;
    for (int k = 0; k < kBlockSize; k += 2 * kLanes) {
        const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(block.data() + k));
        const __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i*>(block.data() + k + kLanes));
        // Equal-to-zero lanes become 0xFFFF, packed to one byte each.
        const __m128i isZero = _mm_packs_epi16(_mm_cmpeq_epi16(low, zero), _mm_cmpeq_epi16(high, zero));
        const auto zeros = static_cast<std::uint64_t>(static_cast<std::uint16_t>(_mm_movemask_epi8(isZero)));
        mask |= (~zeros & 0xFFFFU) << k;
    }
    return mask;
#else
    std::uint64_t mask = 0;
    for (int k = 0; k < kBlockSize; ++k)
        mask |= static_cast<std::uint64_t>(block[k] != 0) << k;
    return mask;
#endif
}

} // namespace

void encodeBlock(const CoefficientBlock& block, ComponentCoder& coder, BitWriter& bits) {
    const int difference = block[0] - coder.previousDc;
    coder.previousDc = block[0];
    const int dcSize = category(difference);
    putSymbol(coder.dc, static_cast<std::uint8_t>(dcSize), difference, dcSize, bits);

    // Visit the non-zero AC coefficients only; the zeros between them are runs.
    std::uint64_t remaining = nonZeroMask(block) & ~std::uint64_t{1};
    int last = 0;
    while (remaining != 0) {
        const int k = std::countr_zero(remaining);
        remaining &= remaining - 1;
        int run = k - last - 1;
        for (; run >= kZeroRunLength; run -= kZeroRunLength)
            putSymbol(coder.ac, kZeroRun, 0, 0, bits);
        const int value = block[k];
        const int size = category(value);
        putSymbol(coder.ac, static_cast<std::uint8_t>((run << kRunShift) | size), value, size, bits);
        last = k;
    }
    if (last != kLastCoefficient)
        putSymbol(coder.ac, kEndOfBlock, 0, 0, bits);
}

} // namespace kyvo::imaging
