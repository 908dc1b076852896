#include "ByteSource.h"

#include "BoxLayout.h"
#include "BoxWriter.h"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace kyvo::recgen {
namespace {

bool rangeInside(std::uint64_t offset, std::size_t length, std::uint64_t total) {
    return offset <= total && length <= total - offset;
}

}  // namespace

bool BufferSource::read(std::uint64_t offset, std::span<std::uint8_t> out) const {
    if (!rangeInside(offset, out.size(), bytes_.size()))
        return false;
    std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(offset), out.size(), out.begin());
    return true;
}

FileSource::FileSource(const std::filesystem::path& path) : stream_(path, std::ios::binary) {
    if (!stream_)
        throw std::runtime_error("cannot open " + path.string());
    stream_.seekg(0, std::ios::end);
    size_ = static_cast<std::uint64_t>(stream_.tellg());
}

bool FileSource::read(std::uint64_t offset, std::span<std::uint8_t> out) const {
    if (!rangeInside(offset, out.size(), size_))
        return false;
    stream_.clear();
    stream_.seekg(static_cast<std::streamoff>(offset));
    stream_.read(reinterpret_cast<char*>(out.data()), static_cast<std::streamsize>(out.size()));
    return static_cast<std::size_t>(stream_.gcount()) == out.size();
}

bool DescrambledSource::read(std::uint64_t offset, std::span<std::uint8_t> out) const {
    if (!inner_.read(offset, out))
        return false;
    if (offset >= box::kHeaderSize || inner_.size() < box::kHeaderSize)
        return true;
    std::array<std::uint8_t, box::kHeaderSize> header{};
    if (!inner_.read(0, header))
        return false;
    scrambleHeader(header, key_);
    const auto start = static_cast<std::size_t>(offset);
    const std::size_t count = std::min(out.size(), header.size() - start);
    std::copy_n(header.begin() + static_cast<std::ptrdiff_t>(start), count, out.begin());
    return true;
}

}  // namespace kyvo::recgen
