// Bit packing, stuffing after 0xFF and the zero padding of the last byte,
// against a plain bit-string model.
#include "BitWriter.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace kyvo::imaging {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes written(const std::vector<std::pair<std::uint32_t, int>>& puts, std::size_t expected = 1) {
    BitWriter bits(expected);
    for (const auto& [value, length] : puts)
        bits.put(value, length);
    Bytes out = {0xAB}; // bytes already in the stream stay in front
    bits.finishInto(out);
    return out;
}

TEST(BitWriterTest, StuffsAfterMarkerBytesAndPadsWithZeros) {
    EXPECT_EQ(written({{0b101, 3}}), (Bytes{0xAB, 0xA0}));
    EXPECT_EQ(written({{0xFF, 8}}), (Bytes{0xAB, 0xFF, 0x00}));
    EXPECT_EQ(written({{0xFFFFFFFFU, 32}}), (Bytes{0xAB, 0xFF, 0, 0xFF, 0, 0xFF, 0, 0xFF, 0}));
    EXPECT_EQ(written({{0x7F, 7}, {1, 1}, {0xFE, 8}}), (Bytes{0xAB, 0xFF, 0x00, 0xFE}));
    // A 0xFF that only forms in the padded last byte is stuffed too.
    EXPECT_EQ(written({{0x7F, 7}}), (Bytes{0xAB, 0xFE}));
    EXPECT_EQ(written({}), (Bytes{0xAB}));
}

TEST(BitWriterTest, RandomPutsMatchABitStringModel) {
    std::mt19937 random(7);
    std::vector<std::pair<std::uint32_t, int>> puts;
    std::string model;
    for (int i = 0; i < 20000; ++i) {
        const int length = static_cast<int>(random() % BitWriter::kMaxPut) + 1;
        // Runs of ones make 0xFF bytes common.
        const std::uint32_t value =
            (random() % 3 == 0 ? 0xFFFFFFFFU : static_cast<std::uint32_t>(random())) &
            (length == 32 ? 0xFFFFFFFFU : (1U << length) - 1U);
        puts.emplace_back(value, length);
        for (int bit = length - 1; bit >= 0; --bit)
            model += ((value >> bit) & 1U) != 0 ? '1' : '0';
    }
    model.append((8 - model.size() % 8) % 8, '0');
    Bytes expected = {0xAB};
    for (std::size_t at = 0; at < model.size(); at += 8) {
        const auto byte = static_cast<std::uint8_t>(std::stoi(model.substr(at, 8), nullptr, 2));
        expected.push_back(byte);
        if (byte == 0xFF)
            expected.push_back(0x00);
    }
    // A tiny first buffer makes the writer grow many times on the way.
    EXPECT_EQ(written(puts, 16), expected);
}

} // namespace
} // namespace kyvo::imaging
