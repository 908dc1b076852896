#include "ScrambledStream.h"

#include "RecordingFile.h"
#include "RecordingScramble.h"

#include <mpv/client.h>
#include <mpv/stream_cb.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>
#include <memory>
#include <span>
#include <string_view>

namespace orv {

namespace {

constexpr std::string_view kAddressPrefix = "orvscrambled://";

// One opened stream: mpv's demuxer thread reads and seeks it, one call at a time.
struct OpenStream {
    OpenStream(const std::string& path, std::uint32_t restoringKey) : file(path), key(restoringKey) {}

    kyvo::player::RecordingFile file;
    std::uint32_t key;
    std::uint64_t size = 0;
    std::uint64_t position = 0;
};

std::int64_t readStream(void* cookie, char* buffer, std::uint64_t count) {
    auto* stream = static_cast<OpenStream*>(cookie);
    if (stream->position >= stream->size)
        return 0;
    const auto wanted = static_cast<std::size_t>(std::min(count, stream->size - stream->position));
    const std::span<std::uint8_t> out(reinterpret_cast<std::uint8_t*>(buffer), wanted);
    const std::optional<std::size_t> got = stream->file.readAt(stream->position, out);
    if (!got)
        return -1;
    kyvo::scramble::transformHeader(out.first(*got), stream->position, stream->key);
    stream->position += *got;
    return static_cast<std::int64_t>(*got);
}

std::int64_t seekStream(void* cookie, std::int64_t offset) {
    if (offset < 0)
        return MPV_ERROR_GENERIC;
    static_cast<OpenStream*>(cookie)->position = static_cast<std::uint64_t>(offset);
    return offset;
}

std::int64_t streamSize(void* cookie) {
    return static_cast<std::int64_t>(static_cast<OpenStream*>(cookie)->size);
}

void closeStream(void* cookie) {
    delete static_cast<OpenStream*>(cookie);
}

// mpv's open callback: the noted file, refused unless the key restores its
// first header. Never throws into mpv.
int openStream(void* table, char* address, mpv_stream_cb_info* info) {
    try {
        ScrambledFiles::Noted noted;
        if (!static_cast<const ScrambledFiles*>(table)->lookUp(address, noted))
            return MPV_ERROR_LOADING_FAILED;
        auto stream = std::make_unique<OpenStream>(noted.path, noted.key);
        const std::optional<std::uint64_t> size = stream->file.isOpen() ? stream->file.size() : std::nullopt;
        if (!size)
            return MPV_ERROR_LOADING_FAILED;
        stream->size = *size;
        std::array<std::uint8_t, kyvo::scramble::kHeaderSize> header{};
        const std::optional<std::size_t> got = stream->file.readAt(0, header);
        if (!got || *got != header.size() || !kyvo::scramble::keyRestoresFirstBox(header, noted.key)) {
            std::fprintf(stderr, "orvplayer: the key does not restore the recording %s\n", noted.path.c_str());
            return MPV_ERROR_LOADING_FAILED;
        }
        info->cookie = stream.release();
        info->read_fn = readStream;
        info->seek_fn = seekStream;
        info->size_fn = streamSize;
        info->close_fn = closeStream;
        info->cancel_fn = nullptr; // reads of a local file do not block for long
        return 0;
    } catch (...) {
        return MPV_ERROR_LOADING_FAILED;
    }
}

} // namespace

bool ScrambledFiles::registerWith(mpv_handle* mpv) {
    return mpv && mpv_stream_cb_add_ro(mpv, kScrambledProtocol, this, openStream) >= 0;
}

std::string ScrambledFiles::address(const std::string& path, std::uint32_t key) {
    std::lock_guard lock(mutex_);
    const std::uint64_t id = nextId_++;
    notes_.push_back({id, path, key});
    while (notes_.size() > kKeptNotes)
        notes_.pop_front();
    return std::string(kAddressPrefix) + std::to_string(id);
}

bool ScrambledFiles::lookUp(const std::string& address, Noted& noted) const {
    const std::string_view text(address);
    if (!text.starts_with(kAddressPrefix))
        return false;
    const std::string_view number = text.substr(kAddressPrefix.size());
    std::uint64_t id = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), id);
    if (error != std::errc() || end != number.data() + number.size())
        return false;
    std::lock_guard lock(mutex_);
    const auto found = std::find_if(notes_.begin(), notes_.end(), [id](const Noted& n) { return n.id == id; });
    if (found == notes_.end())
        return false;
    noted = *found;
    return true;
}

} // namespace orv
