#pragma once
// The 56-byte system-settings block shared by the viewer, the settings popup
// and the card file. Little-endian, packed, in this field order:
//
//   0  level          int32    five-step level 0..4
//   4  carried value  int32    copied to the card file without interpretation
//   8  speed unit     int32    0 = km/h, 1 = mph, 2 = knots
//  12  use password   int32    1 = the viewer asks the password at start-up
//  16  password       char[5]  four ASCII digits + NUL, empty when never set
//  21  text           char[24] NUL-terminated; set to "0" before every card write
//  45  marker A       uint8    always 5
//  46  marker B       uint8    always 1
//  47  tail           9 bytes  zero, except the last word (byte 52) = the key
//
// The block is encoded and decoded field by field; the in-memory layout of
// this class has nothing to do with the byte layout.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace kyvo::settings {

enum SpeedUnit : std::int32_t {
    kSpeedUnitKmh = 0,
    kSpeedUnitMph = 1,
    kSpeedUnitKnots = 2,
};

class SystemSettings {
public:
    static constexpr std::size_t kSize = 56;

    static constexpr std::size_t kLevelOffset = 0;
    static constexpr std::size_t kCarriedValueOffset = 4;
    static constexpr std::size_t kSpeedUnitOffset = 8;
    static constexpr std::size_t kUsePasswordOffset = 12;
    static constexpr std::size_t kPasswordOffset = 16;
    static constexpr std::size_t kPasswordCapacity = 5;   // four digits + NUL
    static constexpr std::size_t kPasswordMaxLength = kPasswordCapacity - 1;
    static constexpr std::size_t kTextOffset = 21;
    static constexpr std::size_t kTextCapacity = 24;
    static constexpr std::size_t kTextMaxLength = kTextCapacity - 1;
    static constexpr std::size_t kMarkerAOffset = 45;
    static constexpr std::size_t kMarkerBOffset = 46;
    static constexpr std::size_t kTailOffset = 47;
    static constexpr std::size_t kKeyOffset = 52;
    static constexpr std::size_t kReservedSize = kKeyOffset - kTailOffset;

    static constexpr std::uint8_t kMarkerAValue = 5;
    static constexpr std::uint8_t kMarkerBValue = 1;

    // Values used when the configuration holds nothing yet.
    static constexpr std::int32_t kDefaultLevel = 2;
    static constexpr std::int32_t kDefaultCarriedValue = 21;
    static constexpr std::int32_t kDefaultSpeedUnit = kSpeedUnitKmh;
    static constexpr std::int32_t kDefaultUsePassword = 0;

    using Bytes = std::array<std::uint8_t, kSize>;
    using PasswordBuffer = std::array<char, kPasswordCapacity>;
    using TextBuffer = std::array<char, kTextCapacity>;

    // A zeroed block (every field 0 or empty, markers 0).
    SystemSettings() = default;

    // Level 2, carried value 21, km/h, no password, markers 5 and 1.
    static SystemSettings defaults();

    // Decodes a block; bytes missing from a short input count as zero, bytes
    // beyond kSize are ignored. Every byte is kept, so toBytes() gives them back.
    static SystemSettings fromBytes(std::span<const std::uint8_t> bytes);
    Bytes toBytes() const;

    std::int32_t level() const { return level_; }
    void setLevel(std::int32_t value) { level_ = value; }
    std::int32_t carriedValue() const { return carriedValue_; }
    void setCarriedValue(std::int32_t value) { carriedValue_ = value; }
    std::int32_t speedUnit() const { return speedUnit_; }
    void setSpeedUnit(std::int32_t value) { speedUnit_ = value; }
    std::int32_t usePassword() const { return usePassword_; }
    void setUsePassword(std::int32_t value) { usePassword_ = value; }

    // The password up to its NUL (at most four characters).
    std::string_view password() const;
    // Stores at most four characters, the rest of the buffer zero.
    void setPassword(std::string_view value);
    const PasswordBuffer& passwordBuffer() const { return password_; }

    // The text up to its NUL (at most 23 bytes).
    std::string_view text() const;
    // Stores at most 23 bytes (never half a UTF-8 character), the rest zero.
    void setText(std::string_view value);
    const TextBuffer& textBuffer() const { return text_; }

    std::uint8_t markerA() const { return markerA_; }
    void setMarkerA(std::uint8_t value) { markerA_ = value; }
    std::uint8_t markerB() const { return markerB_; }
    void setMarkerB(std::uint8_t value) { markerB_ = value; }

    // The block's last 32-bit word (bytes 52..55).
    std::int32_t key() const { return key_; }
    void setKey(std::int32_t value) { key_ = value; }

    bool operator==(const SystemSettings&) const = default;

private:
    std::int32_t level_ = 0;
    std::int32_t carriedValue_ = 0;
    std::int32_t speedUnit_ = 0;
    std::int32_t usePassword_ = 0;
    PasswordBuffer password_{};
    TextBuffer text_{};
    std::uint8_t markerA_ = 0;
    std::uint8_t markerB_ = 0;
    std::array<std::uint8_t, kReservedSize> reserved_{};  // tail bytes 47..51, kept as read
    std::int32_t key_ = 0;
};

static_assert(SystemSettings::kPasswordOffset + SystemSettings::kPasswordCapacity ==
              SystemSettings::kTextOffset);
static_assert(SystemSettings::kTextOffset + SystemSettings::kTextCapacity ==
              SystemSettings::kMarkerAOffset);
static_assert(SystemSettings::kMarkerBOffset + 1 == SystemSettings::kTailOffset);
static_assert(SystemSettings::kKeyOffset + 4 == SystemSettings::kSize);

} // namespace kyvo::settings
