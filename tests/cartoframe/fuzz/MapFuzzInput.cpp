#include "MapFuzzInput.h"

#include <algorithm>

namespace cartoframe::fuzz {

namespace {
constexpr std::size_t kLengthSize = 4;
}

std::vector<Bytes> splitFuzzInput(const std::uint8_t* data, std::size_t size) {
    std::vector<Bytes> files;
    std::size_t at = 0;
    while (files.size() < kFuzzFileCount && at + kLengthSize <= size) {
        std::size_t length = 0;
        for (std::size_t i = 0; i < kLengthSize; ++i)
            length |= static_cast<std::size_t>(data[at + i]) << (8 * i);
        at += kLengthSize;
        length = std::min(length, size - at);
        files.emplace_back(data + at, data + at + length);
        at += length;
    }
    return files;
}

Bytes joinFuzzInput(const std::vector<Bytes>& files) {
    Bytes out;
    for (const Bytes& file : files) {
        for (std::size_t i = 0; i < kLengthSize; ++i)
            out.push_back(static_cast<std::uint8_t>(file.size() >> (8 * i)));
        out.insert(out.end(), file.begin(), file.end());
    }
    return out;
}

} // namespace cartoframe::fuzz
