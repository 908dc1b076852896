#pragma once
// Scrambled recordings and their key.
//
// A scrambled recording differs from its plain form in its first eight bytes
// only: the first box's size word and its type word are each XORed with the
// key, taken as a big-endian 32-bit word. So offset 4 no longer reads "ftyp",
// the size field reads (real size XOR key), and every byte after the first
// eight is plain. The transform is its own inverse: it scrambles and restores.
//
// The key is what the user types as the password of the encrypted view mode:
// one to eight hexadecimal digits, never 0 (a key of 0 would leave the header
// unchanged).
//
// Everything here works on buffers and may be called from any thread.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace kyvo::scramble {

// The scrambled bytes: the first box's size and type words.
inline constexpr std::size_t kHeaderSize = 8;
inline constexpr std::size_t kWordSize = 4;
// The type of a plain recording's first box.
inline constexpr char kFirstBoxType[] = "ftyp";
// The longest password: eight hexadecimal digits make a 32-bit key.
inline constexpr std::size_t kMaxKeyDigits = 8;

// Applies the header transform to `bytes`, which hold the file's bytes from
// `offset` on: of them only those that fall inside the first eight bytes of
// the file change. A buffer that starts at or beyond byte 8 is left alone.
void transformHeader(std::span<std::uint8_t> bytes, std::uint64_t offset, std::uint32_t key);

// Whether `key` restores `scrambled` (the file's first eight bytes) to the
// header of a plain recording's first box: type "ftyp", a size of at least
// the header. False for the wrong key, and for a header that was never
// scrambled (a plain recording) unless the key is 0.
bool keyRestoresFirstBox(std::span<const std::uint8_t, kHeaderSize> scrambled, std::uint32_t key);

// The key a password stands for: one to eight hexadecimal digits, either
// case, nothing else (no blanks, no "0x"). Nothing when the text is empty,
// longer than eight characters, holds anything but hexadecimal digits, or
// stands for 0.
std::optional<std::uint32_t> parseKey(std::string_view password);

// The password of a key as the user typed it back: upper-case hexadecimal
// digits without leading zeros; empty for 0.
std::string keyText(std::uint32_t key);

} // namespace kyvo::scramble
