#include "BitWriter.h"

#include <algorithm>
#include <cstring>

namespace kyvo::imaging {

namespace {
// True when any of the four bytes of `word` is 0xFF: the usual zero-byte test
// applied to the complement.
bool hasMarkerByte(std::uint32_t word) {
    const std::uint32_t inverted = ~word;
    return ((inverted - 0x01010101U) & ~inverted & 0x80808080U) != 0;
}
} // namespace

BitWriter::BitWriter(std::size_t expectedBytes)
    : buffer_(new std::uint8_t[std::max(expectedBytes, kWordRoom)]), capacity_(std::max(expectedBytes, kWordRoom)) {}

void BitWriter::ensureRoom() {
    if (fill_ + kWordRoom <= capacity_)
        return;
    const std::size_t grown = capacity_ * 2;
    std::unique_ptr<std::uint8_t[]> larger(new std::uint8_t[grown]);
    std::memcpy(larger.get(), buffer_.get(), fill_);
    buffer_ = std::move(larger);
    capacity_ = grown;
}

void BitWriter::emitByte(std::uint8_t byte) {
    buffer_[fill_++] = byte;
    if (byte == kMarkerByte)
        buffer_[fill_++] = kStuffedByte;
}

void BitWriter::emitWord() {
    ensureRoom();
    pendingCount_ -= kWordBits;
    const auto word = static_cast<std::uint32_t>(pending_ >> pendingCount_);
    if (!hasMarkerByte(word)) {
        std::uint8_t* at = buffer_.get() + fill_;
        at[0] = static_cast<std::uint8_t>(word >> 24);
        at[1] = static_cast<std::uint8_t>(word >> 16);
        at[2] = static_cast<std::uint8_t>(word >> 8);
        at[3] = static_cast<std::uint8_t>(word);
        fill_ += 4;
        return;
    }
    for (int shift = 24; shift >= 0; shift -= 8)
        emitByte(static_cast<std::uint8_t>(word >> shift));
}

void BitWriter::finishInto(std::vector<std::uint8_t>& out) {
    while (pendingCount_ >= 8) {
        ensureRoom();
        pendingCount_ -= 8;
        emitByte(static_cast<std::uint8_t>(pending_ >> pendingCount_));
    }
    if (pendingCount_ > 0) {
        ensureRoom();
        emitByte(static_cast<std::uint8_t>(pending_ << (8 - pendingCount_)));
        pendingCount_ = 0;
    }
    out.insert(out.end(), buffer_.get(), buffer_.get() + fill_);
    fill_ = 0;
}

} // namespace kyvo::imaging
