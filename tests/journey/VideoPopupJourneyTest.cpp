// The enlarged view: a double click on the playing picture opens the left
// popup, where the picture plays on at its larger size; the popup's close
// button brings it back to the main window, where it plays on.

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

namespace {

constexpr int kTimeoutMs = 20000;
constexpr QRgb kFrameGrey = qRgb(150, 150, 150);

// The left popup stands at a fixed screen place; its parts on the screen.
const QPoint kPopupOrigin(geometry::kLeft.place.x, geometry::kLeft.place.y);
const QRect kPopupPicture(topLeftOf(kPopupOrigin, geometry::kLeft.video),
                          QSize(geometry::kLeft.video.width(), geometry::kLeft.video.height()));
const QPoint kPopupClose = kPopupOrigin + QPoint(geometry::kLeft.closeButton.x, geometry::kLeft.closeButton.y);
const QPoint kPopupRightEdge = kPopupOrigin + QPoint(geometry::kLeft.size.width - 1, geometry::kLeft.size.height / 2);

bool popupShown(const QImage& screen) {
    return showsSkinImage(screen, skin::kLeftPopupCloseNormal, kPopupClose) &&
           (screen.pixel(kPopupRightEdge) & 0xFFFFFF) == (kFrameGrey & 0xFFFFFF);
}

class VideoPopupJourney : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(display.ok()) << display.error().toStdString();
        QDir().mkpath(configHome());
    }

    QString configHome() const { return dir.filePath(QStringLiteral("config")); }

    // The picture in `area` moves on: it changes within the time limit.
    bool plays(const QRect& area) {
        QImage before = display.grab(area);
        return waitUntil(kTimeoutMs, [&] {
            const QImage now = display.grab(area);
            if (now != before)
                return true;
            before = now;
            return false;
        });
    }

    QTemporaryDir dir{QDir::tempPath() + QStringLiteral("/kyvopopup-XXXXXX")};
    VirtualDisplay display;
};

} // namespace

TEST_F(VideoPopupJourney, DoubleClickEnlargesThePictureAndTheCloseButtonReturnsIt) {
    const QString file = dir.filePath(QStringLiteral("card/drf_20240612_081500.mov"));
    QString error;
    ASSERT_FALSE(makeRecording(file, 30, QStringLiteral("320x180"), {}, &error).isEmpty()) << error.toStdString();
    ViewerProcess viewer(display, configHome(), dir.path(), {file});
    ASSERT_TRUE(viewer.waitForMainScreen()) << viewer.output().toStdString();
    ASSERT_TRUE(plays(kVideoArea));
    ASSERT_FALSE(popupShown(display.grab()));

    display.doubleClick(kVideoArea.center());
    ASSERT_TRUE(waitUntil(kTimeoutMs, [&] { return popupShown(display.grab()); }))
        << "the left popup opens on a double click";
    ASSERT_TRUE(waitUntil(kTimeoutMs, [&] { return litPixels(display.grab(), kPopupPicture) > 1000; }))
        << "the picture fills the popup";
    EXPECT_TRUE(plays(kPopupPicture)) << "and plays on there";
    const QImage enlarged = display.grab();
    EXPECT_EQ(enlarged.pixel(kPopupOrigin + QPoint(geometry::kLeft.size.width / 2, geometry::kLeft.size.height - 1)),
              kFrameGrey);

    display.click(kPopupClose + QPoint(geometry::kCloseButtonSize.width / 2, geometry::kCloseButtonSize.height / 2));
    ASSERT_TRUE(waitUntil(kTimeoutMs, [&] { return !popupShown(display.grab()); })) << "the close button closes it";
    EXPECT_TRUE(waitUntil(kTimeoutMs, [&] { return showsMainScreen(display.grab()); }));
    EXPECT_GT(litPixels(display.grab(), kVideoArea), 500) << "the picture is back in the main window";
    EXPECT_TRUE(plays(kVideoArea)) << "and plays on there";
    EXPECT_TRUE(viewer.running());
}
