#include "SelectedList.h"

#include "RecordingPaths.h"
#include "SortStringArray.h"

#include <algorithm>

namespace kyvo::recordings {

CollectResult collect(const std::vector<std::u16string>& names, const std::vector<bool>& checked,
                      std::u16string_view folder) {
    CSortStringArray chosen;
    const std::size_t flags = std::min(names.size(), checked.size());
    for (std::size_t i = 0; i < flags; ++i)
        if (checked[i])
            chosen.Add(names[i]);
    chosen.Sort();

    CollectResult result;
    result.checked = chosen.GetSize();
    result.cut = result.checked > kSelectedListCapacity;
    const std::size_t kept = std::min(result.checked, kSelectedListCapacity);
    result.paths.reserve(kept);
    for (std::size_t i = 0; i < kept; ++i)
        result.paths.push_back(joinPath(folder, chosen[i]));
    return result;
}

} // namespace kyvo::recordings
