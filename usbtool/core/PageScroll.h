#pragma once
// Vertical scrolling of the USB tool's tall pages (RecSet and Setting).
//
// The range is the content's height minus the visible height (R, never
// below 0); the position starts at 0 whenever the page is resized. A line
// step is max(5, R / 20), a page step max(5, R / 10); every move keeps the
// position within 0..R. Thumb tracking and release jump to the thumb's
// position. One notch of the mouse wheel (120 units of angle) scrolls one
// line step, towards the end when the wheel turns towards the user.
//
// Every move answers the change of position: the content is scrolled by it.

namespace kyvo::usbtool {

class PageScroll {
public:
    static constexpr int kMinimumStep = 5;
    static constexpr int kLineDivisor = 20;
    static constexpr int kPageDivisor = 10;
    static constexpr int kWheelNotch = 120;

    void resize(int contentHeight, int visibleHeight);

    int range() const { return range_; }
    int lineStep() const { return lineStep_; }
    int pageStep() const { return pageStep_; }
    int position() const { return position_; }

    int scrollLines(int lines); // positive: towards the end
    int scrollPages(int pages);
    int scrollTo(int position);
    // Qt's angle delta: negative when the wheel turns towards the user.
    // Smaller deltas (touchpads) add up to whole notches.
    int wheel(int angleDelta);

private:
    int range_ = 0;
    int lineStep_ = kMinimumStep;
    int pageStep_ = kMinimumStep;
    int position_ = 0;
    int wheelRest_ = 0; // angle not yet turned into a line step
};

} // namespace kyvo::usbtool
