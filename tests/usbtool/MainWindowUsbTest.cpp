// The main window's USB button opens the USB management tool, once.

#include "UsbToolHarness.h"

#include "CJXQ_PCMgrDlg.h"
#include "SkinButton.h"
#include "UsbTabPage.h"

#include <QPointer>
#include <QRadioButton>
#include <QTest>

using namespace usbtool_test;
using namespace kyvo::usbtool;

TEST_F(UsbToolTest, TheUsbButtonCreatesTheToolOnceWithTheWindowsStoreAndShowsItAgain) {
    RecorderConfig record;
    record.set(field::kLcdSource, 5); // OBD
    storeRecord(record);
    auto dialog = std::make_unique<kyvo::app::CJXQ_PCMgrDlg>(
        std::make_unique<kyvo::RegistryStore>(dir_.filePath(QStringLiteral("usb.ini"))));
    dialog->initDialog();
    dialog->show();
    kyvo::SkinButton* usb = dialog->button(kyvo::app::control::kUsb);
    ASSERT_NE(usb, nullptr);
    ASSERT_TRUE(usb->isVisible());
    EXPECT_EQ(dialog->usbPopup(), nullptr);

    usb->click();
    QPointer<UsbToolPopup> tool = dialog->usbPopup();
    ASSERT_FALSE(tool.isNull());
    EXPECT_TRUE(tool->isVisible());
    EXPECT_TRUE(radio(tool->page(UsbToolPopup::kDisplayTab), "1. LCD", "", 4)->isChecked());

    tool->hide();
    EXPECT_FALSE(tool->isVisible());
    tool->move(tool->pos() + QPoint(30, 0));
    const QPoint moved = tool->pos();
    usb->click();
    EXPECT_EQ(dialog->usbPopup(), tool.data());
    EXPECT_TRUE(tool->isVisible());
    EXPECT_EQ(tool->pos(), moved); // shown again where it was left

    dialog->endDialog(0);
    EXPECT_TRUE(tool.isNull());
}
