#include "CardSettingsRecord.h"

namespace kyvo::settings {

namespace {
std::uint8_t lowByte(std::int32_t value) {
    return static_cast<std::uint8_t>(static_cast<std::uint32_t>(value));
}
} // namespace

CardRecord buildCardRecord(const SystemSettings& block) {
    CardRecord record{};
    record[kCardLevelOffset] = lowByte(block.level());
    record[kCardCarriedValueOffset] = lowByte(block.carriedValue());
    record[kCardSpeedUnitOffset] = lowByte(block.speedUnit());
    record[kCardUsePasswordOffset] = lowByte(block.usePassword());
    // Without the password switch the card gets no digits, even when the
    // block still holds the ones set earlier.
    if (block.usePassword() != 0) {
        const auto& digits = block.passwordBuffer();
        for (std::size_t i = 0; i < kCardPasswordSize; ++i)
            record[kCardPasswordOffset + i] = static_cast<std::uint8_t>(digits[i]);
    }
    const std::string_view text = block.text();
    for (std::size_t i = 0; i < text.size(); ++i)
        record[kCardTextOffset + i] = static_cast<std::uint8_t>(text[i]);
    record[kCardMarkerAOffset] = block.markerA();
    record[kCardMarkerBOffset] = block.markerB();
    return record;
}

} // namespace kyvo::settings
