#pragma once
// Recordings for the telemetry tests: boxes built in memory with recgen's box
// writer, written whole or as sparse files into a scratch folder.

#include "BoxWriter.h"
#include "ByteOrder.h"
#include "TempFolder.h"

#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace kyvo::player::test {

using kyvo::test::TempFolder;
using recgen::Bytes;

// A box of `size` bytes (header included) whose size word says `declared`.
inline Bytes box(std::string_view type, std::uint32_t size, std::uint32_t declared) {
    Bytes out(size, 0);
    recgen::storeBe32(std::span(out).first<4>(), declared);
    std::copy(type.begin(), type.end(), out.begin() + 4);
    return out;
}
inline Bytes box(std::string_view type, std::uint32_t size) { return box(type, size, size); }

inline Bytes join(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& part : parts)
        out.insert(out.end(), part.begin(), part.end());
    return out;
}

// Entry k carries the sentence "$GPRMC,<k>" and the accelerations k, -k, k/2.
inline std::vector<recgen::TelemetryEntry> numberedEntries(int count) {
    std::vector<recgen::TelemetryEntry> entries;
    for (int k = 0; k < count; ++k) {
        const auto g = static_cast<float>(k);
        entries.push_back({recgen::entry::kTimeTag, 0, "$GPRMC," + std::to_string(k), {g, -g, g / 2}});
    }
    return entries;
}

// A file of `size` bytes holding `pieces` at their offsets; the rest are holes.
inline void writeSparse(const std::filesystem::path& path, std::uint64_t size,
                        const std::vector<std::pair<std::uint64_t, Bytes>>& pieces) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    ASSERT_GE(fd, 0) << path;
    EXPECT_EQ(::ftruncate(fd, static_cast<off_t>(size)), 0);
    for (const auto& [offset, bytes] : pieces)
        EXPECT_EQ(::pwrite(fd, bytes.data(), bytes.size(), static_cast<off_t>(offset)), std::ssize(bytes));
    ::close(fd);
}

inline void writeFile(const std::filesystem::path& path, const Bytes& bytes) {
    writeSparse(path, bytes.size(), {{0, bytes}});
}

} // namespace kyvo::player::test
