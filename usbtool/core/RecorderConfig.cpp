#include "RecorderConfig.h"

#include <algorithm>
#include <bit>
#include <cassert>

namespace kyvo::usbtool {
namespace {

constexpr unsigned kBitsPerByte = 8;

} // namespace

std::int32_t RecorderConfig::get(std::size_t offset) const {
    assert(offset % kSlotBytes == 0 && offset + kSlotBytes <= kSize);
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < kSlotBytes; ++i)
        value |= std::uint32_t{bytes_[offset + i]} << (kBitsPerByte * i);
    return static_cast<std::int32_t>(value);
}

void RecorderConfig::set(std::size_t offset, std::int32_t value) {
    assert(offset % kSlotBytes == 0 && offset + kSlotBytes <= kSize);
    const auto word = static_cast<std::uint32_t>(value);
    for (std::size_t i = 0; i < kSlotBytes; ++i)
        bytes_[offset + i] = static_cast<std::uint8_t>(word >> (kBitsPerByte * i));
}

float RecorderConfig::getFloat(std::size_t offset) const {
    return std::bit_cast<float>(static_cast<std::uint32_t>(get(offset)));
}

void RecorderConfig::setFloat(std::size_t offset, float value) {
    set(offset, static_cast<std::int32_t>(std::bit_cast<std::uint32_t>(value)));
}

void RecorderConfig::clear(SlotRange range) {
    assert(range.first <= range.last && range.last + kSlotBytes <= kSize);
    std::fill(bytes_.begin() + static_cast<std::ptrdiff_t>(range.first),
              bytes_.begin() + static_cast<std::ptrdiff_t>(range.last + kSlotBytes), std::uint8_t{0});
}

void RecorderConfig::load(std::span<const std::uint8_t> bytes) {
    const std::size_t count = std::min(bytes.size(), kSize);
    std::copy_n(bytes.begin(), count, bytes_.begin());
}

RecorderConfig& recorderConfig() {
    static RecorderConfig config;
    return config;
}

} // namespace kyvo::usbtool
