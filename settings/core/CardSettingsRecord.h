#pragma once
// The card file "jxq_config.dat": the settings the recorder reads from the
// memory card. Exactly 35 bytes, no header, no checksum:
//
//   0  level (low byte)        1  carried value (low byte)
//   2  speed unit (low byte)   3  use password (low byte)
//   4  four password digits as ASCII when use password is set, else zeros
//   8  zero
//   9  the block's text, NUL-terminated, zero-filled to 24 bytes
//  33  marker A               34  marker B

#include "SystemSettings.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace kyvo::settings {

inline constexpr char kCardFileName[] = "jxq_config.dat";

inline constexpr std::size_t kCardRecordSize = 35;
inline constexpr std::size_t kCardLevelOffset = 0;
inline constexpr std::size_t kCardCarriedValueOffset = 1;
inline constexpr std::size_t kCardSpeedUnitOffset = 2;
inline constexpr std::size_t kCardUsePasswordOffset = 3;
inline constexpr std::size_t kCardPasswordOffset = 4;
inline constexpr std::size_t kCardPasswordSize = 4;
inline constexpr std::size_t kCardPadOffset = 8;
inline constexpr std::size_t kCardTextOffset = 9;
inline constexpr std::size_t kCardTextSize = SystemSettings::kTextCapacity;
inline constexpr std::size_t kCardMarkerAOffset = 33;
inline constexpr std::size_t kCardMarkerBOffset = 34;

static_assert(kCardPadOffset + 1 == kCardTextOffset);
static_assert(kCardTextOffset + kCardTextSize == kCardMarkerAOffset);
static_assert(kCardMarkerBOffset + 1 == kCardRecordSize);

using CardRecord = std::array<std::uint8_t, kCardRecordSize>;

// The record for `block`. The store sets the block's text to "0" before it
// builds the record for the card; this function copies what the block holds.
CardRecord buildCardRecord(const SystemSettings& block);

} // namespace kyvo::settings
