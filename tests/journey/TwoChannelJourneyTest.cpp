// Two cameras: the user picks "2 Channel" and the rear "Inside" in the channel
// dialog of the top strip and plays a recording again. The rear picture plays in the map's panel
// beside the front; paused, both show the same frame (recgen burns the frame's
// number into both), and the rear shows once more inside the front's corner.
// A double click on the rear enlarges it in the right popup.

#include "ChannelChoice.h"
#include "Screen.h"
#include "SkinIds.h"
#include "VideoPopupLayout.h"
#include "ViewerProcess.h"
#include "VirtualDisplay.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace kyvo;
using namespace kyvo::journey;
namespace geometry = kyvo::layout::video_popup;
namespace cd = kyvo::settings::channel_dialog;

namespace {

constexpr int kTimeoutMs = 20000;
const QPoint kChannelButton(865 + 22, 1 + 12);
// The dialog stands centred over the 1020 x 780 main window.
const QPoint kDialogOrigin((1020 - cd::kSize.width) / 2, (780 - cd::kSize.height) / 2);
const QPoint kTwoChannels = centreOf(kDialogOrigin, cd::kTwoChannelsRect);
const QPoint kRearInside = centreOf(kDialogOrigin, cd::kRearInsideRect);
const QPoint kDialogOk = kDialogOrigin + QPoint(cd::kOkButton.x, cd::kOkButton.y);

// recgen's frame code in a 640 x 360 picture: twelve blocks of 32 pixels at
// mid-height, bit 0 first. Read from a picture of that shape scaled by
// `scale` whose video starts at `origin` on the screen.
int frameCodeAt(const QImage& screen, QPointF origin, double scale) {
    constexpr int kBlock = 32;
    constexpr int kCentreY = (360 - kBlock) / 2 + kBlock / 2;
    int code = 0;
    for (int bit = 0; bit < 12; ++bit) {
        const QPointF at = origin + QPointF(bit * kBlock + kBlock / 2, kCentreY) * scale;
        if (qGray(screen.pixel(at.toPoint())) > 128)
            code |= 1 << bit;
    }
    return code;
}

// The rear picture (16:9) letterboxed in the map's panel.
const QRect kRearPanel(geometry::kChannel1InWindow.left, geometry::kChannel1InWindow.top,
                       geometry::kChannel1InWindow.width(), geometry::kChannel1InWindow.height());
constexpr double kRearScale = 310.0 / 640.0;
const QPointF kRearVideo(kRearPanel.left(), kRearPanel.top() + (kRearPanel.height() - 360 * kRearScale) / 2);

} // namespace

TEST(TwoChannelJourney, TheRearPlaysInStepBesideTheFrontAndEnlargesOnADoubleClick) {
    QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/kyvotwo-XXXXXX"));
    ASSERT_TRUE(dir.isValid());
    VirtualDisplay display;
    ASSERT_TRUE(display.ok()) << display.error().toStdString();
    const QString config = dir.filePath(QStringLiteral("config"));
    QDir().mkpath(config);
    const QString file = dir.filePath(QStringLiteral("card/drf_20240612_081500.mov"));
    QString error;
    ASSERT_FALSE(makeRecording(file, 30, QStringLiteral("640x360"),
                               {"--frame-code", "--rear", "file", "--rear-size", "320x180"}, &error)
                     .isEmpty())
        << error.toStdString();
    ViewerProcess viewer(display, config, dir.path(), {file});
    ASSERT_TRUE(viewer.waitForMainScreen()) << viewer.output().toStdString();

    // The channel dialog: "2 Channel", the rear also inside the front, OK.
    display.click(kChannelButton);
    ASSERT_TRUE(waitUntil(kTimeoutMs, [&] { return showsSkinImage(display.grab(), skin::kPopupOkNormal, kDialogOk); }))
        << "the channel dialog opens";
    display.click(kTwoChannels);
    display.click(kRearInside);
    display.click(kDialogOk + QPoint(43, 14));
    ASSERT_TRUE(waitUntil(kTimeoutMs, [&] { return !showsSkinImage(display.grab(), skin::kPopupOkNormal, kDialogOk); }));

    // Stopped and played again, the rear shows in the map's panel.
    display.click(kStopButton);
    display.click(kPlayButton);
    ASSERT_TRUE(waitUntil(kTimeoutMs, [&] { return litPixels(display.grab(), kRearPanel) > 1500; }))
        << "the rear picture plays in the map's panel";
    EXPECT_TRUE(waitUntil(kTimeoutMs, [&] { return showsSkinImage(display.grab(), skin::kUsbTool, QPoint(740, 47)); }))
        << "the USB button stays above the rear picture";
    QImage before = display.grab(kRearPanel);
    EXPECT_TRUE(waitUntil(kTimeoutMs, [&] { return display.grab(kRearPanel) != before; })) << "and moves";

    // Paused, both pictures show the same frame.
    display.click(kPauseButton);
    QImage still;
    ASSERT_TRUE(waitUntil(kTimeoutMs, [&] {
        const QImage now = display.grab();
        const bool same = now == still;
        still = now;
        return same;
    }));
    const int front = frameCodeAt(still, QPointF(kVideoArea.topLeft()), 1.0);
    const int rear = frameCodeAt(still, kRearVideo, kRearScale);
    EXPECT_GT(front, 0);
    EXPECT_EQ(rear, front) << "the rear shows the front's frame";
    // The rear inside the front: a third of its size, white-framed, 1/40 of
    // its width from its lower right corner.
    const QPoint inset = kVideoArea.topLeft() + QPoint(640 - 16 - 213, 360 - 16 - 120);
    EXPECT_GT(qGray(still.pixel(inset + QPoint(1, 1))), 230) << "the inset's frame";
    EXPECT_GT(qGray(still.pixel(inset + QPoint(212, 119))), 230);

    // The rear enlarged: the right popup shows it.
    display.doubleClick(kRearPanel.center());
    const QPoint popup(geometry::kRight.place.x, geometry::kRight.place.y);
    const QRect popupPicture(topLeftOf(popup, geometry::kRight.video),
                             QSize(geometry::kRight.video.width(), geometry::kRight.video.height()));
    EXPECT_TRUE(waitUntil(kTimeoutMs, [&] { return litPixels(display.grab(), popupPicture) > 5000; }))
        << "the right popup shows the rear";
    EXPECT_TRUE(viewer.running());
}
