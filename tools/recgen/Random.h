#pragma once
// A small seeded generator (SplitMix64) with the few draws the simulation
// needs. The standard distributions differ between library implementations;
// this one gives the same drive for the same seed everywhere.

#include <cstdint>

namespace kyvo::recgen {

class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}

    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }

    // Uniform in [0, 1).
    double unit() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }
    double uniform(double low, double high) { return low + (high - low) * unit(); }
    bool chance(double probability) { return unit() < probability; }
    double sign() { return chance(0.5) ? 1.0 : -1.0; }

private:
    std::uint64_t state_;
};

}  // namespace kyvo::recgen
