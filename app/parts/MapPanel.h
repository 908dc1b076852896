#pragma once
// The map panel of the main screen. Without a connection it shows the notice
// (string 121, red, centred over the panel); the web map comes here too.
//
// GUI thread only.

#include "AppLayout.h"

#include <array>
#include <optional>

namespace kyvo::app {

class SkinCanvas;

class MapPanel {
public:
    // Whether the notice shows; answers the rectangle to repaint when that
    // changed (the notice's, as it is or was drawn).
    std::optional<Rect> setNoticeShown(bool shown, double displayScale);
    bool noticeShown() const { return noticeShown_; }

    // Where it paints: the part is painted whole over these, erased first.
    static constexpr std::array<Rect, 1> kRegions{kMap};

    void paint(SkinCanvas& canvas, double displayScale) const;

private:
    Rect noticeRect(double displayScale) const;

    bool noticeShown_ = false;
};

} // namespace kyvo::app
