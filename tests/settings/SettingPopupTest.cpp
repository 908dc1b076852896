// The settings, card-file, password and information popups driven through
// their buttons, mouse and keys, with the main window stood in for by a
// window that records what it is told.

#include "FolderBrowser.h"
#include "InfoPopup.h"
#include "MessageBox.h"
#include "PasswordSetting.h"
#include "PopupLayout.h"
#include "QtTempFolder.h"
#include "SettingPopup.h"
#include "SettingSavePopup.h"
#include "SkinButton.h"
#include "StringIds.h"
#include "Strings.h"
#include "ViewerMessages.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

using namespace kyvo;
namespace popup = kyvo::settings::popup;

namespace {

struct Message {
    unsigned message;
    WParam wParam;
    LParam lParam;
    friend bool operator==(const Message&, const Message&) = default;
};

class MainWindowStandIn : public MessageWindow {
public:
    std::vector<Message> received;

protected:
    LResult windowMessage(unsigned message, WParam wParam, LParam lParam) override {
        received.push_back({message, wParam, lParam});
        return 1;
    }
};

QPoint centreOf(layout::Rect r) {
    return QPoint(r.left + r.width() / 2, r.top + r.height() / 2);
}

class SettingPopupTest : public testing::Test {
protected:
    SettingPopupTest() {
        setMessageBoxSink([this](const MessageBoxRequest& request) {
            shown.push_back(request.text);
            return kAnswerOk;
        });
        popup.loadBlock(settings::SystemSettings::defaults().toBytes());
        popup.place(QRect(0, 0, 1020, 780));
    }
    ~SettingPopupTest() override {
        setMessageBoxSink({});
        setFolderChooser({});
    }
    void open(PopupMode mode) {
        popup.setMode(mode);
        popup.layOut();
        popup.setShown(true);
    }
    void clickAt(QWidget* widget, QPoint at) { QTest::mouseClick(widget, Qt::LeftButton, {}, at); }
    void click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
    void typePasswords(const QString& first, const QString& second) {
        PasswordSetting* password = popup.passwordPopup();
        QTest::keyClicks(password->newPasswordEdit(), first);
        QTest::keyClicks(password->verifyPasswordEdit(), second);
    }

    std::vector<QString> shown;
    MainWindowStandIn mainWindow;
    SettingPopup popup{&mainWindow};
};

} // namespace

TEST_F(SettingPopupTest, StartsIdleAndHandsOutTheLoadedBlockWithItsMarkers) {
    SettingPopup fresh(nullptr);
    EXPECT_TRUE(fresh.idle());
    EXPECT_FALSE(fresh.isVisible());
    auto block = settings::SystemSettings::defaults();
    block.setSpeedUnit(1);
    block.setMarkerA(0);
    block.setMarkerB(9);
    fresh.loadBlock(block.toBytes());
    const auto out = settings::SystemSettings::fromBytes(fresh.blockBytes());
    EXPECT_EQ(out.speedUnit(), 1);
    EXPECT_EQ(fresh.speedUnit(), 1);
    EXPECT_EQ(out.markerA(), 5);
    EXPECT_EQ(out.markerB(), 1);
}

TEST_F(SettingPopupTest, TheUnitListChangesTheUnitAtOnceAndExitTellsTheMainWindow) {
    int changes = 0;
    popup.setChangeListener([&] { ++changes; });
    open(PopupMode::SystemSettingsMode);
    EXPECT_EQ(popup.pos(), QPoint(324, 155));
    EXPECT_FALSE(popup.folderButton()->isVisible());
    clickAt(&popup, centreOf(popup::kFoldButton));
    ASSERT_TRUE(popup.state().unitListOpen());
    clickAt(&popup, QPoint(60, popup::kUnitNameY[2] + 5));
    EXPECT_EQ(popup.speedUnit(), settings::kSpeedUnitKnots);
    EXPECT_GE(changes, 2);
    click(popup.exitButton());
    EXPECT_FALSE(popup.isVisible());
    EXPECT_TRUE(popup.idle());
    EXPECT_EQ(mainWindow.received, (std::vector<Message>{{WM_POPUP_DONE, 0, 0}}));
    // The exit does not undo the choice; the main window keeps it.
    EXPECT_EQ(settings::SystemSettings::fromBytes(popup.blockBytes()).speedUnit(), settings::kSpeedUnitKnots);
}

TEST_F(SettingPopupTest, APasswordTypedTwiceIsStoredWithLeadingZerosAndExitWaitsForThePasswordPopup) {
    open(PopupMode::SystemSettingsMode);
    clickAt(&popup, centreOf(popup::kCheckBox));
    PasswordSetting* password = popup.passwordPopup();
    ASSERT_TRUE(password->isVisible());
    EXPECT_EQ(popup.store().live().usePassword(), 1);
    // Exit and confirm wait while the password popup is open.
    click(popup.exitButton());
    click(popup.confirmButton());
    EXPECT_TRUE(popup.isVisible());
    EXPECT_TRUE(mainWindow.received.empty());
    EXPECT_FALSE(popup.savePopup()->isVisible());

    typePasswords(QStringLiteral("42x"), QStringLiteral("42"));
    QTest::keyClick(password->verifyPasswordEdit(), Qt::Key_Return);
    EXPECT_FALSE(password->isVisible());
    EXPECT_EQ(popup.store().live().password(), "0042");
    EXPECT_EQ(popup.store().live().usePassword(), 1);
    EXPECT_TRUE(shown.empty());
    EXPECT_TRUE(password->newPasswordEdit()->text().isEmpty());

    click(popup.exitButton());
    EXPECT_EQ(mainWindow.received, (std::vector<Message>{{WM_POPUP_DONE, 0, 0}}));
}

TEST_F(SettingPopupTest, DifferentEntriesAreRefusedAndClosingThePasswordPopupTurnsThePasswordOff) {
    open(PopupMode::SystemSettingsMode);
    clickAt(&popup, centreOf(popup::kCheckBox));
    typePasswords(QStringLiteral("1234"), QStringLiteral("1235"));
    click(popup.passwordPopup()->okButton());
    EXPECT_EQ(popup.store().live().usePassword(), 0);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], loadString(strings::kPasswordMismatch));

    clickAt(&popup, centreOf(popup::kCheckBox));
    // Enter in the first edit and Escape do not close the popup.
    QTest::keyClick(popup.passwordPopup()->newPasswordEdit(), Qt::Key_Return);
    QTest::keyClick(popup.passwordPopup()->newPasswordEdit(), Qt::Key_Escape);
    EXPECT_TRUE(popup.passwordPopup()->isVisible());
    click(popup.passwordPopup()->closeButton());
    EXPECT_FALSE(popup.passwordPopup()->isVisible());
    EXPECT_EQ(popup.store().live().usePassword(), 0);
    EXPECT_EQ(shown.size(), 1u);
}

TEST_F(SettingPopupTest, TheCardFileIsWrittenIntoTheChosenFolderOrItsFailureShown) {
    const kyvo::test::QtTempFolder dir;
    open(PopupMode::SystemSettingsMode);
    click(popup.confirmButton());
    SettingSavePopup* save = popup.savePopup();
    ASSERT_TRUE(save->isVisible());
    EXPECT_EQ(save->pos(), QPoint(514, 398));

    // No card folder yet: the user is asked for one and nothing is written.
    click(save->okButton());
    EXPECT_TRUE(save->isVisible());
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], loadString(strings::kChooseFolder));
    EXPECT_FALSE(QFile::exists(QStringLiteral("jxq_config.dat")));

    setFolderChooser([&](const QString&, const QString&) { return dir.path(); });
    click(save->folderButton());
    EXPECT_EQ(popup.store().cardDrive(), (dir.path() + QStringLiteral("/")).toStdString());
    click(save->okButton());
    EXPECT_FALSE(save->isVisible());
    EXPECT_EQ(QFile(dir.filePath(QStringLiteral("jxq_config.dat"))).size(), 35);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[1], loadString(strings::kCardFileWritten));

    popup.store().setCardDrive(dir.filePath(QStringLiteral("missing/card")).toStdString());
    sendMessage(&popup, WM_CARD_SETTINGS_WRITE);
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[2], loadString(strings::kCardFileWriteFailed));
}

TEST_F(SettingPopupTest, CaptureAndBackupModesShowTheirFolderAndAnswerTheMainWindow) {
    setFolderChooser([](const QString&, const QString&) { return QStringLiteral("/"); });
    open(PopupMode::ImageCapture);
    EXPECT_TRUE(popup.folderButton()->isVisible());
    click(popup.folderButton());
    EXPECT_EQ(popup.store().captureFolder(), "/");
    clickAt(&popup, centreOf(popup::kCheckBox));
    click(popup.closeButton());
    EXPECT_EQ(mainWindow.received, (std::vector<Message>{{WM_POPUP_DONE, 1, 0}}));

    mainWindow.received.clear();
    open(PopupMode::Backup);
    click(popup.confirmButton());
    EXPECT_FALSE(popup.isVisible());
    EXPECT_TRUE(popup.idle());
    EXPECT_EQ(mainWindow.received, (std::vector<Message>{{WM_BACKUP_REQUEST, 1, 0}}));
}

TEST_F(SettingPopupTest, KeysThatWouldCloseADialogAreSwallowed) {
    open(PopupMode::SystemSettingsMode);
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Escape, Qt::Key_F4})
        QTest::keyClick(&popup, key);
    QTest::keyClick(&popup, Qt::Key_F4, Qt::AltModifier);
    popup.close();
    EXPECT_TRUE(popup.isVisible());
    EXPECT_TRUE(mainWindow.received.empty());
}

TEST(InfoPopup, ShowsTheBuildsVersionAndItsCloseButtonHidesIt) {
    EXPECT_EQ(InfoPopup::versionText({1, 0, 1, 0}), QStringLiteral("1.0.1.0"));
    InfoPopup info(nullptr);
    info.place(QRect(10, 20, 1020, 780));
    info.setShown(true);
    EXPECT_EQ(info.pos(), QPoint(334, 283));
    EXPECT_EQ(info.size(), QSize(372, 254));
    QTest::mouseClick(info.closeButton(), Qt::LeftButton);
    EXPECT_FALSE(info.isVisible());
}
