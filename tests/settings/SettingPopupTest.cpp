// The settings popup as the main window and its own popups use it.

#include "MessageBox.h"
#include "QtTempFolder.h"
#include "SettingPopup.h"
#include "StringIds.h"
#include "Strings.h"
#include "ViewerMessages.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace kyvo;

TEST(SettingPopup, StartsIdleAndHandsOutTheLoadedBlockWithItsMarkers) {
    SettingPopup popup(nullptr);
    EXPECT_TRUE(popup.idle());
    EXPECT_FALSE(popup.isVisible());
    auto block = settings::SystemSettings::defaults();
    block.setSpeedUnit(1);
    block.setMarkerA(0);
    block.setMarkerB(9);
    popup.loadBlock(block.toBytes());
    const auto out = settings::SystemSettings::fromBytes(popup.blockBytes());
    EXPECT_EQ(out.speedUnit(), 1);
    EXPECT_EQ(popup.speedUnit(), 1);
    EXPECT_EQ(out.markerA(), 5);
    EXPECT_EQ(out.markerB(), 1);
}

TEST(SettingPopup, CardSettingsAreWrittenOrTheFailureIsShown) {
    const kyvo::test::QtTempFolder dir;
    std::vector<QString> shown;
    setMessageBoxSink([&](const MessageBoxRequest& request) {
        shown.push_back(request.text);
        return kAnswerOk;
    });
    SettingPopup popup(nullptr);
    popup.store().setCardDrive(dir.path().toStdString());
    EXPECT_EQ(sendMessage(&popup, WM_CARD_SETTINGS_WRITE), 1);
    EXPECT_EQ(QFile(dir.filePath(QStringLiteral("jxq_config.dat"))).size(), 35);
    EXPECT_TRUE(shown.empty());

    popup.store().setCardDrive(dir.filePath(QStringLiteral("missing/card")).toStdString());
    sendMessage(&popup, WM_CARD_SETTINGS_WRITE);
    setMessageBoxSink({});
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], loadString(strings::kCardFileWriteFailed));
}
