#include "TransformKernels.h"

#ifdef KYVO_IMAGING_X86_KERNELS

#include <immintrin.h>


namespace kyvo::imaging {

namespace {

constexpr int kSseLanes = 4;

// --- SSE2: the eight frequencies u in two halves of four. ---

// The quantised coefficients of four outputs from their sums.
__m128i quantiseSse2(__m128 sums, const float* scale, const float* reciprocals) {
    const __m128 coefficient = _mm_cvtepi32_ps(_mm_cvttps_epi32(_mm_mul_ps(_mm_load_ps(scale), sums)));
    return _mm_cvttps_epi32(_mm_mul_ps(coefficient, _mm_load_ps(reciprocals)));
}

void blockSse2(const float* samples, const TransformConstants& constants, const float* reciprocals,
               std::int16_t* out) {
    __m128 low[kBlockSide], high[kBlockSide];
    for (int y = 0; y < kBlockSide; ++y) {
        __m128 sumLow = _mm_setzero_ps(), sumHigh = sumLow;
        for (int x = 0; x < kBlockSide; ++x) {
            const __m128 sample = _mm_set1_ps(samples[y * kBlockSide + x]);
            sumLow = _mm_add_ps(sumLow, _mm_mul_ps(sample, _mm_load_ps(constants.cosine[x])));
            sumHigh = _mm_add_ps(sumHigh, _mm_mul_ps(sample, _mm_load_ps(constants.cosine[x] + kSseLanes)));
        }
        low[y] = sumLow;
        high[y] = sumHigh;
    }
    alignas(16) std::int16_t natural[kBlockSize];
    for (int v = 0; v < kBlockSide; ++v) {
        __m128 sumLow = _mm_setzero_ps(), sumHigh = sumLow;
        for (int y = 0; y < kBlockSide; ++y) {
            const __m128 factor = _mm_set1_ps(constants.cosine[y][v]);
            sumLow = _mm_add_ps(sumLow, _mm_mul_ps(low[y], factor));
            sumHigh = _mm_add_ps(sumHigh, _mm_mul_ps(high[y], factor));
        }
        const int at = v * kBlockSide;
        const __m128i packed =
            _mm_packs_epi32(quantiseSse2(sumLow, constants.scale + at, reciprocals + at),
                            quantiseSse2(sumHigh, constants.scale + at + kSseLanes, reciprocals + at + kSseLanes));
        _mm_store_si128(reinterpret_cast<__m128i*>(natural + at), packed);
    }
    toZigzag(natural, out);
}

// --- AVX2: the eight frequencies u in one vector. ---

#define KYVO_AVX2 __attribute__((target("avx2")))

// The loops run x (and y) outermost so that eight sums are built side by side
// in registers; each sum still adds its terms in ascending order.
constexpr int kColumnGroup = 4; // outputs v built at once in the column pass

KYVO_AVX2 void blockAvx2(const float* samples, const TransformConstants& constants, const float* reciprocals,
                         std::int16_t* out) {
    __m256 rows[kBlockSide];
#pragma GCC unroll 8
    for (int y = 0; y < kBlockSide; ++y)
        rows[y] = _mm256_setzero_ps();
#pragma GCC unroll 8
    for (int x = 0; x < kBlockSide; ++x) {
        const __m256 cosine = _mm256_load_ps(constants.cosine[x]);
#pragma GCC unroll 8
        for (int y = 0; y < kBlockSide; ++y)
            rows[y] = _mm256_add_ps(rows[y], _mm256_mul_ps(_mm256_broadcast_ss(samples + y * kBlockSide + x), cosine));
    }
    alignas(16) std::int16_t natural[kBlockSize];
#pragma GCC unroll 2
    for (int first = 0; first < kBlockSide; first += kColumnGroup) {
        __m256 sums[kColumnGroup];
#pragma GCC unroll 4
        for (int v = 0; v < kColumnGroup; ++v)
            sums[v] = _mm256_setzero_ps();
#pragma GCC unroll 8
        for (int y = 0; y < kBlockSide; ++y) {
#pragma GCC unroll 4
            for (int v = 0; v < kColumnGroup; ++v)
                sums[v] = _mm256_add_ps(sums[v],
                                        _mm256_mul_ps(rows[y], _mm256_broadcast_ss(&constants.cosine[y][first + v])));
        }
#pragma GCC unroll 4
        for (int v = 0; v < kColumnGroup; ++v) {
            const int at = (first + v) * kBlockSide;
            const __m256 coefficient = _mm256_cvtepi32_ps(
                _mm256_cvttps_epi32(_mm256_mul_ps(_mm256_load_ps(constants.scale + at), sums[v])));
            const __m256i quotient =
                _mm256_cvttps_epi32(_mm256_mul_ps(coefficient, _mm256_load_ps(reciprocals + at)));
            const __m128i packed =
                _mm_packs_epi32(_mm256_castsi256_si128(quotient), _mm256_extractf128_si256(quotient, 1));
            _mm_store_si128(reinterpret_cast<__m128i*>(natural + at), packed);
        }
    }
    toZigzag(natural, out);
}

} // namespace

void transformSse2(const float* samples, std::size_t blocks, const TransformConstants& constants,
                   const float* reciprocals, std::int16_t* out) {
    for (std::size_t b = 0; b < blocks; ++b, samples += kBlockSize, out += kBlockSize)
        blockSse2(samples, constants, reciprocals, out);
}

KYVO_AVX2 void transformAvx2(const float* samples, std::size_t blocks, const TransformConstants& constants,
                             const float* reciprocals, std::int16_t* out) {
    for (std::size_t b = 0; b < blocks; ++b, samples += kBlockSize, out += kBlockSize)
        blockAvx2(samples, constants, reciprocals, out);
}

#undef KYVO_AVX2

} // namespace kyvo::imaging

#endif
