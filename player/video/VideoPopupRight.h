#pragma once
// The enlarged view of channel 1: 650 x 520 at the main window's top left
// plus (185, 130). GUI thread only.

#include "VideoPopup.h"

namespace kyvo::video {

class VideoPopupRight : public VideoPopup {
public:
    explicit VideoPopupRight(QWidget* parent);
};

} // namespace kyvo::video
