#include "SimdLevel.h"

namespace kyvo::imaging {

SimdLevel bestSimdLevel() {
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
    static const SimdLevel level = __builtin_cpu_supports("avx2") ? SimdLevel::Avx2 : SimdLevel::Sse2;
    return level;
#else
    return SimdLevel::Portable;
#endif
}

std::vector<SimdLevel> supportedSimdLevels() {
    std::vector<SimdLevel> levels;
    for (SimdLevel level : {SimdLevel::Portable, SimdLevel::Sse2, SimdLevel::Avx2}) {
        if (level <= bestSimdLevel())
            levels.push_back(level);
    }
    return levels;
}

const char* simdLevelName(SimdLevel level) {
    switch (level) {
    case SimdLevel::Portable:
        return "portable";
    case SimdLevel::Sse2:
        return "sse2";
    case SimdLevel::Avx2:
        return "avx2";
    }
    return "?";
}

} // namespace kyvo::imaging
