#include "PictureBuffers.h"

#include <cstring>
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
    // Until the player tags it, a new picture counts as the frame last
    // tagged: pictures rendered again for the same frame (a redraw while
    // paused) are not tagged again.
    frameIndex_[static_cast<std::size_t>(chosen)] = lastFrameIndex_;
    time_[static_cast<std::size_t>(chosen)] = lastTime_;
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

void PictureBuffers::tagNewest(std::uint32_t frameIndex, float time) {
    std::lock_guard lock(mutex_);
    lastFrameIndex_ = frameIndex;
    lastTime_ = time;
    if (published_ < 0)
        return;
    frameIndex_[static_cast<std::size_t>(published_)] = frameIndex;
    time_[static_cast<std::size_t>(published_)] = time;
}

bool PictureBuffers::copyNewest(std::uint8_t* out, std::size_t capacity, Copied& copied) const {
    std::lock_guard lock(mutex_);
    if (published_ < 0 || out == nullptr)
        return false;
    const auto i = static_cast<std::size_t>(published_);
    const std::size_t bytes = static_cast<std::size_t>(width_[i]) * static_cast<std::size_t>(height_[i]) * 4u;
    if (bytes == 0 || bytes > capacity)
        return false;
    std::memcpy(out, buffers_[i].get(), bytes);
    copied = {width_[i], height_[i], frameIndex_[i], time_[i]};
    return true;
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
