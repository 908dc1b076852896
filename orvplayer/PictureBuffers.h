#pragma once
// Three picture buffers of one channel: the player renders into one, the
// newest finished picture is published, and the video window reads the
// published one. A picture that is being read is never rendered into.
//
// Every buffer holds the largest picture (1920 x 1080 x 4 bytes) and lives as
// long as the library, so that a picture pointer handed to the client stays
// valid (its content is replaced as later frames are rendered).
//
// Thread-safe: the player thread writes, the GUI thread reads.

#include <array>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <mutex>

namespace orv {

class PictureBuffers {
public:
    static constexpr int kCount = 3;

    PictureBuffers();

    // The part of a picture that holds the video (the rest is letterbox).
    struct Content {
        int x = 0;
        int y = 0;
        int width = 0;
        int height = 0;
    };

    // Player thread: a buffer to render into, neither published nor being read.
    std::uint8_t* beginWrite(int width, int height, Content content);
    // Player thread: the buffer of beginWrite() becomes the newest picture.
    void publish();
    // The newest picture (null before the first), for the client's records.
    std::uint8_t* newest() const;
    // Player thread: the frame index and time the newest picture shows.
    void tagNewest(std::uint32_t frameIndex, float time);

    struct Copied {
        int width = 0;
        int height = 0;
        std::uint32_t frameIndex = 0;
        float time = 0;
    };
    // Any thread: copies the newest picture (width * height * 4 bytes) into
    // `out` while holding the lock, so no buffer is chosen for rendering
    // meanwhile. False when there is none or `capacity` is short.
    bool copyNewest(std::uint8_t* out, std::size_t capacity, Copied& copied) const;

    struct View {
        const std::uint8_t* pixels = nullptr;
        int width = 0;
        int height = 0;
        Content content;
    };
    // GUI thread: holds the newest picture until endRead().
    View beginRead();
    void endRead();

private:
    static constexpr std::size_t kCapacity = 1920u * 1080u * 4u;

    mutable std::mutex mutex_; // guards the indexes and sizes below
    struct Free {
        void operator()(std::uint8_t* p) const { std::free(p); }
    };
    // calloc: the pages stay untouched (and not resident) until a picture uses them.
    std::array<std::unique_ptr<std::uint8_t[], Free>, kCount> buffers_;
    std::array<int, kCount> width_{};
    std::array<int, kCount> height_{};
    std::array<Content, kCount> content_{};
    std::array<std::uint32_t, kCount> frameIndex_{};
    std::array<float, kCount> time_{};
    std::uint32_t lastFrameIndex_ = 0; // the last tag given, for pictures rendered again
    float lastTime_ = 0;
    int writing_ = -1;
    int published_ = -1;
    int reading_ = -1;
};

} // namespace orv
