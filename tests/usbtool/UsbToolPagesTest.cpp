// The pages' controls: the Recorder page's enabling and Save, the disabled
// skins, and scrolling of the tall pages by bar, wheel and resize.

#include "UsbToolHarness.h"

#include "ScrolledBody.h"
#include "UsbTabPage.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <QWheelEvent>

using namespace usbtool_test;
using namespace kyvo::usbtool;

namespace {

// One wheel notch over `target` (towards the user scrolls towards the end),
// delivered as Qt delivers the mouse's: to the widget under the pointer,
// then up its parents while they ignore it. A wheel event sent by a test is
// not passed on by Qt itself, hence the walk.
void turnWheel(QWidget* target, bool towardsUser) {
    const QPoint global = target->mapToGlobal(target->rect().center());
    for (QWidget* widget = target; widget; widget = widget->isWindow() ? nullptr : widget->parentWidget()) {
        QWheelEvent event(widget->mapFromGlobal(global), global, QPoint(), QPoint(0, towardsUser ? -120 : 120),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(widget, &event);
        if (event.isAccepted())
            return;
    }
}

} // namespace

TEST_F(UsbToolTest, RecorderClicksMoveTheEnablingAndSaveTakesQualityFromTheOpenGroup) {
    RecorderConfig record;
    record.set(field::kChannels, 2);
    record.set(field::kVideoType, 2);
    record.set(field::kResolution, 3);
    record.set(field::kQuality, 1);
    record.set(field::kSiTime, 1);
    storeRecord(record);
    auto tool = openTool();
    const UsbTabPage* page = tool->page(UsbToolPopup::kRecorderTab);
    QRadioButton* mega = radio(page, "4. Resolution", "", 2);
    EXPECT_TRUE(mega->isChecked());
    EXPECT_TRUE(mega->isEnabled());
    EXPECT_FALSE(radio(page, "5. Quailty", "", 1)->isEnabled());
    EXPECT_TRUE(radio(page, "5-2. Quality", "", 1)->isEnabled());

    radio(page, "1. Channel", "", 0)->click();
    EXPECT_TRUE(radio(page, "5. Quailty", "", 1)->isEnabled());
    EXPECT_FALSE(radio(page, "5-2. Quality", "", 1)->isEnabled());
    radio(page, "5. Quailty", "", 2)->click();
    radio(page, "3. Type", "", 0)->click(); // MPEG4
    EXPECT_FALSE(mega->isEnabled());
    EXPECT_TRUE(mega->isChecked());
    radio(page, "6. AUDIO", "", 2)->click();

    page->saveButton()->click();
    EXPECT_EQ(recorderConfig().get(field::kChannels), 1);
    EXPECT_EQ(recorderConfig().get(field::kVideoType), 0);
    EXPECT_EQ(recorderConfig().get(field::kResolution), 3);
    EXPECT_EQ(recorderConfig().get(field::kQuality), 2);
    EXPECT_EQ(recorderConfig().get(field::kAudio), 3);
    EXPECT_EQ(recorderConfig().get(field::kSiTime), 1); // another page's slot
}

TEST_F(UsbToolTest, PagesSaveTheirListsAndTheSkinsAreShownButNotEditable) {
    RecorderConfig record;
    record.set(field::kSkin, 2);
    record.set(field::kMotionRecordTime, 130);
    storeRecord(record);
    auto tool = openTool();
    const UsbTabPage* display = tool->page(UsbToolPopup::kDisplayTab);
    EXPECT_TRUE(radio(display, "4. Skin(Not Yet)", "", 2)->isChecked());
    EXPECT_FALSE(radio(display, "4. Skin(Not Yet)", "", 0)->isEnabled());
    EXPECT_FALSE(radio(display, "3. UI(Not Yet)", "", 0)->isEnabled());

    const UsbTabPage* recSet = tool->page(UsbToolPopup::kRecSetTab);
    QComboBox* motion = list(recSet, "4. Motion Detection", "3) Record Time(sec)");
    EXPECT_EQ(motion->currentText(), QStringLiteral("120"));
    motion->setCurrentIndex(5);
    radio(recSet, "3. Record Time", "", 4)->click();
    radio(recSet, "2. User Data", "5) JPEG Frame Rate", 1)->click();
    recSet->saveButton()->click();
    EXPECT_EQ(recorderConfig().get(field::kMotionRecordTime), 35);
    EXPECT_EQ(recorderConfig().get(field::kRecordTime), 5);
    EXPECT_EQ(recorderConfig().get(field::kUserJpegFrameRate), 1);
    EXPECT_EQ(recorderConfig().get(field::kSkin), 2);

    const UsbTabPage* setting = tool->page(UsbToolPopup::kSettingTab);
    list(setting, "1. Date/Time", "2) Month")->setCurrentIndex(11);
    list(setting, "3. Accelerometer", "3) Trigger Level")->setCurrentIndex(13);
    radio(setting, "7. System", "4) IR_LED Mode", 2)->click();
    setting->saveButton()->click();
    EXPECT_EQ(recorderConfig().get(field::kYear), 2000); // a blank record shows 2000
    EXPECT_EQ(recorderConfig().get(field::kMonth), 12);
    EXPECT_EQ(recorderConfig().getFloat(field::kTriggerLevel), 1.3f);
    EXPECT_EQ(recorderConfig().get(field::kIrLedMode), 2);
    EXPECT_EQ(recorderConfig().get(field::kMotionRecordTime), 35);
}

TEST_F(UsbToolTest, TallPagesScrollByBarAndWheelButNotThroughTheirLists) {
    auto tool = openTool();
    tool->show();
    tool->tabs()->setCurrentIndex(UsbToolPopup::kSettingTab);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(tool.get()));
    UsbTabPage* setting = tool->page(UsbToolPopup::kSettingTab);
    ScrolledBody* body = setting->scrolledBody();
    ASSERT_NE(body, nullptr);
    const PageScroll& scroll = body->scroll();
    const int visible = body->content()->parentWidget()->height();
    EXPECT_EQ(scroll.range(), body->content()->height() - visible);
    ASSERT_GT(scroll.range(), 100); // the page is taller than its window
    EXPECT_EQ(scroll.lineStep(), std::max(5, scroll.range() / 20));
    EXPECT_EQ(scroll.pageStep(), std::max(5, scroll.range() / 10));

    // The wheel over a label, towards the user: one line towards the end.
    turnWheel(setting->findChild<QLabel*>(), true);
    EXPECT_EQ(scroll.position(), scroll.lineStep());
    EXPECT_EQ(body->content()->y(), -scroll.lineStep());
    EXPECT_EQ(body->scrollBar()->value(), scroll.lineStep());

    // Over a list without the focus the page scrolls and the list stays.
    QComboBox* hour = list(setting, "1. Date/Time", "4) Hour");
    const int hourShown = hour->currentIndex();
    turnWheel(hour, false);
    EXPECT_EQ(scroll.position(), 0);
    EXPECT_EQ(hour->currentIndex(), hourShown);

    body->scrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
    body->scrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(scroll.position(), scroll.pageStep() + scroll.lineStep());
    body->scrollBar()->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(body->content()->geometry().bottom(), visible - 1); // the last group is in view
    turnWheel(body, true);
    EXPECT_EQ(scroll.position(), scroll.range());

    // A resize starts at the top again.
    body->resize(body->width(), body->height() - 40);
    EXPECT_EQ(scroll.position(), 0);
    EXPECT_EQ(body->content()->y(), 0);

    // RecSet is taller than its window too.
    ScrolledBody* recSet = tool->page(UsbToolPopup::kRecSetTab)->scrolledBody();
    ASSERT_NE(recSet, nullptr);
    tool->tabs()->setCurrentIndex(UsbToolPopup::kRecSetTab);
    EXPECT_GT(recSet->scroll().range(), 0);
    EXPECT_EQ(tool->page(UsbToolPopup::kRecorderTab)->scrolledBody(), nullptr);
}
