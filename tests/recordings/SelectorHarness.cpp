#include "SelectorHarness.h"

#include "CheckListDelegate.h"
#include "FileUpPage.h"
#include "FolderBrowser.h"
#include "FolderLabel.h"
#include "MessageBox.h"
#include "SelectorControls.h"

#include <QAbstractButton>
#include <QFile>
#include <QLabel>
#include <QListView>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace kyvo::test {

constexpr QRect kMainWindowRect{0, 0, 1020, 780};

LResult RecordingMainWindow::windowMessage(unsigned message, WParam wParam, LParam lParam) {
    std::vector<std::u16string> selected;
    if (popup)
        selected = popup->selectedList(popup->currentTab());
    received.push_back({message, wParam, lParam, std::move(selected)});
    log_ << QStringLiteral("msg %1 %2 %3").arg(message, 0, 16).arg(wParam).arg(lParam);
    return 1;
}

RecordingFolder::RecordingFolder(const QStringList& names) {
    for (const QString& name : names) {
        QFile file(dir_.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly)) << name.toStdString();
    }
}

std::u16string RecordingFolder::fullPath(const QString& name) const {
    return (dir_.path() + QLatin1Char('/') + name).toStdU16String();
}

QStringList normalNames(int count) {
    QStringList names;
    for (int i = 0; i < count; ++i)
        names << QString::asprintf("drf_20240612_%02d%02d%02d_F.mov", 8 + i / 3600, i / 60 % 60, i % 60);
    return names;
}

SelectorHarness::SelectorHarness() : main_(std::make_unique<RecordingMainWindow>(log_)) {
    setMessageBoxSink([this](const MessageBoxRequest& request) {
        log_ << QStringLiteral("box ") + request.text;
        return int(kAnswerOk);
    });
    setFolderChooser([this](const QString&, const QString&) { return nextFolder_; });
    main_->setGeometry(kMainWindowRect);
    popup_ = new FilesOpenPopup(main_.get());
    main_->popup = popup_;
}

SelectorHarness::~SelectorHarness() {
    setMessageBoxSink({});
    setFolderChooser({});
}

FileUpPage& SelectorHarness::page(int tab) {
    return *popup_->page(tab);
}

QStringList SelectorHarness::boxes() const {
    QStringList texts;
    for (const QString& entry : log_)
        if (entry.startsWith(QStringLiteral("box ")))
            texts << entry.mid(4);
    return texts;
}

void SelectorHarness::open() {
    popup_->place(kMainWindowRect);
    popup_->refreshLists();
    popup_->setShown(true);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(popup_));
}

void SelectorHarness::chooseFolder(const QString& folder) {
    nextFolder_ = folder;
    clickButton(recordings::control::kFolderChoice);
}

void SelectorHarness::clickButton(int controlId) {
    auto* button = popup_->findChild<QAbstractButton*>(recordings::controlName(controlId));
    ASSERT_NE(button, nullptr) << controlId;
    QTest::mouseClick(button, Qt::LeftButton);
}

void SelectorHarness::clickTab(int tab) {
    QTabBar* bar = popup_->tabs()->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(tab).center());
}

void SelectorHarness::clickCheck(int tab, int row) {
    QListView* list = page(tab).list();
    const QModelIndex index = list->model()->index(row, 0);
    list->scrollTo(index);
    const QRect box = recordings::CheckListDelegate::checkBoxRect(list->visualRect(index));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, box.center());
}

void SelectorHarness::clickSelectAll(int tab) {
    QTest::mouseClick(page(tab).selectAllBox(), Qt::LeftButton);
}

QString SelectorHarness::counter(int tab) {
    return page(tab).counterLabel()->text();
}

QString SelectorHarness::folderText() {
    return popup_->findChild<QLabel*>(recordings::controlName(recordings::control::kFolderText))->text();
}

} // namespace kyvo::test
