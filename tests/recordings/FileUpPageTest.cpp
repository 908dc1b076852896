// A page's check list, "Select All" and counter, driven by clicks.

#include "SelectorHarness.h"

#include "FileUpPage.h"

#include <QAbstractButton>
#include <QListView>
#include <QTest>

#include <gtest/gtest.h>

namespace kyvo::test {
namespace {

class FileUpPageTest : public ::testing::Test {
protected:
    void SetUp() override {
        selector.open();
        selector.chooseFolder(card.path());
    }

    RecordingFolder card{normalNames(10)};
    SelectorHarness selector;
    FileUpPage& page = selector.page(0);
};

TEST_F(FileUpPageTest, CounterFollowsEveryCheckChange) {
    EXPECT_EQ(selector.counter(0), "[ 000 / 010 ]");
    selector.clickCheck(0, 0);
    selector.clickCheck(0, 9);
    selector.clickCheck(0, 4);
    EXPECT_EQ(selector.counter(0), "[ 003 / 010 ]");
    selector.clickCheck(0, 9); // a second click unchecks
    EXPECT_EQ(selector.counter(0), "[ 002 / 010 ]");
    EXPECT_FALSE(page.model().isChecked(9));

    // Space toggles the current row, as a click on its box does.
    page.list()->setFocus();
    page.list()->setCurrentIndex(page.model().index(6));
    QTest::keyClick(page.list(), Qt::Key_Space);
    EXPECT_TRUE(page.model().isChecked(6));
    EXPECT_EQ(selector.counter(0), "[ 003 / 010 ]");
}

TEST_F(FileUpPageTest, UncheckingAfterSelectAllCountsOneLessAndKeepsTheBox) {
    selector.clickSelectAll(0);
    EXPECT_TRUE(page.selectAllBox()->isChecked());
    EXPECT_EQ(selector.counter(0), "[ 010 / 010 ]");

    selector.clickCheck(0, 3);
    EXPECT_EQ(selector.counter(0), "[ 009 / 010 ]");
    EXPECT_TRUE(page.selectAllBox()->isChecked());

    selector.clickSelectAll(0); // clearing the box unchecks everything
    EXPECT_FALSE(page.selectAllBox()->isChecked());
    EXPECT_EQ(selector.counter(0), "[ 000 / 010 ]");
}

TEST_F(FileUpPageTest, RefreshBeforeShowingKeepsTheNamesButNotTheChecks) {
    selector.clickSelectAll(0);
    selector.popup().refreshLists();
    EXPECT_EQ(page.itemCount(), 10);
    EXPECT_EQ(selector.counter(0), "[ 000 / 010 ]");
    EXPECT_FALSE(page.selectAllBox()->isChecked());
    EXPECT_EQ(selector.folderText(), card.path());
}

} // namespace
} // namespace kyvo::test
