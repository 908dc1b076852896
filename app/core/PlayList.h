#pragma once
// The play list of the main window: recording paths in the order added,
// without duplicates, shown seven rows to a page with a small scroll bar.
// Qt-free: the window translates clicks into calls here and draws the result.
//
// Geometry: the layout table's rows, scroll track and arrows.

#include "AppLayout.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace kyvo::app {

class PlayList {
public:
    static constexpr int kRowsPerPage = kListRowCount;
    static constexpr int kRowsLeft = kListRows.left;
    static constexpr int kRowsRight = kListRows.right;
    static constexpr int kRowsTop = kListRows.top;
    static constexpr int kRowHeight = kListRowHeight;
    static constexpr int kTrackLeft = kListTrack.left;
    static constexpr int kTrackRight = kListTrack.right;
    static constexpr int kTrackTop = kListTrack.top;
    static constexpr int kTrackBottom = kListTrack.bottom;
    static constexpr int kUpArrowTop = kListUpArrow.top;
    static constexpr int kUpArrowBottom = kListUpArrow.bottom;
    static constexpr int kDownArrowTop = kListDownArrow.top;
    static constexpr int kDownArrowBottom = kListDownArrow.bottom;
    static constexpr int kThumbRange96 = 96;
    static constexpr int kThumbRange98 = 98;

    struct Thumb {
        int top = 0;
        int bottom = 0;
    };

    // Appends the names the list does not hold yet (empty ones are skipped);
    // answers how many were added. The thumb follows the 98-pixel rule.
    std::size_t add(const std::vector<std::u16string>& paths);
    void clear();

    std::size_t count() const { return paths_.size(); }
    bool empty() const { return paths_.empty(); }
    const std::u16string* path(std::size_t index) const;

    int page() const { return page_; }
    int pageCount() const { return pageCount_; }
    int rowsOnPage() const;
    int selected() const { return selected_; }
    int playingIndex() const { return playing_; }
    bool changed() const { return changed_; }
    const Thumb& thumb() const { return thumb_; }

    void setSelected(int index) { selected_ = index; }
    void setPlayingIndex(int index) { playing_ = index; }
    // Selects `index` and turns to its page (next, previous, automatic advance).
    void selectAndShow(int index);

    // What a button press in the panel did.
    enum class Hit { None, Row, PageUp, PageDown, Thumb };
    // A press at (x, y): selects a row, turns a page or starts a thumb drag.
    Hit press(int x, int y);
    // The row under (x, y) on this page, or -1.
    int rowAt(int x, int y) const;
    // A thumb drag moving to y; answers whether the page changed.
    bool dragThumb(int x, int y);
    bool thumbPressed() const { return dragging_; }
    void releaseThumb() { dragging_ = false; }

    // The thumb for the current page by the 96-pixel rule (clampToTrack: the
    // page buttons also keep it inside the track).
    void placeThumb96(bool clampToTrack);
    void placeThumb98();

private:
    void recountPages();

    std::vector<std::u16string> paths_;
    std::unordered_set<std::u16string> known_;
    int page_ = 0;
    int pageCount_ = 1;
    int selected_ = 0;
    int playing_ = -1;
    bool changed_ = false;
    Thumb thumb_{};
    bool dragging_ = false;
    int lastY_ = 0;
};

} // namespace kyvo::app
