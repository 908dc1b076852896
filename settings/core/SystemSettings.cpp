#include "SystemSettings.h"

#include "SettingsLittleEndian.h"
#include "TextLimits.h"

#include <algorithm>

namespace kyvo::settings {

namespace {

template <std::size_t N>
std::string_view upToNul(const std::array<char, N>& buffer, std::size_t maxLength) {
    const std::string_view all(buffer.data(), maxLength);
    return all.substr(0, all.find('\0'));
}

template <std::size_t N>
void storeCut(std::array<char, N>& buffer, std::string_view value) {
    buffer.fill('\0');
    std::copy(value.begin(), value.end(), buffer.begin());
}

template <std::size_t N>
void decodeChars(std::array<char, N>& buffer, std::span<const std::uint8_t> bytes,
                 std::size_t offset) {
    for (std::size_t i = 0; i < N; ++i) {
        const std::size_t at = offset + i;
        buffer[i] = at < bytes.size() ? static_cast<char>(bytes[at]) : '\0';
    }
}

template <std::size_t N>
void encodeChars(std::span<std::uint8_t> bytes, std::size_t offset,
                 const std::array<char, N>& buffer) {
    for (std::size_t i = 0; i < N; ++i)
        bytes[offset + i] = static_cast<std::uint8_t>(buffer[i]);
}

std::uint8_t byteAt(std::span<const std::uint8_t> bytes, std::size_t offset) {
    return offset < bytes.size() ? bytes[offset] : 0;
}

} // namespace

SystemSettings SystemSettings::defaults() {
    SystemSettings block;
    block.level_ = kDefaultLevel;
    block.carriedValue_ = kDefaultCarriedValue;
    block.speedUnit_ = kDefaultSpeedUnit;
    block.usePassword_ = kDefaultUsePassword;
    block.markerA_ = kMarkerAValue;
    block.markerB_ = kMarkerBValue;
    return block;
}

SystemSettings SystemSettings::fromBytes(std::span<const std::uint8_t> bytes) {
    SystemSettings block;
    block.level_ = readInt32Le(bytes, kLevelOffset);
    block.carriedValue_ = readInt32Le(bytes, kCarriedValueOffset);
    block.speedUnit_ = readInt32Le(bytes, kSpeedUnitOffset);
    block.usePassword_ = readInt32Le(bytes, kUsePasswordOffset);
    decodeChars(block.password_, bytes, kPasswordOffset);
    decodeChars(block.text_, bytes, kTextOffset);
    block.markerA_ = byteAt(bytes, kMarkerAOffset);
    block.markerB_ = byteAt(bytes, kMarkerBOffset);
    for (std::size_t i = 0; i < kReservedSize; ++i)
        block.reserved_[i] = byteAt(bytes, kTailOffset + i);
    block.key_ = readInt32Le(bytes, kKeyOffset);
    return block;
}

SystemSettings::Bytes SystemSettings::toBytes() const {
    Bytes bytes{};
    writeInt32Le(bytes, kLevelOffset, level_);
    writeInt32Le(bytes, kCarriedValueOffset, carriedValue_);
    writeInt32Le(bytes, kSpeedUnitOffset, speedUnit_);
    writeInt32Le(bytes, kUsePasswordOffset, usePassword_);
    encodeChars(bytes, kPasswordOffset, password_);
    encodeChars(bytes, kTextOffset, text_);
    bytes[kMarkerAOffset] = markerA_;
    bytes[kMarkerBOffset] = markerB_;
    for (std::size_t i = 0; i < kReservedSize; ++i)
        bytes[kTailOffset + i] = reserved_[i];
    writeInt32Le(bytes, kKeyOffset, key_);
    return bytes;
}

std::string_view SystemSettings::password() const {
    return upToNul(password_, kPasswordMaxLength);
}

void SystemSettings::setPassword(std::string_view value) {
    storeCut(password_, value.substr(0, kPasswordMaxLength));
}

std::string_view SystemSettings::text() const {
    return upToNul(text_, kTextMaxLength);
}

void SystemSettings::setText(std::string_view value) {
    storeCut(text_, cutUtf8(value, kTextMaxLength));
}

} // namespace kyvo::settings
