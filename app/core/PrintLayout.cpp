#include "PrintLayout.h"

#include <cmath>

namespace kyvo::app {

namespace {

constexpr double kDateAbove = 420;
constexpr double kPositionAbove = 300;
constexpr double kSpeedAbove = 180;
constexpr double kGSensorBelow = 50;
constexpr double kFontPoints = 50;   // the Part's 500 tenths, times sy
constexpr double kScreenDpi = 96;
constexpr double kPointsPerInch = 72;

int truncated(double value) {
    return static_cast<int>(value);
}

} // namespace

PrintLayout printLayout(int pageWidth, int pageHeight, int pictureWidth, int pictureHeight) {
    PrintLayout layout;
    layout.sx = static_cast<double>(pageWidth) / kDesignPageWidth;
    layout.sy = static_cast<double>(pageHeight) / kDesignPageHeight;
    if (pictureWidth <= 0 || pictureHeight <= 0) {
        pictureWidth = kSmallPictureWidth;
        pictureHeight = kSmallPictureHeight;
    }
    const bool small = pictureWidth == kSmallPictureWidth && pictureHeight == kSmallPictureHeight;
    const int factor = small ? kSmallPictureScale : 1;
    layout.pictureWidth = truncated(pictureWidth * factor * layout.sx);
    layout.pictureHeight = truncated(pictureHeight * factor * layout.sy);
    layout.pictureX = (pageWidth - layout.pictureWidth) / 2;
    layout.pictureY = (pageHeight - layout.pictureHeight) / 2;
    layout.dateY = layout.pictureY - truncated(kDateAbove * layout.sy);
    layout.positionY = layout.pictureY - truncated(kPositionAbove * layout.sx);
    layout.speedY = layout.pictureY - truncated(kSpeedAbove * layout.sy);
    layout.gsensorY = layout.pictureY + layout.pictureHeight + truncated(kGSensorBelow * layout.sy);
    layout.fontPixels = static_cast<int>(std::lround(kFontPoints * layout.sy * kScreenDpi / kPointsPerInch));
    return layout;
}

} // namespace kyvo::app
