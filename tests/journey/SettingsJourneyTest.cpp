// The system settings as a user changes them: the settings button opens the
// popup over a held recording, a click in the speed-unit list changes the
// unit sign of the main window at once, ticking "use password" asks for the
// password twice, and the exit button closes the popup. After a restart the
// unit is still chosen and the viewer asks for the new password; the
// information button shows the build's version.

#include "PopupLayout.h"
#include "Skin.h"
#include "Screen.h"
#include "SkinIds.h"
#include "ViewerProcess.h"
#include "VirtualDisplay.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <X11/keysym.h>

using namespace kyvo;
using namespace kyvo::journey;
namespace popup = kyvo::settings::popup;

namespace {

constexpr int kShowTimeoutMs = 10000;
const QPoint kSettingsButton(279, 745);
const QPoint kInfoButton(219, 745);
const QPoint kUnitSignAt(200, 638);
const QPoint kSettingOrigin(popup::kSettingOffset.x, popup::kSettingOffset.y);
const QPoint kPasswordOrigin(popup::kPasswordOffset.x, popup::kPasswordOffset.y);
const QPoint kInfoOrigin(popup::kInfoOffset.x, popup::kInfoOffset.y);

bool shows(VirtualDisplay& display, int id, QPoint at) {
    return waitUntil(kShowTimeoutMs, [&] { return showsSkinImage(display.grab(), id, at); });
}

} // namespace

TEST(SettingsJourney, TheUnitChangesAtOnceAndTheUnitAndPasswordOutliveARestart) {
    QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/kyvosettings-XXXXXX"));
    VirtualDisplay display;
    ASSERT_TRUE(display.ok()) << display.error().toStdString();
    const QString config = dir.filePath(QStringLiteral("config"));
    const QString recording = dir.filePath(QStringLiteral("drf_20240612_081500.mov"));
    ASSERT_FALSE(makeRecording(recording, 6).isEmpty());

    {
        ViewerProcess viewer(display, config, dir.path(), {QStringLiteral("--offline"), QStringLiteral("--at"),
                                                           QStringLiteral("3"), recording});
        ASSERT_TRUE(viewer.waitForMainScreen()) << viewer.output().toStdString();
        ASSERT_TRUE(shows(display, skin::kUnitKmh, kUnitSignAt));

        display.click(kSettingsButton);
        ASSERT_TRUE(shows(display, skin::kPopupExitNormal, topLeftOf(kSettingOrigin, popup::kExit)))
            << "the settings popup opens";
        display.click(centreOf(kSettingOrigin, popup::kFoldButton));
        ASSERT_TRUE(shows(display, skin::kFoldOpen, topLeftOf(kSettingOrigin, popup::kFoldButton)));
        display.click(kSettingOrigin + QPoint(popup::kUnitNameX + 30, popup::kUnitNameY[2] + 6));
        EXPECT_TRUE(shows(display, skin::kUnitKnots, kUnitSignAt)) << "the unit sign changes while the popup is open";

        display.click(centreOf(kSettingOrigin, popup::kCheckBox));
        ASSERT_TRUE(shows(display, skin::kPopupOkNormal, topLeftOf(kPasswordOrigin, popup::kPasswordOk)))
            << "the password popup opens";
        display.type(QStringLiteral("2580"));
        display.click(centreOf(kPasswordOrigin, popup::kVerifyPasswordEdit));
        display.type(QStringLiteral("2580"));
        display.key(XK_Return);
        EXPECT_TRUE(shows(display, skin::kCheckBoxOn, topLeftOf(kSettingOrigin, popup::kCheckBox)));

        display.click(centreOf(kSettingOrigin, popup::kExit));
        EXPECT_TRUE(waitUntil(kShowTimeoutMs, [&] {
            return !showsSkinImage(display.grab(), skin::kPopupExitNormal, topLeftOf(kSettingOrigin, popup::kExit));
        })) << "the exit button closes the popup";

        display.click(kInfoButton);
        EXPECT_TRUE(shows(display, skin::kPopupCloseNormal, topLeftOf(kInfoOrigin, popup::kInfoClose)));
        display.click(centreOf(kInfoOrigin, popup::kInfoClose));
        display.click(kCloseButton);
        EXPECT_TRUE(viewer.waitForExit());
    }

    // The next start asks for the password; with it the knots stay chosen.
    ViewerProcess viewer(display, config, dir.path(), {QStringLiteral("--offline")});
    // The password screen stands centred; its top strip is the skin's.
    const QPoint gate((VirtualDisplay::kWidth - 440) / 2, (VirtualDisplay::kHeight - 300) / 2);
    const QRect strip(0, 0, 360, 40); // left of the close button
    const QImage top = skinImage(skin::kPasswordBackground).copy(strip).convertToFormat(QImage::Format_RGB32);
    ASSERT_TRUE(waitUntil(kShowTimeoutMs * 3, [&] {
        return display.grab(strip.translated(gate)).convertToFormat(QImage::Format_RGB32) == top;
    })) << "the password screen stands first";
    display.click(gate + QPoint(212, 213)); // into the password edit
    EXPECT_FALSE(showsMainScreen(display.grab()));
    display.type(QStringLiteral("2580"));
    display.key(XK_Return);
    ASSERT_TRUE(viewer.waitForMainScreen()) << viewer.output().toStdString();
    EXPECT_TRUE(shows(display, skin::kUnitKnots, kUnitSignAt));
}
