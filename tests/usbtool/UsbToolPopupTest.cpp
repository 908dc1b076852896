// The USB management tool's window: the record from the store, "Data
// Transmission" off the GUI thread, Cancel and closing, keys and dragging.

#include "UsbToolHarness.h"

#include "ScrolledBody.h"
#include "UsbExchange.h"
#include "UsbTabPage.h"

#include "Contrast.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QStyle>
#include <QStyleOptionButton>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTabWidget>
#include <QTest>

using namespace usbtool_test;
using namespace kyvo::usbtool;

namespace {

UsbTabPage* page(const UsbToolPopup& tool, int tab) {
    return tool.page(tab);
}

} // namespace

TEST_F(UsbToolTest, CreatedHiddenAndCentredWithSixTabsShowingTheStoredRecord) {
    RecorderConfig record;
    record.set(field::kChannels, 2);
    record.set(field::kLcdSource, 4);
    record.set(field::kYear, 2024);
    storeRecord(record);

    auto tool = openTool();
    EXPECT_EQ(recorderConfig(), record);
    EXPECT_FALSE(tool->isVisible());
    EXPECT_EQ(tool->windowTitle(), QStringLiteral("USB Management Tool"));
    EXPECT_EQ(tool->size(), QSize(427, 435));
    EXPECT_EQ(tool->minimumSize(), tool->maximumSize());
    const QRect desktop = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_LE((tool->geometry().center() - desktop.center()).manhattanLength(), 2);

    QStringList tabs;
    for (int tab = 0; tab < tool->tabs()->count(); ++tab)
        tabs << tool->tabs()->tabText(tab);
    EXPECT_EQ(tabs, QStringList({"Recorder", "RecSet", "Viewer", "Display", "Setting", "Etc"}));
    EXPECT_TRUE(tool->transmitButton()->isDefault());

    EXPECT_TRUE(radio(page(*tool, UsbToolPopup::kRecorderTab), "1. Channel", "", 1)->isChecked());
    EXPECT_TRUE(radio(page(*tool, UsbToolPopup::kDisplayTab), "1. LCD", "", 3)->isChecked()); // TPMS
    EXPECT_EQ(list(page(*tool, UsbToolPopup::kSettingTab), "1. Date/Time", "1) Year")->currentText(),
              QStringLiteral("2024"));
}

TEST_F(UsbToolTest, AShortStoredValueReplacesOnlyItsSlotsAndAMissingOneNothing) {
    recorderConfig().set(field::kYear, 2031);
    { auto tool = openTool(); }
    EXPECT_EQ(recorderConfig().get(field::kYear), 2031);

    storeBytes(QByteArray("\x02\x00\x00\x00\x01\x00\x00\x00", 8));
    auto tool = openTool();
    EXPECT_EQ(recorderConfig().get(field::kChannels), 2);
    EXPECT_EQ(recorderConfig().get(field::kRecordingMode), 1);
    EXPECT_EQ(recorderConfig().get(field::kYear), 2031);
}

// Only what a page saved goes out; the answer (the recorder's last five
// slots 0xA5) replaces the record and is stored, but the pages keep showing
// what they showed.
TEST_F(UsbToolTest, DataTransmissionSendsOnlySavedChangesAndStoresTheAnswer) {
    auto tool = openTool();
    UsbTabPage* display = page(*tool, UsbToolPopup::kDisplayTab);
    radio(display, "1. LCD", "", 3)->click(); // TPMS, not saved
    UsbTabPage* viewer = page(*tool, UsbToolPopup::kViewerTab);
    radio(viewer, "Sort Condition", "", 1)->click();
    viewer->saveButton()->click();

    tool->transmitButton()->click();
    ASSERT_TRUE(waitUntilIdle(*tool));
    EXPECT_TRUE(messages_.empty());
    const std::optional<QByteArray> bytes = stored();
    ASSERT_TRUE(bytes);
    ASSERT_EQ(bytes->size(), 336);
    for (std::size_t i = 0; i < field::kUntouched; ++i) {
        const std::uint8_t expected = i == field::kViewerSort ? 1 : 0;
        ASSERT_EQ(static_cast<std::uint8_t>(bytes->at(static_cast<qsizetype>(i))), expected) << "byte " << i;
    }
    for (std::size_t i = field::kUntouched; i < RecorderConfig::kSize; ++i)
        ASSERT_EQ(static_cast<std::uint8_t>(bytes->at(static_cast<qsizetype>(i))), 0xA5) << "byte " << i;
    EXPECT_EQ(recorderConfig(), storedRecord());
    EXPECT_TRUE(radio(display, "1. LCD", "", 3)->isChecked());
    EXPECT_EQ(recorderConfig().get(field::kLcdSource), 0);

    // A second transmission straight after the first goes out as well.
    radio(viewer, "Sort Condition", "", 0)->click();
    viewer->saveButton()->click();
    tool->transmitButton()->click();
    EXPECT_TRUE(tool->transmitting());
    ASSERT_TRUE(waitUntilIdle(*tool));
    EXPECT_EQ(storedRecord().get(field::kViewerSort), 0);
}

TEST_F(UsbToolTest, SavedTpmsIsStoredAsFourAndTheNextWindowShowsIt) {
    {
        auto tool = openTool();
        UsbTabPage* display = page(*tool, UsbToolPopup::kDisplayTab);
        radio(display, "1. LCD", "", 3)->click();
        display->saveButton()->click();
        EXPECT_EQ(recorderConfig().get(field::kLcdSource), 4);
        tool->transmitButton()->click();
        ASSERT_TRUE(waitUntilIdle(*tool));
    }
    EXPECT_EQ(storedRecord().get(field::kLcdSource), 4);
    recorderConfig() = RecorderConfig{}; // a new run
    auto tool = openTool();
    EXPECT_TRUE(radio(page(*tool, UsbToolPopup::kDisplayTab), "1. LCD", "", 3)->isChecked());
}

TEST_F(UsbToolTest, TheWindowStaysUsableWhileTheExchangeRunsAndTheAnswerLandsWhenHidden) {
    setDoubleReadDelay(2000); // long enough to stay in flight on a loaded machine
    auto tool = openTool();
    tool->show();
    const UsbTabPage* recorder = page(*tool, UsbToolPopup::kRecorderTab);
    radio(recorder, "1. Channel", "", 0)->click(); // disables "5-2. Quality"
    const RecorderConfig sent = recorderConfig();

    QElapsedTimer clock;
    clock.start();
    tool->transmitButton()->click();
    EXPECT_LT(clock.elapsed(), 1000); // the click did not wait for the recorder
    EXPECT_TRUE(tool->transmitting());
    EXPECT_TRUE(tool->busyBar()->isVisible());
    EXPECT_FALSE(tool->transmitButton()->isEnabled());
    EXPECT_FALSE(tool->cancelButton()->isEnabled());
    EXPECT_FALSE(page(*tool, UsbToolPopup::kSettingTab)->isEnabled());
    EXPECT_EQ(tool->cursor().shape(), Qt::WaitCursor);

    // Events keep flowing: tabs change and the window hides while it waits.
    tool->tabs()->setCurrentIndex(UsbToolPopup::kSettingTab);
    QTest::qWait(50);
    EXPECT_TRUE(tool->transmitting());
    EXPECT_EQ(recorderConfig(), sent); // the answer is not in yet
    tool->hide();

    ASSERT_TRUE(waitUntilIdle(*tool));
    EXPECT_EQ(storedRecord().get(field::kUntouched), static_cast<std::int32_t>(0xA5A5A5A5));
    EXPECT_EQ(recorderConfig(), storedRecord());
    EXPECT_TRUE(tool->transmitButton()->isEnabled());
    EXPECT_TRUE(page(*tool, UsbToolPopup::kSettingTab)->isEnabled());
    EXPECT_FALSE(tool->busyBar()->isVisibleTo(tool.get()));
    EXPECT_EQ(tool->cursor().shape(), Qt::ArrowCursor);
    // Re-enabling the pages leaves the group the page disabled as it was.
    EXPECT_FALSE(radio(recorder, "5-2. Quality", "", 0)->isEnabled());
    EXPECT_TRUE(radio(recorder, "5. Quailty", "", 0)->isEnabled());
}

TEST_F(UsbToolTest, AMissingLibraryShowsDeviceNotFoundAndStoresTheRecordUnchanged) {
    RecorderConfig record;
    record.set(field::kChannels, 1);
    record.set(field::kGpsMode, 1);
    recorderConfig() = record;
    auto tool = openTool(dir_.filePath(QStringLiteral("missing/libusb-0.1.so.4")).toStdString());
    tool->transmitButton()->click();
    ASSERT_TRUE(waitUntilIdle(*tool));
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0], QString::fromLatin1(kDeviceNotFoundMessage));
    EXPECT_EQ(messages_[0], QStringLiteral("Device not found.\n"));
    EXPECT_EQ(recorderConfig(), record);
    EXPECT_EQ(storedRecord(), record);
    EXPECT_TRUE(tool->transmitButton()->isEnabled());
}

TEST_F(UsbToolTest, CancelAndClosingOnlyHideAndStoreNothing) {
    auto tool = openTool();
    tool->show();
    radio(page(*tool, UsbToolPopup::kViewerTab), "Sort Condition", "", 1)->click();
    page(*tool, UsbToolPopup::kViewerTab)->saveButton()->click();
    tool->cancelButton()->click();
    EXPECT_FALSE(tool->isVisible());
    tool->show();
    EXPECT_FALSE(tool->close());
    EXPECT_FALSE(tool->isVisible());
    EXPECT_FALSE(stored());
    // Shown again it is the same window with the same pages.
    tool->show();
    EXPECT_TRUE(radio(page(*tool, UsbToolPopup::kViewerTab), "Sort Condition", "", 1)->isChecked());
}

TEST_F(UsbToolTest, EnterEscapeAndF4AreSwallowedWhereverTheFocusIs) {
    auto tool = openTool();
    tool->show();
    tool->activateWindow();
    UsbTabPage* display = page(*tool, UsbToolPopup::kDisplayTab);
    tool->tabs()->setCurrentIndex(UsbToolPopup::kDisplayTab);
    radio(display, "1. LCD", "", 4)->click();

    display->saveButton()->setFocus();
    QTest::keyClick(display->saveButton(), Qt::Key_Return);
    QTest::keyClick(display->saveButton(), Qt::Key_Enter);
    tool->transmitButton()->setFocus();
    QTest::keyClick(tool->transmitButton(), Qt::Key_Return);
    QTest::keyClick(tool->transmitButton(), Qt::Key_Escape);
    QTest::keyClick(tool.get(), Qt::Key_F4, Qt::AltModifier);
    QTest::keyClick(tool.get(), Qt::Key_Escape);
    QTest::keyClick(radio(display, "2. TV", "", 0), Qt::Key_F4);

    EXPECT_TRUE(tool->isVisible());
    EXPECT_FALSE(tool->transmitting());
    EXPECT_EQ(recorderConfig().get(field::kLcdSource), 0); // Save was not pressed by Enter
    QTest::qWait(20);
    EXPECT_FALSE(stored());
    // Space still presses the focused button.
    QTest::keyClick(display->saveButton(), Qt::Key_Space);
    EXPECT_EQ(recorderConfig().get(field::kLcdSource), 5);
}

TEST_F(UsbToolTest, DraggingTheBackgroundMovesTheWindowByThePointersDisplacement) {
    auto tool = openTool();
    tool->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(tool.get()));
    const QPoint start = tool->pos();
    const QPoint background(2, tool->height() - 2); // the margin under the tab control
    QTest::mousePress(tool.get(), Qt::LeftButton, {}, background);
    QTest::mouseMove(tool.get(), background + QPoint(-40, 25));
    QTest::mouseRelease(tool.get(), Qt::LeftButton, {}, background + QPoint(-40, 25));
    EXPECT_EQ(tool->pos(), start + QPoint(-40, 25));
    // After the release the pointer moves alone.
    QTest::mouseMove(tool.get(), background + QPoint(10, 10));
    EXPECT_EQ(tool->pos(), start + QPoint(-40, 25));
}

// Every caption of every page reads clearly against the window's background:
// labels, radio buttons, check boxes and buttons.
TEST_F(UsbToolTest, EveryTextOfEveryPageReadsClearly) {
    auto tool = openTool();
    tool->show();
    int texts = 0;
    for (int tab = 0; tab < tool->tabs()->count(); ++tab) {
        tool->tabs()->setCurrentIndex(tab);
        QApplication::processEvents();
        for (QWidget* part : tool->findChildren<QWidget*>()) {
            if (!part->isVisible() || !part->isEnabled())
                continue; // a greyed-out choice is meant to recede
            QRect area;
            if (auto* label = qobject_cast<QLabel*>(part); label && !label->text().isEmpty()) {
                area = label->contentsRect();
            } else if (auto* button = qobject_cast<QAbstractButton*>(part); button && !button->text().isEmpty()) {
                // The caption alone: not the radio's circle, the box's square or a button's bevel.
                QStyleOptionButton option;
                option.initFrom(button);
                option.text = button->text();
                const auto element = qobject_cast<QRadioButton*>(button)  ? QStyle::SE_RadioButtonContents
                                     : qobject_cast<QCheckBox*>(button) ? QStyle::SE_CheckBoxContents
                                                                         : QStyle::SE_PushButtonContents;
                area = button->style()->subElementRect(element, &option, button);
            } else {
                continue;
            }
            // Only captions the window shows whole: scrolled ones lie (partly)
            // outside their viewport.
            const QRect whole(part->mapTo(tool.get(), area.topLeft()), area.size());
            QRect shown = whole;
            for (QWidget* ancestor = part->parentWidget(); ancestor && ancestor != tool.get();
                 ancestor = ancestor->parentWidget())
                shown &= QRect(ancestor->mapTo(tool.get(), QPoint(0, 0)), ancestor->size());
            if (shown != whole || whole.isEmpty())
                continue;
            ++texts;
            const double contrast = kyvo::test::textContrast(tool->grab(shown).toImage());
            EXPECT_GE(contrast, 4.5) << "tab " << tab << ": " << part->metaObject()->className() << " \""
                                     << (qobject_cast<QLabel*>(part) ? qobject_cast<QLabel*>(part)->text()
                                                                     : qobject_cast<QAbstractButton*>(part)->text())
                                            .toStdString()
                                     << "\"";
        }
    }
    EXPECT_GE(texts, 30);
}
