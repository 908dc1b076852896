#include "FilesOpenPopup.h"

#include "FileUpPage.h"
#include "FolderBrowser.h"
#include "FolderLabel.h"
#include "MessageBox.h"
#include "Recordings.h"
#include "StringIds.h"
#include "Strings.h"
#include "ViewerMessages.h"

#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QShowEvent>
#include <QHideEvent>
#include <QPushButton>
#include <QTabWidget>

#include <filesystem>

namespace kyvo {

namespace {

// lParam of WM_FILES_ADD: the names are full paths in the current tab's
// selected list.
constexpr LParam kFilesAddFromSelectedList = 2;
// wParam and lParam of WM_FILES_POPUP_CLOSED.
constexpr WParam kClosedByCancel = 1;
constexpr LParam kClosedParam = 1;

// A folder text as the file system path Qt itself would open (its own
// file-name encoding), so that every folder the browser offers can be read.
std::filesystem::path fileSystemPath(const QString& folder) {
    return std::filesystem::path(QFile::encodeName(folder).toStdString());
}

const std::vector<std::u16string> kNoPaths;

} // namespace

FilesOpenPopup::FilesOpenPopup(QWidget* parentWindow)
    : MessageWindow(parentWindow, Qt::Tool | Qt::FramelessWindowHint) {
    setWindowTitle(loadString(strings::kFileSelector));
    buildWindow();
    tabs_->setCurrentIndex(0);
    connect(tabs_, &QTabWidget::currentChanged, this, [this](int tab) { onTabChanged(tab); });
    connect(folderButton_, &QPushButton::clicked, this, [this] { onFolderChoice(); });
    connect(addButton_, &QPushButton::clicked, this, [this] { onAddToList(); });
    connect(cancelButton_, &QPushButton::clicked, this, [this] { onCancel(); });
    showFolderText();
    hide();
}

void FilesOpenPopup::place(const QRect& mainWindowRect) {
    position_ = QPoint((mainWindowRect.width() - width()) / 2, (mainWindowRect.height() - height()) / 2);
    move(position_);
}

void FilesOpenPopup::setShown(bool shown) {
    if (shown == shown_)
        return;
    shown_ = shown;
    if (!shown) {
        // Hiding the selector hides the current page with it, which clears
        // the page's checks.
        hide();
        return;
    }
    show();
    raise();
    activateWindow();
}

void FilesOpenPopup::refreshLists() {
    for (FileUpPage* page : pages_)
        page->resetChecks();
    showFolderText();
}

int FilesOpenPopup::currentTab() const {
    return tabs_->currentIndex();
}

const std::vector<std::u16string>& FilesOpenPopup::selectedList(int tab) const {
    return validTab(tab) ? state_[static_cast<std::size_t>(tab)].selected : kNoPaths;
}

QString FilesOpenPopup::folder(int tab) const {
    return validTab(tab) ? state_[static_cast<std::size_t>(tab)].folder : QString();
}

FileUpPage* FilesOpenPopup::page(int tab) const {
    return validTab(tab) ? pages_[static_cast<std::size_t>(tab)] : nullptr;
}

void FilesOpenPopup::shutDown() {
    for (FileUpPage* page : pages_)
        page->close();
    setShown(false);
}

void FilesOpenPopup::keyPressEvent(QKeyEvent* event) {
    // Enter and Escape would end a dialog; the selector stays until one of
    // its buttons is used.
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        event->accept();
        return;
    default:
        MessageWindow::keyPressEvent(event);
    }
}

void FilesOpenPopup::closeEvent(QCloseEvent* event) {
    // Alt+F4 and the window manager's close: swallowed.
    event->ignore();
}

// Shown or hidden by someone else (the main window calling show() or hide()
// directly): the visibility flag follows, so that the toggle keeps working.
void FilesOpenPopup::showEvent(QShowEvent* event) {
    MessageWindow::showEvent(event);
    if (!event->spontaneous())
        shown_ = true;
}

void FilesOpenPopup::hideEvent(QHideEvent* event) {
    MessageWindow::hideEvent(event);
    if (!event->spontaneous())
        shown_ = false;
}

// Tab changed: the newly selected tab starts empty; the user chooses its
// folder again. The tab widget shows its page and hides the others (which
// clears their checks).
void FilesOpenPopup::onTabChanged(int tab) {
    if (!validTab(tab))
        return;
    clearTab(tab);
    showFolderText();
}

void FilesOpenPopup::clearTab(int tab) {
    state_[static_cast<std::size_t>(tab)].selected.clear();
    pages_[static_cast<std::size_t>(tab)]->clearPage();
}

// Folder choice: browse, then list the tab's recordings of the new folder.
// A folder without any keeps the old list; the new folder is remembered all
// the same (and shown), while "Add to List" keeps joining the listed names
// with the folder they were read from.
void FilesOpenPopup::onFolderChoice() {
    const int tab = currentTab();
    if (!validTab(tab))
        return;
    TabState& state = state_[static_cast<std::size_t>(tab)];
    FileUpPage* page = pages_[static_cast<std::size_t>(tab)];
    // The tab's folder, else where cards are mounted for the user, else home.
    const QString start = browseStartFolder(state.folder);
    const QString chosen = browseForFolder(this, loadString(strings::kBrowseFolderTitle), start);
    if (chosen.isEmpty()) {
        messageBox(this, strings::kFolderChoiceCancelled);
        return;
    }
    const QFileInfo info(chosen);
    if (!info.isDir() || !info.isReadable()) {
        messageBox(this, strings::kChooseFolder);
        return;
    }
    const std::filesystem::path path = fileSystemPath(chosen);
    state.folder = chosen;
    showFolderText();
    if (!recordings::contains(page->kind(), path)) {
        messageBox(this, strings::kNoFilesInFolder);
        return;
    }
    clearTab(tab);
    state.listFolder = chosen;
    // Listed by name: a recorder's names start with the date and time, so
    // this is the order they were recorded in, whatever order the file
    // system gives them in.
    recordings::CSortStringArray names(recordings::scan(page->kind(), path));
    names.Sort();
    const bool none = names.GetSize() == 0; // the files went away since contains()
    page->fill(names.takeNames());
    refreshCounters();
    if (none)
        messageBox(this, strings::kNoFilesInFolder);
}

// "Add to List": the checked names of the current tab become its selected
// list, sorted full paths; the main window is told how many there are.
void FilesOpenPopup::onAddToList() {
    const int tab = currentTab();
    if (!validTab(tab))
        return;
    TabState& state = state_[static_cast<std::size_t>(tab)];
    FileUpPage* page = pages_[static_cast<std::size_t>(tab)];
    recordings::CollectResult collected =
        recordings::collect(page->model().names(), page->model().checks(), state.listFolder.toStdU16String());
    if (collected.checked > 0)
        state.selected = std::move(collected.paths);
    else if (page->itemCount() > 0)
        messageBox(this, strings::kChooseFiles);

    page->uncheckAll();
    page->selectRow(0);
    if (collected.checked == 0)
        return;
    // The list holds at most 500 paths: the user learns that the rest of the
    // checked files were left out before the list changes.
    if (collected.cut)
        messageBox(this, strings::kTooManyFiles, MessageIcon::Information);
    sendMessage(parentWidget(), WM_FILES_ADD, static_cast<WParam>(state.selected.size()),
                kFilesAddFromSelectedList);
    setShown(false);
}

void FilesOpenPopup::onCancel() {
    // Hidden here as well as by the main window's answer: the toggle makes
    // the second request a no-op, and the selector closes even for a parent
    // that does not handle the message.
    setShown(false);
    sendMessage(parentWidget(), WM_FILES_POPUP_CLOSED, kClosedByCancel, kClosedParam);
}

void FilesOpenPopup::showFolderText() {
    folderText_->setFolder(folder(currentTab()));
}

void FilesOpenPopup::refreshCounters() {
    for (FileUpPage* page : pages_)
        page->refreshCounter();
}

} // namespace kyvo
