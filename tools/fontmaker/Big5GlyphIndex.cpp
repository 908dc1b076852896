#include "Big5GlyphIndex.h"

namespace kyvo::fontmaker {
namespace {

constexpr int kLowTrailCount = kBig5LowTrailLast - kBig5LowTrailFirst + 1; // 63

} // namespace

std::optional<int> big5GlyphIndex(std::uint8_t lead, std::uint8_t trail) {
    if (lead < kBig5LeadFirst || lead > kBig5LeadLast)
        return std::nullopt;
    const int row = (lead - kBig5LeadFirst) * kBig5TrailsPerLead;
    if (trail >= kBig5LowTrailFirst && trail <= kBig5LowTrailLast)
        return row + (trail - kBig5LowTrailFirst);
    if (trail >= kBig5HighTrailFirst && trail <= kBig5HighTrailLast)
        return row + (trail - kBig5HighTrailBase);
    return std::nullopt;
}

std::optional<Big5Code> big5CodeAt(int index) {
    if (index < 0 || index >= kBig5GlyphCount)
        return std::nullopt;
    const int column = index % kBig5TrailsPerLead;
    const int trail = column < kLowTrailCount ? kBig5LowTrailFirst + column : kBig5HighTrailBase + column;
    return Big5Code{static_cast<std::uint8_t>(kBig5LeadFirst + index / kBig5TrailsPerLead),
                    static_cast<std::uint8_t>(trail)};
}

} // namespace kyvo::fontmaker
