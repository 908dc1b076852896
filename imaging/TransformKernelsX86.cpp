#include "TransformKernels.h"

#ifdef KYVO_IMAGING_X86_KERNELS

#include <immintrin.h>

#include <algorithm>

namespace kyvo::imaging {

namespace {

constexpr int kSseLanes = 4;
constexpr int kAvxLanes = 8;
constexpr int kHalf = kBlockSize / 2;
constexpr std::size_t kQuad = 4;
constexpr int kQuadOutputs = 2 * kAvxLanes;

// --- SSE2: one block at a time, 32 outputs per pass in eight registers. ---

// out[0..7] from two vectors of sums.
void finishSse2(__m128 low, __m128 high, const float* scale, const float* reciprocals, std::int16_t* out) {
    const auto quantise = [&](__m128 sums, int offset) {
        const __m128 coefficient =
            _mm_cvtepi32_ps(_mm_cvttps_epi32(_mm_mul_ps(_mm_load_ps(scale + offset), sums)));
        return _mm_cvttps_epi32(_mm_mul_ps(coefficient, _mm_load_ps(reciprocals + offset)));
    };
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_packs_epi32(quantise(low, 0), quantise(high, kSseLanes)));
}

void halfBlockSse2(const float* samples, const TransformConstants& constants, int first, const float* reciprocals,
                   std::int16_t* out) {
    __m128 a0 = _mm_setzero_ps(), a1 = a0, a2 = a0, a3 = a0, a4 = a0, a5 = a0, a6 = a0, a7 = a0;
    for (int k = 0; k < kBlockSize; ++k) {
        const __m128 s = _mm_set1_ps(samples[k]);
        const float* column = constants.basis[k] + first;
        a0 = _mm_add_ps(a0, _mm_mul_ps(s, _mm_load_ps(column + 0 * kSseLanes)));
        a1 = _mm_add_ps(a1, _mm_mul_ps(s, _mm_load_ps(column + 1 * kSseLanes)));
        a2 = _mm_add_ps(a2, _mm_mul_ps(s, _mm_load_ps(column + 2 * kSseLanes)));
        a3 = _mm_add_ps(a3, _mm_mul_ps(s, _mm_load_ps(column + 3 * kSseLanes)));
        a4 = _mm_add_ps(a4, _mm_mul_ps(s, _mm_load_ps(column + 4 * kSseLanes)));
        a5 = _mm_add_ps(a5, _mm_mul_ps(s, _mm_load_ps(column + 5 * kSseLanes)));
        a6 = _mm_add_ps(a6, _mm_mul_ps(s, _mm_load_ps(column + 6 * kSseLanes)));
        a7 = _mm_add_ps(a7, _mm_mul_ps(s, _mm_load_ps(column + 7 * kSseLanes)));
    }
    const float* scale = constants.scale + first;
    const float* reciprocal = reciprocals + first;
    finishSse2(a0, a1, scale, reciprocal, out + first);
    finishSse2(a2, a3, scale + 2 * kSseLanes, reciprocal + 2 * kSseLanes, out + first + 2 * kSseLanes);
    finishSse2(a4, a5, scale + 4 * kSseLanes, reciprocal + 4 * kSseLanes, out + first + 4 * kSseLanes);
    finishSse2(a6, a7, scale + 6 * kSseLanes, reciprocal + 6 * kSseLanes, out + first + 6 * kSseLanes);
}

// --- AVX2: four blocks at a time share each load of the products. ---

#define KYVO_AVX2 __attribute__((target("avx2")))

KYVO_AVX2 void finishAvx2(__m256 sums, const float* scale, const float* reciprocals, std::int16_t* out) {
    const __m256 coefficient = _mm256_cvtepi32_ps(_mm256_cvttps_epi32(_mm256_mul_ps(_mm256_load_ps(scale), sums)));
    const __m256i quotient = _mm256_cvttps_epi32(_mm256_mul_ps(coefficient, _mm256_load_ps(reciprocals)));
    const __m128i packed = _mm_packs_epi32(_mm256_castsi256_si128(quotient), _mm256_extractf128_si256(quotient, 1));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), packed);
}

// Outputs [outputs, outputs + 16) of four consecutive blocks: each vector of
// products is loaded once and used four times.
KYVO_AVX2 void quadPassAvx2(const float* samples, const TransformConstants& constants, int outputs,
                            const float* reciprocals, std::int16_t* out) {
    __m256 a0 = _mm256_setzero_ps(), a1 = a0, b0 = a0, b1 = a0, c0 = a0, c1 = a0, d0 = a0, d1 = a0;
    for (int k = 0; k < kBlockSize; ++k) {
        const float* column = constants.basis[k] + outputs;
        const __m256 p0 = _mm256_load_ps(column);
        const __m256 p1 = _mm256_load_ps(column + kAvxLanes);
        const __m256 s0 = _mm256_broadcast_ss(samples + k);
        a0 = _mm256_add_ps(a0, _mm256_mul_ps(s0, p0));
        a1 = _mm256_add_ps(a1, _mm256_mul_ps(s0, p1));
        const __m256 s1 = _mm256_broadcast_ss(samples + kBlockSize + k);
        b0 = _mm256_add_ps(b0, _mm256_mul_ps(s1, p0));
        b1 = _mm256_add_ps(b1, _mm256_mul_ps(s1, p1));
        const __m256 s2 = _mm256_broadcast_ss(samples + 2 * kBlockSize + k);
        c0 = _mm256_add_ps(c0, _mm256_mul_ps(s2, p0));
        c1 = _mm256_add_ps(c1, _mm256_mul_ps(s2, p1));
        const __m256 s3 = _mm256_broadcast_ss(samples + 3 * kBlockSize + k);
        d0 = _mm256_add_ps(d0, _mm256_mul_ps(s3, p0));
        d1 = _mm256_add_ps(d1, _mm256_mul_ps(s3, p1));
    }
    const float* scale = constants.scale + outputs;
    const float* reciprocal = reciprocals + outputs;
    std::int16_t* at = out + outputs;
    finishAvx2(a0, scale, reciprocal, at);
    finishAvx2(a1, scale + kAvxLanes, reciprocal + kAvxLanes, at + kAvxLanes);
    finishAvx2(b0, scale, reciprocal, at + kBlockSize);
    finishAvx2(b1, scale + kAvxLanes, reciprocal + kAvxLanes, at + kBlockSize + kAvxLanes);
    finishAvx2(c0, scale, reciprocal, at + 2 * kBlockSize);
    finishAvx2(c1, scale + kAvxLanes, reciprocal + kAvxLanes, at + 2 * kBlockSize + kAvxLanes);
    finishAvx2(d0, scale, reciprocal, at + 3 * kBlockSize);
    finishAvx2(d1, scale + kAvxLanes, reciprocal + kAvxLanes, at + 3 * kBlockSize + kAvxLanes);
}

} // namespace

void transformSse2(const float* samples, std::size_t blocks, const TransformConstants& constants,
                   const float* reciprocals, std::int16_t* out) {
    for (std::size_t b = 0; b < blocks; ++b, samples += kBlockSize, out += kBlockSize) {
        halfBlockSse2(samples, constants, 0, reciprocals, out);
        halfBlockSse2(samples, constants, kHalf, reciprocals, out);
    }
}

KYVO_AVX2 void transformAvx2(const float* samples, std::size_t blocks, const TransformConstants& constants,
                             const float* reciprocals, std::int16_t* out) {
    std::size_t b = 0;
    for (; b + kQuad <= blocks; b += kQuad, samples += kQuad * kBlockSize, out += kQuad * kBlockSize) {
        for (int outputs = 0; outputs < kBlockSize; outputs += kQuadOutputs)
            quadPassAvx2(samples, constants, outputs, reciprocals, out);
    }
    if (b == blocks)
        return;
    // The last one to three blocks go through a zero-filled set of four.
    const std::size_t left = blocks - b;
    alignas(32) float spareSamples[kQuad * kBlockSize] = {};
    alignas(32) std::int16_t spareOut[kQuad * kBlockSize];
    std::copy_n(samples, left * kBlockSize, spareSamples);
    for (int outputs = 0; outputs < kBlockSize; outputs += kQuadOutputs)
        quadPassAvx2(spareSamples, constants, outputs, reciprocals, spareOut);
    std::copy_n(spareOut, left * kBlockSize, out);
}

#undef KYVO_AVX2

} // namespace kyvo::imaging

#endif
