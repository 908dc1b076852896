#include "PlayList.h"

#include <algorithm>

namespace kyvo::app {

const std::u16string* PlayList::path(std::size_t index) const {
    return index < paths_.size() ? &paths_[index] : nullptr;
}

std::size_t PlayList::add(const std::vector<std::u16string>& paths) {
    std::size_t added = 0;
    for (const std::u16string& p : paths) {
        if (p.empty() || !known_.insert(p).second)
            continue;
        paths_.push_back(p);
        ++added;
    }
    changed_ = true;
    recountPages();
    if (pageCount_ > 1)
        placeThumb98();
    return added;
}

void PlayList::clear() {
    paths_.clear();
    known_.clear();
    pageCount_ = 1;
    page_ = 0;
    selected_ = 0;
    playing_ = -1;
    thumb_ = {};
    dragging_ = false;
}

void PlayList::recountPages() {
    const int n = static_cast<int>(paths_.size());
    pageCount_ = n / kRowsPerPage + (n % kRowsPerPage != 0 ? 1 : 0);
    if (pageCount_ < 1)
        pageCount_ = 1;
    page_ = std::min(page_, pageCount_ - 1);
}

int PlayList::rowsOnPage() const {
    const int n = static_cast<int>(paths_.size());
    if (page_ == pageCount_ - 1 && n % kRowsPerPage != 0)
        return n % kRowsPerPage;
    return n == 0 ? 0 : kRowsPerPage;
}

void PlayList::selectAndShow(int index) {
    selected_ = index;
    page_ = index / kRowsPerPage;
    if (pageCount_ > 1)
        placeThumb96(true);
}

// h = 96 / pages and its remainder spread over the first pages.
void PlayList::placeThumb96(bool clampToTrack) {
    const int pages = std::max(pageCount_, 1);
    const int h = kThumbRange96 / pages;
    const int r = kThumbRange96 % pages;
    const int top = r < page_ ? h * page_ + r + kTrackTop : h * page_ + page_ + kTrackTop;
    thumb_ = {top, top + h};
    if (clampToTrack && thumb_.bottom > kTrackBottom)
        thumb_ = {kTrackBottom - h, kTrackBottom};
}

void PlayList::placeThumb98() {
    const int pages = std::max(pageCount_, 1);
    const int h = kThumbRange98 / pages;
    const int top = h * page_ + kTrackTop;
    thumb_ = {top, top + h};
}

int PlayList::rowAt(int x, int y) const {
    const int rows = rowsOnPage();
    if (x < kRowsLeft || x >= kRowsRight || y < kRowsTop || y >= kRowsTop + kRowHeight * rows)
        return -1;
    return (y - kRowsTop) / kRowHeight + page_ * kRowsPerPage;
}

PlayList::Hit PlayList::press(int x, int y) {
    if (const int row = rowAt(x, y); row >= 0) {
        selected_ = row;
        return Hit::Row;
    }
    const bool inTrackColumn = x >= kTrackLeft && x < kTrackRight;
    if (!inTrackColumn)
        return Hit::None;
    const bool upArrow = y >= kUpArrowTop && y < kUpArrowBottom;
    const bool downArrow = y >= kDownArrowTop && y < kDownArrowBottom;
    const bool hasThumb = pageCount_ > 1;
    const int thumbTop = hasThumb ? thumb_.top : kTrackTop;
    const int thumbBottom = hasThumb ? thumb_.bottom : kTrackTop;
    if (upArrow || (y >= kTrackTop && y < thumbTop)) {
        if (page_ > 0)
            --page_;
        if (hasThumb)
            placeThumb96(true);
        return Hit::PageUp;
    }
    if (downArrow || (y >= thumbBottom && y < kTrackBottom && hasThumb)) {
        if (page_ < pageCount_ - 1)
            ++page_;
        if (hasThumb)
            placeThumb96(true);
        return Hit::PageDown;
    }
    if (hasThumb && y >= thumb_.top && y < thumb_.bottom) {
        dragging_ = true;
        lastY_ = y;
        return Hit::Thumb;
    }
    return Hit::None;
}

bool PlayList::dragThumb(int x, int y) {
    if (!dragging_ || x < kTrackLeft || x > kTrackRight || y < kTrackTop || y > kTrackBottom)
        return false;
    const int before = page_;
    const int pages = std::max(pageCount_, 1);
    const int h = kThumbRange96 / pages;
    thumb_.top += y - lastY_;
    thumb_.bottom = thumb_.top + h;
    const int offset = thumb_.top - kTrackTop;
    page_ = offset < 0 || h == 0 ? 0 : std::min(offset / h, pages - 1);
    if (thumb_.top <= kTrackTop - 1) {
        page_ = 0;
        thumb_ = {kTrackTop, kTrackTop + h};
    } else if (thumb_.bottom > kTrackBottom) {
        page_ = pages - 1;
        thumb_ = {kTrackBottom - h, kTrackBottom};
    }
    lastY_ = y;
    return page_ != before;
}

} // namespace kyvo::app
