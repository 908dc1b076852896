#pragma once
// A small, seeded xorshift generator for the fuzz replay tests: the same seed
// gives the same mutations on every machine and every run.

#include <cstddef>
#include <cstdint>

namespace kyvo::test {

class XorShiftRandom {
public:
    explicit XorShiftRandom(std::uint64_t seed) : state_(seed * 0x9E3779B97F4A7C15ull + 1) {}
    std::uint64_t next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 7;
        state_ ^= state_ << 17;
        return state_;
    }
    // A number in 0..n-1 (0 for n 0).
    std::size_t below(std::size_t n) { return n ? static_cast<std::size_t>(next() % n) : 0; }

private:
    std::uint64_t state_;
};

} // namespace kyvo::test
