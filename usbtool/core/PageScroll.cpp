#include "PageScroll.h"

#include <algorithm>
#include <cstdint>

namespace kyvo::usbtool {

void PageScroll::resize(int contentHeight, int visibleHeight) {
    range_ = std::max(0, contentHeight - visibleHeight);
    lineStep_ = std::max(kMinimumStep, range_ / kLineDivisor);
    pageStep_ = std::max(kMinimumStep, range_ / kPageDivisor);
    position_ = 0;
    wheelRest_ = 0;
}

int PageScroll::scrollTo(int position) {
    const int old = position_;
    position_ = std::clamp(position, 0, range_);
    return position_ - old;
}

int PageScroll::scrollLines(int lines) {
    const std::int64_t target = position_ + std::int64_t{lines} * lineStep_;
    return scrollTo(static_cast<int>(std::clamp<std::int64_t>(target, 0, range_)));
}

int PageScroll::scrollPages(int pages) {
    const std::int64_t target = position_ + std::int64_t{pages} * pageStep_;
    return scrollTo(static_cast<int>(std::clamp<std::int64_t>(target, 0, range_)));
}

int PageScroll::wheel(int angleDelta) {
    wheelRest_ += angleDelta;
    const int notches = wheelRest_ / kWheelNotch;
    wheelRest_ -= notches * kWheelNotch;
    // Turning towards the user gives a negative angle and scrolls towards the end.
    return notches == 0 ? 0 : scrollLines(-notches);
}

} // namespace kyvo::usbtool
