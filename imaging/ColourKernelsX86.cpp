#include "ColourKernels.h"

#ifdef KYVO_IMAGING_X86_COLOUR

#include <immintrin.h>

namespace kyvo::imaging {

namespace {

#define KYVO_AVX2 __attribute__((target("avx2")))

constexpr int kGroupPixels = kBlockSide;
constexpr int kHeadBytes = 16; // the first load of a group; the other 8 bytes follow

// The sample of one component for eight pixels, as colour::toSample does it.
KYVO_AVX2 __m256 toSamples(__m256 value) {
    const __m256 limited =
        _mm256_min_ps(_mm256_max_ps(value, _mm256_setzero_ps()), _mm256_set1_ps(colour::kSampleMax));
    return _mm256_sub_ps(_mm256_cvtepi32_ps(_mm256_cvttps_epi32(limited)), _mm256_set1_ps(colour::kLevelShift));
}

// One channel of eight packed pixels: `headPick` takes its bytes from the
// first 16, `tailPick` from the last 8 (-1 leaves a zero to be filled by the
// other).
KYVO_AVX2 __m256 channel(__m128i head, __m128i tail, __m128i headPick, __m128i tailPick) {
    const __m128i bytes = _mm_or_si128(_mm_shuffle_epi8(head, headPick), _mm_shuffle_epi8(tail, tailPick));
    return _mm256_cvtepi32_ps(_mm256_cvtepu8_epi32(bytes));
}

KYVO_AVX2 __m256 times(float factor, __m256 value) { return _mm256_mul_ps(_mm256_set1_ps(factor), value); }

// Y, Cb and Cr samples of eight pixels from their channels.
KYVO_AVX2 void convertChannels(__m256 r, __m256 g, __m256 b, float* y, float* cb, float* cr) {
    using namespace colour;
    const __m256 offset = _mm256_set1_ps(kChromaOffset);
    const __m256 luma = _mm256_add_ps(_mm256_add_ps(times(kYRed, r), times(kYGreen, g)), times(kYBlue, b));
    const __m256 blueDifference =
        _mm256_add_ps(_mm256_add_ps(_mm256_sub_ps(times(kCbRed, r), times(kCbGreen, g)), times(kCbBlue, b)), offset);
    const __m256 redDifference =
        _mm256_add_ps(_mm256_sub_ps(_mm256_sub_ps(times(kCrRed, r), times(kCrGreen, g)), times(kCrBlue, b)), offset);
    _mm256_storeu_ps(y, toSamples(luma));
    _mm256_storeu_ps(cb, toSamples(blueDifference));
    _mm256_storeu_ps(cr, toSamples(redDifference));
}

// Eight packed three-byte pixels (24 bytes).
KYVO_AVX2 void convertGroup(const std::uint8_t* pixels, bool redFirst, float* y, float* cb, float* cr) {
    const __m128i head = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pixels));
    const __m128i tail = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(pixels + kHeadBytes));
    // The bytes of the first and the last channel; which is red depends on the order.
    const __m256 first = channel(head, tail, _mm_setr_epi8(0, 3, 6, 9, 12, 15, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1),
                             _mm_setr_epi8(-1, -1, -1, -1, -1, -1, 2, 5, -1, -1, -1, -1, -1, -1, -1, -1));
    const __m256 g = channel(head, tail, _mm_setr_epi8(1, 4, 7, 10, 13, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1),
                             _mm_setr_epi8(-1, -1, -1, -1, -1, 0, 3, 6, -1, -1, -1, -1, -1, -1, -1, -1));
    const __m256 last = channel(head, tail, _mm_setr_epi8(2, 5, 8, 11, 14, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1),
                             _mm_setr_epi8(-1, -1, -1, -1, -1, 1, 4, 7, -1, -1, -1, -1, -1, -1, -1, -1));
    convertChannels(redFirst ? first : last, g, redFirst ? last : first, y, cb, cr);
}

// The low byte of each 32-bit lane as a float.
KYVO_AVX2 __m256 lowBytes(__m256i lanes) {
    return _mm256_cvtepi32_ps(_mm256_and_si256(lanes, _mm256_set1_epi32(0xFF)));
}

// Eight four-byte pixels (blue, green, red, unused; 32 bytes).
KYVO_AVX2 void convertWideGroup(const std::uint8_t* pixels, float* y, float* cb, float* cr) {
    const __m256i words = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(pixels));
    constexpr int kGreenShift = 8, kRedShift = 16;
    convertChannels(lowBytes(_mm256_srli_epi32(words, kRedShift)), lowBytes(_mm256_srli_epi32(words, kGreenShift)),
                    lowBytes(words), y, cb, cr);
}

} // namespace

KYVO_AVX2 void convertRowAvx2(const std::uint8_t* pixels, ChannelOrder order, int width, const SampleRow& out) {
    const bool redFirst = order == ChannelOrder::RedGreenBlue;
    const bool wide = order == ChannelOrder::BlueGreenRedUnused;
    const auto step = static_cast<std::size_t>(bytesPerPixel(order));
    int x = 0;
    for (; x + kGroupPixels <= width; x += kGroupPixels) {
        const std::size_t at = out.offset(x);
        const std::uint8_t* group = pixels + static_cast<std::size_t>(x) * step;
        if (wide)
            convertWideGroup(group, out.y + at, out.cb + at, out.cr + at);
        else
            convertGroup(group, redFirst, out.y + at, out.cb + at, out.cr + at);
    }
    convertPixels(pixels, order, x, width, out);
}

#undef KYVO_AVX2

} // namespace kyvo::imaging

#endif
