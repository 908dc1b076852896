// The fixed tables against the standard's own, and the code lookups built
// from them.
#include "HuffmanTable.h"
#include "JpegTables.h"
#include "TransformKernels.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace kyvo::imaging {
namespace {

// The standard's example tables in natural (row-major) order.
constexpr QuantTable kStandardLuminance = {
    16, 11, 10, 16, 24,  40,  51,  61,  12, 12, 14, 19, 26,  58,  60,  55,  //
    14, 13, 16, 24, 40,  57,  69,  56,  14, 17, 22, 29, 51,  87,  80,  62,  //
    18, 22, 37, 56, 68,  109, 103, 77,  24, 35, 55, 64, 81,  104, 113, 92,  //
    49, 64, 78, 87, 103, 121, 120, 101, 72, 92, 95, 98, 112, 100, 103, 99,
};
constexpr QuantTable kStandardChrominance = {
    17, 18, 24, 47, 99, 99, 99, 99, 18, 21, 26, 66, 99, 99, 99, 99, //
    24, 26, 56, 99, 99, 99, 99, 99, 47, 66, 99, 99, 99, 99, 99, 99, //
    99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, //
    99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99,
};

QuantTable inZigzagOrder(const QuantTable& natural) {
    QuantTable zigzag{};
    for (int i = 0; i < kBlockSize; ++i)
        zigzag[i] = natural[kZigzagToNatural[i]];
    return zigzag;
}

TEST(JpegTablesTest, ZigzagWalksTheAntiDiagonalsAlternately) {
    std::set<int> seen(kZigzagToNatural.begin(), kZigzagToNatural.end());
    EXPECT_EQ(seen.size(), 64U);
    for (int i = 1; i < kBlockSize; ++i) {
        const int row = kZigzagToNatural[i] / 8, column = kZigzagToNatural[i] % 8;
        const int previousRow = kZigzagToNatural[i - 1] / 8, previousColumn = kZigzagToNatural[i - 1] % 8;
        const int diagonal = row + column, previousDiagonal = previousRow + previousColumn;
        ASSERT_TRUE(diagonal == previousDiagonal || diagonal == previousDiagonal + 1) << "position " << i;
        if (diagonal == previousDiagonal) { // odd diagonals run down-left, even ones up-right
            EXPECT_EQ(row - previousRow, diagonal % 2 == 1 ? 1 : -1) << "position " << i;
        }
    }
}

TEST(JpegTablesTest, QuantTablesAreTheStandardOnesWithThreeLuminanceEntriesChanged) {
    QuantTable expected = inZigzagOrder(kStandardLuminance);
    EXPECT_EQ(expected[22], 35);
    EXPECT_EQ(expected[42], 55);
    EXPECT_EQ(expected[43], 56);
    expected[22] = 36;
    expected[42] = 66;
    expected[43] = 57;
    EXPECT_EQ(kLuminanceQuant, expected);
    EXPECT_EQ(kChrominanceQuant, inZigzagOrder(kStandardChrominance));
}

TEST(JpegTablesTest, HuffmanSymbolSetsAreComplete) {
    std::set<std::uint8_t> acSymbols = {0x00, 0xF0};
    for (int run = 0; run < 16; ++run) {
        for (int size = 1; size <= 10; ++size)
            acSymbols.insert(static_cast<std::uint8_t>(run << 4 | size));
    }
    const std::set<std::uint8_t> dcSymbols = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
    for (const HuffmanDefinition* definition : {&kDcLuminance, &kAcLuminance, &kDcChrominance, &kAcChrominance}) {
        const bool ac = (definition->classAndId & 0x10) != 0;
        const std::set<std::uint8_t> symbols(definition->symbols.begin(), definition->symbols.end());
        EXPECT_EQ(symbols.size(), definition->symbols.size()) << "duplicate symbol";
        EXPECT_EQ(symbols, ac ? acSymbols : dcSymbols);
        int counted = 0;
        for (std::uint8_t count : definition->counts)
            counted += count;
        EXPECT_EQ(counted, static_cast<int>(definition->symbols.size()));
    }
}

TEST(JpegTablesTest, GeneratedCodesArePrefixFreeAndMatchKnownEntries) {
    for (const HuffmanDefinition* definition : {&kDcLuminance, &kAcLuminance, &kDcChrominance, &kAcChrominance}) {
        const HuffmanTable table(*definition);
        std::vector<HuffmanCode> codes;
        for (std::uint8_t symbol : definition->symbols)
            codes.push_back(table[symbol]);
        for (const HuffmanCode& a : codes) {
            ASSERT_GT(a.length, 0);
            EXPECT_NE(a.bits, (1U << a.length) - 1U) << "an all-ones code";
            for (const HuffmanCode& b : codes) {
                if (&a == &b || a.length > b.length)
                    continue;
                EXPECT_NE(b.bits >> (b.length - a.length), a.bits) << "a code is the prefix of another";
            }
        }
    }
    const auto code = [](const HuffmanDefinition& definition, std::uint8_t symbol) {
        const HuffmanCode c = HuffmanTable(definition)[symbol];
        return std::make_pair(static_cast<int>(c.bits), static_cast<int>(c.length));
    };
    EXPECT_EQ(code(kDcLuminance, 0), std::make_pair(0b00, 2));
    EXPECT_EQ(code(kDcLuminance, 11), std::make_pair(0b111111110, 9));
    EXPECT_EQ(code(kAcLuminance, 0x00), std::make_pair(0b1010, 4));
    EXPECT_EQ(code(kAcLuminance, 0xF0), std::make_pair(0b11111111001, 11));
    EXPECT_EQ(code(kAcLuminance, 0x01), std::make_pair(0b00, 2));
    EXPECT_EQ(code(kDcChrominance, 0), std::make_pair(0b00, 2));
    EXPECT_EQ(code(kAcChrominance, 0x00), std::make_pair(0b00, 2));
    EXPECT_EQ(code(kAcChrominance, 0xF0), std::make_pair(0b1111111010, 10));
}

TEST(JpegTablesTest, ReciprocalQuantisationIsTruncatingDivision) {
    for (int divisor = 1; divisor <= 255; ++divisor) {
        const float reciprocal = quantReciprocal(divisor);
        for (int c = -4 * kMaxCoefficient; c <= 4 * kMaxCoefficient; ++c) {
            const int quotient = static_cast<int>(static_cast<float>(c) * reciprocal);
            ASSERT_EQ(quotient, c / divisor) << c << " / " << divisor;
        }
    }
}

} // namespace
} // namespace kyvo::imaging
