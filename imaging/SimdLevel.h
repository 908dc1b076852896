#pragma once
// The instruction sets the encoder's inner loops are written for, and which
// of them this processor runs. Every level gives the same bytes: the vector
// loops keep the order of the single-precision operations of the plain ones.

#include <vector>

namespace kyvo::imaging {

enum class SimdLevel {
    Portable, // plain loops, any processor
    Sse2,     // x86-64 baseline
    Avx2,     // 256-bit vectors
};

// The fastest level this processor runs.
SimdLevel bestSimdLevel();

// Every level this processor runs, Portable first.
std::vector<SimdLevel> supportedSimdLevels();

const char* simdLevelName(SimdLevel level);

} // namespace kyvo::imaging
