#include "SortStringArray.h"

#include <algorithm>

namespace kyvo::recordings {

namespace {

char16_t foldCase(char16_t unit) {
    return unit >= u'A' && unit <= u'Z' ? static_cast<char16_t>(unit - u'A' + u'a') : unit;
}

} // namespace

int compareNoCase(std::u16string_view a, std::u16string_view b) {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const int left = foldCase(a[i]);
        const int right = foldCase(b[i]);
        if (left != right)
            return left - right;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

void CSortStringArray::Sort() {
    // A stable sort keeps equal names in place exactly as the neighbour-swap
    // passes do, in O(n log n) instead of O(n^2) for a folder of 10,000 names.
    std::stable_sort(names_.begin(), names_.end(),
                     [](const std::u16string& a, const std::u16string& b) { return compareNoCase(a, b) < 0; });
}

} // namespace kyvo::recordings
