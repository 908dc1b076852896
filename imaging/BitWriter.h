#pragma once
// Entropy-coded bits into bytes: most significant bit first, a 0x00 after
// every 0xFF byte so that coded data never looks like a marker, the last
// partial byte completed with 0 bits.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace kyvo::imaging {

class BitWriter {
public:
    // `expectedBytes` sizes the first buffer; it grows when needed.
    explicit BitWriter(std::size_t expectedBytes);

    // Puts the low `length` bits of `bits` (length at most kMaxPut).
    void put(std::uint32_t bits, int length) {
        pending_ = (pending_ << length) | bits;
        pendingCount_ += length;
        if (pendingCount_ >= kWordBits)
            emitWord();
    }

    // Completes the last byte with 0 bits and appends the coded bytes to `out`.
    void finishInto(std::vector<std::uint8_t>& out);

    static constexpr int kMaxPut = 32;

private:
    static constexpr int kWordBits = 32;
    static constexpr std::uint8_t kMarkerByte = 0xFF;
    static constexpr std::uint8_t kStuffedByte = 0x00;
    // Room kept free before a word goes out: four bytes, each possibly stuffed.
    static constexpr std::size_t kWordRoom = 8;

    void emitWord();
    void emitByte(std::uint8_t byte);
    void ensureRoom();

    // Not zero-filled: every byte up to fill_ is written before it is read.
    std::unique_ptr<std::uint8_t[]> buffer_;
    std::size_t capacity_;
    std::size_t fill_ = 0;
    std::uint64_t pending_ = 0;  // the low pendingCount_ bits are still to go out
    int pendingCount_ = 0;
};

} // namespace kyvo::imaging
