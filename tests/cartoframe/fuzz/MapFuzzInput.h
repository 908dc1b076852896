#pragma once
// The input of the map fuzz target: the files of one map folder, each as a
// 32-bit little-endian length and its bytes, in the order of kFuzzFiles. A
// length running past the input takes what is left; missing files are not
// written (an empty file list is replaced by one naming the four files).

#include <cstdint>
#include <string>
#include <vector>

namespace cartoframe::fuzz {

inline constexpr const char* kFuzzFiles[] = {"FileList.cfg", "MAP.DAT", "ROADNAME.DAT", "ROADNODE.DAT", "RSPEED.IDX"};
inline constexpr std::size_t kFuzzFileCount = 5;

using Bytes = std::vector<std::uint8_t>;

// What the last run of the target answered when it loaded the map (0 loaded).
extern int lastLoadResult;

std::vector<Bytes> splitFuzzInput(const std::uint8_t* data, std::size_t size);
Bytes joinFuzzInput(const std::vector<Bytes>& files);

} // namespace cartoframe::fuzz
