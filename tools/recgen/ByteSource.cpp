#include "ByteSource.h"

#include "BoxLayout.h"
#include "RecordingScramble.h"

#include <algorithm>
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
    // A file shorter than the header was never scrambled whole: left as it is.
    if (inner_.size() >= box::kHeaderSize)
        scramble::transformHeader(out, offset, key_);
    return true;
}

}  // namespace kyvo::recgen
