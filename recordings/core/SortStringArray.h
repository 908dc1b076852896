#pragma once
// Case-insensitive ordering of recording names.

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kyvo::recordings {

// Compares UTF-16 code units after mapping 'A'..'Z' to 'a'..'z' and nothing
// else (the C locale's wide case folding); a proper prefix sorts first.
// Answers <0, 0 or >0. Since letters fold to lower case, "_" (0x5F) sorts
// before every letter, upper or lower.
int compareNoCase(std::u16string_view a, std::u16string_view b);

// An array of names that sorts itself ascending by compareNoCase. Names that
// compare equal (those differing only in the case of ASCII letters) keep the
// order they were added in, as a bubble sort that swaps only greater pairs
// would leave them.
class CSortStringArray {
public:
    CSortStringArray() = default;
    explicit CSortStringArray(std::vector<std::u16string> names) : names_(std::move(names)) {}

    void Add(std::u16string name) { names_.push_back(std::move(name)); }
    void RemoveAll() { names_.clear(); }
    std::size_t GetSize() const { return names_.size(); }
    const std::u16string& GetAt(std::size_t index) const { return names_.at(index); }
    const std::u16string& operator[](std::size_t index) const { return names_[index]; }

    void Sort();

    const std::vector<std::u16string>& names() const { return names_; }
    std::vector<std::u16string> takeNames() { return std::exchange(names_, {}); }

private:
    std::vector<std::u16string> names_;
};

} // namespace kyvo::recordings
