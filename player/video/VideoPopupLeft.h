#pragma once
// The enlarged view of channel 0: 960 x 530 at screen position (0, 10),
// whatever the main window's place. GUI thread only.

#include "VideoPopup.h"

namespace kyvo::video {

class VideoPopupLeft : public VideoPopup {
public:
    explicit VideoPopupLeft(QWidget* parent);
};

} // namespace kyvo::video
