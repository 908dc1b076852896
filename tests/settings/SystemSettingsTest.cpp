// The block bytes, the level slider mapping and the card record.
#include "CardSettingsRecord.h"
#include "LevelPosition.h"
#include "SystemSettings.h"

#include <gtest/gtest.h>

#include <vector>

namespace kyvo::settings {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes padded(Bytes head, std::size_t size) {
    head.resize(size, 0);
    return head;
}

Bytes toVector(const auto& array) { return Bytes(array.begin(), array.end()); }

TEST(SystemSettingsTest, EncodesEveryFieldAtItsOffsetLittleEndian) {
    SystemSettings block = SystemSettings::defaults();
    block.setLevel(-2);
    block.setCarriedValue(0x12345678);
    block.setSpeedUnit(kSpeedUnitKnots);
    block.setUsePassword(1);
    block.setPassword("4821");
    block.setText("abc");
    block.setKey(0x0A0B0C0D);

    Bytes expected = padded({0xFE, 0xFF, 0xFF, 0xFF, 0x78, 0x56, 0x34, 0x12, 2, 0, 0, 0, 1, 0, 0, 0,
                             '4', '8', '2', '1', 0, 'a', 'b', 'c'}, SystemSettings::kSize);
    expected[45] = 5;
    expected[46] = 1;
    const Bytes key{0x0D, 0x0C, 0x0B, 0x0A};
    std::copy(key.begin(), key.end(), expected.begin() + 52);
    EXPECT_EQ(toVector(block.toBytes()), expected);
    EXPECT_EQ(SystemSettings::fromBytes(block.toBytes()), block);
}

TEST(SystemSettingsTest, ShortAndForeignInput) {
    // Missing bytes read as zero.
    const SystemSettings shortBlock = SystemSettings::fromBytes(Bytes{3, 0, 0, 0, 21});
    EXPECT_EQ(shortBlock.level(), 3);
    EXPECT_EQ(shortBlock.carriedValue(), 21);
    EXPECT_EQ(shortBlock.key(), 0);

    // Every byte of a foreign block, unterminated texts included, survives.
    Bytes foreign(SystemSettings::kSize);
    for (std::size_t i = 0; i < foreign.size(); ++i)
        foreign[i] = static_cast<std::uint8_t>(0x80 + i);
    const SystemSettings block = SystemSettings::fromBytes(foreign);
    EXPECT_EQ(toVector(block.toBytes()), foreign);
    EXPECT_EQ(block.password().size(), 4U);
    EXPECT_EQ(block.text().size(), 23U);
}

TEST(SystemSettingsTest, SettersCutToTheirBuffers) {
    SystemSettings block;
    block.setPassword("123456");
    EXPECT_EQ(block.password(), "1234");
    block.setText(std::string(30, 'x'));
    EXPECT_EQ(block.text(), std::string(23, 'x'));
    // "é" (two bytes) would straddle byte 23: it is left out whole.
    block.setText(std::string(22, 'x') + "\xC3\xA9");
    EXPECT_EQ(block.text(), std::string(22, 'x'));
}

TEST(LevelPositionTest, LevelsAndPositionsMapBothWaysAndClamp) {
    const int positions[] = {21, 64, 107, 149, 192};
    for (int level = 0; level <= 4; ++level) {
        EXPECT_EQ(positionFromLevel(level), positions[level]) << level;
        EXPECT_EQ(levelFromPosition(positions[level]), level) << level;
    }
    EXPECT_EQ(levelFromPosition(0), 0);
    EXPECT_EQ(levelFromPosition(43), 1);
    EXPECT_EQ(levelFromPosition(213), 4);
    EXPECT_EQ(positionFromLevel(-3), 21);
    EXPECT_EQ(positionFromLevel(99), 192);
    EXPECT_EQ(levelFromPosition(5000), 4);
}

TEST(CardSettingsRecordTest, ExactBytesWithAndWithoutPassword) {
    SystemSettings block = SystemSettings::defaults();
    block.setLevel(0x0103);  // only the low byte goes to the card
    block.setSpeedUnit(kSpeedUnitMph);
    block.setUsePassword(1);
    block.setPassword("4821");
    block.setText("0");

    Bytes expected = padded({3, 21, 1, 1, '4', '8', '2', '1', 0, '0'}, kCardRecordSize);
    expected[33] = 5;
    expected[34] = 1;
    EXPECT_EQ(toVector(buildCardRecord(block)), expected);

    // Switched off: no digits on the card although the block keeps them.
    block.setUsePassword(0);
    expected[3] = 0;
    std::fill(expected.begin() + 4, expected.begin() + 8, 0);
    EXPECT_EQ(toVector(buildCardRecord(block)), expected);
}

} // namespace
} // namespace kyvo::settings
