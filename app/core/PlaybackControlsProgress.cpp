#include "PlaybackControls.h"

#include <cmath>
#include <cstdint>

namespace kyvo::app {

namespace {

constexpr int kSecondsPerMinute = 60;

// part x length / 360 in 64 bits, so long files do not overflow the product.
int scaled(std::int64_t value, std::int64_t numerator, std::int64_t denominator) {
    return static_cast<int>(value * numerator / denominator);
}

// "mm:ss" with at least two digits each; minutes of 100 or more keep all
// their digits (tens of minutes, then the last digit).
std::string minutesSeconds(int seconds) {
    if (seconds < 0)
        seconds = 0;
    const int m = seconds / kSecondsPerMinute;
    const int s = seconds % kSecondsPerMinute;
    return std::to_string(m / 10) + std::to_string(m % 10) + ":" + std::to_string(s / 10) +
           std::to_string(s % 10);
}

} // namespace

int progressPosition(int length, int displaySecond, int current) {
    if (length <= 0)
        return 0;
    if (length >= displaySecond)
        return scaled(displaySecond, kProgressMax, length);
    return current;
}

int seekSecondForRelease(int position, int length) {
    int s = seekSecondForClick(position, length);
    // The whole length as the player counts it: minutes rounded to a float.
    const double c = static_cast<double>(static_cast<float>(length / 60.0)) * 60.0;
    if (c <= s)
        s = static_cast<int>(std::trunc(c - 1));
    return s;
}

int seekSecondForClick(int position, int length) {
    return scaled(position, length, kProgressMax);
}

bool atEndBound(int currentSecond, std::uint32_t frameCount) {
    if (frameCount == kUnknownFrameCount || currentSecond < 0)
        return false;
    return static_cast<std::uint32_t>(currentSecond) >= frameCount / kFramesPerSecond;
}

std::string elapsedText(int displaySecond) {
    return "00:" + minutesSeconds(displaySecond);
}

std::string lengthText(int length) {
    return " / 00:" + minutesSeconds(length);
}

int previousIndex(int playing, int count) {
    if (count <= 0)
        return -1;
    return playing <= 0 || playing > count ? count - 1 : playing - 1;
}

int nextIndex(int playing, int count) {
    if (count <= 0)
        return -1;
    return playing >= count - 1 || playing < -1 ? 0 : playing + 1;
}

int advanceIndex(int playingIndex, int count) {
    return nextIndex(playingIndex, count);
}

} // namespace kyvo::app
