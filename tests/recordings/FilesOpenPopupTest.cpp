// The file selector as the user drives it: folder choice, tabs, "Add to
// List", Cancel, and how it shows, hides and places itself.

#include "SelectorHarness.h"

#include "Contrast.h"
#include "FileUpPage.h"
#include "SelectorControls.h"
#include "StringIds.h"
#include "Strings.h"
#include "ViewerMessages.h"

#include "FolderBrowser.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QTimer>
#include <QListView>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>

namespace kyvo::test {
namespace {

using recordings::control::kAddToList;
using recordings::control::kCancel;

QString box(int stringId) {
    return QStringLiteral("box ") + loadString(stringId);
}

QString filesAdd(int count) {
    return QStringLiteral("msg %1 %2 2").arg(WM_FILES_ADD, 0, 16).arg(count);
}

class FilesOpenPopupTest : public ::testing::Test {
protected:
    void SetUp() override { selector.open(); }

    SelectorHarness selector;
    FilesOpenPopup& popup = selector.popup();
};

TEST_F(FilesOpenPopupTest, FolderChoiceListsOnlyTheTabsKindByNameAndShowsTheFolder) {
    RecordingFolder card({"drf_20240612_081501_B.mov", "drf_20240612_081500_F.mov", "drf_20240612_081501_a.mov",
                          "evt_20240612_081600_F.mov", "muevt_20240612_081700_F.mov", "drf_20240612_081800_F.mjpg",
                          "DRF_20240612_081900_F.mov", "notes.txt"});
    selector.chooseFolder(card.path());
    // Listed by name whatever the file system's order, letters compared
    // without case; markers are case-sensitive.
    const auto& names = selector.page(0).model().names();
    EXPECT_EQ(names, (std::vector<std::u16string>{u"drf_20240612_081500_F.mov", u"drf_20240612_081501_a.mov",
                                                  u"drf_20240612_081501_B.mov"}));
    EXPECT_EQ(selector.counter(0), "[ 000 / 003 ]");
    EXPECT_EQ(selector.folderText(), card.path());
    EXPECT_TRUE(selector.boxes().isEmpty());

    selector.clickTab(2);
    selector.chooseFolder(card.path());
    EXPECT_EQ(selector.page(2).model().names(), std::vector<std::u16string>{u"muevt_20240612_081700_F.mov"});
}

TEST_F(FilesOpenPopupTest, FailedFolderChoicesKeepTheListAndSaySo) {
    RecordingFolder card(normalNames(4));
    RecordingFolder eventsOnly({"evt_20240612_081600_F.mov"});
    selector.chooseFolder(card.path());

    selector.chooseFolder(QString()); // browser cancelled
    selector.chooseFolder(card.path() + "/missing");
    selector.chooseFolder(eventsOnly.path()); // no normal recording there
    EXPECT_EQ(selector.boxes(), QStringList({loadString(strings::kFolderChoiceCancelled),
                                             loadString(strings::kChooseFolder),
                                             loadString(strings::kNoFilesInFolder)}));
    EXPECT_EQ(selector.page(0).itemCount(), 4);
    EXPECT_EQ(selector.counter(0), "[ 000 / 004 ]");
    // The new folder is remembered and shown; the listed names still come
    // from the folder they were read in.
    EXPECT_EQ(popup.folder(0), eventsOnly.path());
    EXPECT_EQ(selector.folderText(), eventsOnly.path());
    selector.clickCheck(0, 1);
    selector.clickButton(kAddToList);
    EXPECT_EQ(popup.selectedList(0), std::vector<std::u16string>{card.fullPath(normalNames(4)[1])});
}

TEST_F(FilesOpenPopupTest, SwitchingTabsEmptiesTheNewlySelectedTab) {
    RecordingFolder card(QStringList(normalNames(5)) << "evt_20240612_090000_F.mov");
    selector.chooseFolder(card.path());
    selector.clickCheck(0, 0);
    selector.clickButton(kAddToList);
    ASSERT_EQ(popup.selectedList(0).size(), 1u);
    selector.open();

    selector.clickTab(1);
    selector.chooseFolder(card.path());
    selector.clickCheck(1, 0);
    EXPECT_EQ(popup.currentTab(), 1);
    EXPECT_EQ(selector.page(1).itemCount(), 1);

    selector.clickTab(0);
    EXPECT_EQ(popup.currentTab(), 0);
    EXPECT_EQ(selector.page(0).itemCount(), 0);
    EXPECT_TRUE(popup.selectedList(0).empty());
    EXPECT_FALSE(selector.page(0).selectAllBox()->isChecked());
    EXPECT_EQ(selector.counter(0), "[ 000 / 000 ]");
    EXPECT_EQ(selector.folderText(), card.path()); // the tab's folder is kept
    // The tab left behind keeps its names; hiding its page cleared its checks.
    EXPECT_EQ(selector.page(1).itemCount(), 1);
    EXPECT_EQ(selector.page(1).checkedCount(), 0);
}

TEST_F(FilesOpenPopupTest, AddToListHandsTheSortedFullPathsOfTheCheckedFiles) {
    const QStringList names = normalNames(10);
    RecordingFolder card(names);
    selector.chooseFolder(card.path());
    for (int row : {7, 2, 5})
        selector.clickCheck(0, row);
    EXPECT_EQ(selector.counter(0), "[ 003 / 010 ]");

    selector.clickButton(kAddToList);
    const std::vector<std::u16string> expected{card.fullPath(names[2]), card.fullPath(names[5]),
                                               card.fullPath(names[7])};
    ASSERT_EQ(selector.mainWindow().received.size(), 1u);
    const auto& sent = selector.mainWindow().received[0];
    EXPECT_EQ(sent.message, WM_FILES_ADD);
    EXPECT_EQ(sent.wParam, 3u);
    EXPECT_EQ(sent.lParam, 2);
    EXPECT_EQ(sent.selected, expected); // ready when the main window reads it
    EXPECT_EQ(popup.selectedList(0), expected);
    EXPECT_FALSE(popup.shown());
    EXPECT_FALSE(popup.isVisible());
    EXPECT_EQ(selector.counter(0), "[ 000 / 010 ]");
    EXPECT_EQ(selector.page(0).list()->currentIndex().row(), 0);
    EXPECT_TRUE(selector.boxes().isEmpty());
}

TEST_F(FilesOpenPopupTest, AddToListWithNothingCheckedSendsNothing) {
    selector.clickButton(kAddToList); // empty list: not even a message
    EXPECT_TRUE(selector.log().isEmpty());
    EXPECT_TRUE(popup.shown());

    RecordingFolder card(normalNames(3));
    selector.chooseFolder(card.path());
    selector.clickButton(kAddToList);
    EXPECT_EQ(selector.log(), QStringList{box(strings::kChooseFiles)});
    EXPECT_TRUE(popup.shown());
}

TEST_F(FilesOpenPopupTest, MoreThan500CheckedAreCutTo500AfterSayingSo) {
    const QStringList names = normalNames(600);
    RecordingFolder card(names);
    selector.chooseFolder(card.path());
    selector.clickSelectAll(0);
    EXPECT_EQ(selector.counter(0), "[ 600 / 600 ]");

    selector.clickButton(kAddToList);
    EXPECT_EQ(selector.log(), QStringList({box(strings::kTooManyFiles), filesAdd(500)}));
    const auto& selected = popup.selectedList(0);
    ASSERT_EQ(selected.size(), 500u);
    EXPECT_EQ(selected.front(), card.fullPath(names[0]));
    EXPECT_EQ(selected.back(), card.fullPath(names[499]));
}

TEST_F(FilesOpenPopupTest, CancelTellsTheMainWindowAndHides) {
    selector.clickButton(kCancel);
    EXPECT_EQ(selector.log(), QStringList{QStringLiteral("msg %1 1 1").arg(WM_FILES_POPUP_CLOSED, 0, 16)});
    EXPECT_FALSE(popup.isVisible());
    EXPECT_FALSE(popup.shown());
}

TEST_F(FilesOpenPopupTest, ShowToggleActsOnlyOnAChangeAndHidingClearsTheChecks) {
    RecordingFolder card(normalNames(4));
    selector.chooseFolder(card.path());
    selector.clickSelectAll(0);
    selector.clickCheck(0, 3);

    popup.setShown(true); // already shown: nothing happens to the page
    EXPECT_EQ(selector.counter(0), "[ 003 / 004 ]");

    popup.setShown(false);
    EXPECT_FALSE(popup.isVisible());
    EXPECT_EQ(selector.counter(0), "[ 000 / 004 ]");
    EXPECT_FALSE(selector.page(0).selectAllBox()->isChecked());
    EXPECT_EQ(selector.page(0).itemCount(), 4); // names stay

    // The main window hiding it directly must not leave the toggle stuck.
    selector.open();
    popup.hide();
    popup.setShown(true);
    EXPECT_TRUE(popup.isVisible());
}

TEST_F(FilesOpenPopupTest, PlacedCentredOnTheMainWindowSizeKeepingItsSize) {
    popup.place(QRect(200, 100, 1020, 780)); // the main window's position does not count
    EXPECT_EQ(popup.storedPosition(), QPoint(330, 166));
    EXPECT_EQ(popup.pos(), QPoint(330, 166));
    EXPECT_EQ(popup.size(), QSize(360, 448));
}

TEST_F(FilesOpenPopupTest, EnterEscapeAndCloseRequestsAreSwallowed) {
    for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter})
        QTest::keyClick(&popup, key);
    EXPECT_FALSE(popup.close());
    EXPECT_TRUE(popup.isVisible());
    EXPECT_TRUE(selector.log().isEmpty());
}

TEST_F(FilesOpenPopupTest, ShutDownEmptiesOnlyTheNormalPage) {
    RecordingFolder card({"drf_20240612_080000_F.mov", "evt_20240612_080000_F.mov"});
    selector.chooseFolder(card.path());
    selector.clickTab(1);
    selector.chooseFolder(card.path());
    popup.shutDown();
    EXPECT_EQ(selector.page(0).itemCount(), 0);
    EXPECT_EQ(selector.page(1).itemCount(), 1);
    EXPECT_FALSE(popup.isVisible());
}

// The real folder browser over the selector: the title the selector gives,
// and the tab's folder to start in once one was chosen.
TEST_F(FilesOpenPopupTest, TheRealFolderBrowserHasItsTitleAndStartsInTheTabsFolder) {
    RecordingFolder card({"drf_20240612_081500_F.mov"});
    selector.chooseFolder(card.path());
    setFolderChooser({}); // the real dialog from here on
    QString title;
    QString startedIn;
    QTimer::singleShot(300, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        title = dialog->windowTitle();
        startedIn = dialog->directory().absolutePath();
        // Every caption of the browser (look in, folder, files of type) reads
        // clearly against its background.
        int captions = 0;
        for (const QLabel* label : dialog->findChildren<QLabel*>()) {
            if (!label->isVisible() || label->text().isEmpty())
                continue;
            ++captions;
            EXPECT_GE(textContrast(*dialog, *label), 4.5) << label->text().toStdString();
        }
        EXPECT_GE(captions, 3);
        dialog->reject();
    });
    selector.clickButton(recordings::control::kFolderChoice);
    EXPECT_EQ(title, loadString(strings::kBrowseFolderTitle));
    EXPECT_EQ(startedIn, QDir(card.path()).absolutePath());
}

} // namespace
} // namespace kyvo::test
