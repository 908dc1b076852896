#pragma once
// What the USB tool's window tests share: a store file of their own, a
// recorded message box, a fresh record, and finding a page's controls by
// their group and label.

#include "QtTempFolder.h"
#include "RecorderConfig.h"
#include "RegistryStore.h"
#include "UsbToolPopup.h"

#include <QByteArray>
#include <QString>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

class QComboBox;
class QRadioButton;
class QWidget;

namespace usbtool_test {

using kyvo::usbtool::RecorderConfig;
using kyvo::usbtool::UsbToolPopup;

inline const std::string kDoublePath = USB_RECORDER_DOUBLE_PATH;

class UsbToolTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    std::unique_ptr<UsbToolPopup> openTool(const std::string& library = kDoublePath);
    void storeRecord(const RecorderConfig& record);
    void storeBytes(const QByteArray& bytes);
    std::optional<QByteArray> stored() const;
    // The stored value as a record (all zero when nothing is stored).
    RecorderConfig storedRecord() const;
    static bool waitUntilIdle(const UsbToolPopup& tool);

    kyvo::test::QtTempFolder dir_{"kyvousbtool"};
    std::unique_ptr<kyvo::RegistryStore> store_;
    std::vector<QString> messages_;
};

// A radio button of a page: the group's title, the row's label (empty for a
// group of one unlabelled row) and the button's index.
QRadioButton* radio(const QWidget* page, const char* group, const char* row, int index);
// A drop-down list of a page by its group's title and its label.
QComboBox* list(const QWidget* page, const char* group, const char* label);

// The stand-in library's script: a delay before it answers a read.
void setDoubleReadDelay(int milliseconds);

} // namespace usbtool_test
