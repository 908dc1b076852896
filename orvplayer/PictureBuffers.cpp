#include "PictureBuffers.h"

#include <new>

namespace orv {

PictureBuffers::PictureBuffers() {
    for (auto& buffer : buffers_) {
        buffer.reset(static_cast<std::uint8_t*>(std::calloc(kCapacity, 1))); // zeroed: black
        if (!buffer)
            throw std::bad_alloc();
    }
}

std::uint8_t* PictureBuffers::beginWrite(int width, int height, Content content) {
    std::lock_guard lock(mutex_);
    int chosen = 0;
    while (chosen == published_ || chosen == reading_)
        ++chosen;
    writing_ = chosen;
    width_[static_cast<std::size_t>(chosen)] = width;
    height_[static_cast<std::size_t>(chosen)] = height;
    content_[static_cast<std::size_t>(chosen)] = content;
    return buffers_[static_cast<std::size_t>(chosen)].get();
}

void PictureBuffers::publish() {
    std::lock_guard lock(mutex_);
    if (writing_ >= 0)
        published_ = writing_;
    writing_ = -1;
}

std::uint8_t* PictureBuffers::newest() const {
    std::lock_guard lock(mutex_);
    return published_ >= 0 ? buffers_[static_cast<std::size_t>(published_)].get() : nullptr;
}

PictureBuffers::View PictureBuffers::beginRead() {
    std::lock_guard lock(mutex_);
    reading_ = published_;
    if (reading_ < 0)
        return {};
    const auto i = static_cast<std::size_t>(reading_);
    return {buffers_[i].get(), width_[i], height_[i], content_[i]};
}

void PictureBuffers::endRead() {
    std::lock_guard lock(mutex_);
    reading_ = -1;
}

} // namespace orv
