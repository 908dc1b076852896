#pragma once
// The file selector: a modeless tool window through which the user picks
// recordings for the play list. One tab per recording kind, each with a page
// listing the recordings of that kind in the folder chosen for the tab.
// "Add to List" turns the checked names of the current tab into sorted full
// paths (its selected list) and sends WM_FILES_ADD (count, 2) to the main
// window, which reads them through selectedList(currentTab()).
//
// The main window creates it once (hidden), places it, calls refreshLists()
// and setShown(true) to open it, and hides it again on
// WM_FILES_POPUP_CLOSED. The selector never closes itself: Enter, Escape and
// close requests from the window system are swallowed; only "Add to List" and
// Cancel hide it.
//
// GUI thread only.

#include "WindowMessage.h"

#include <QPoint>
#include <QString>

#include <array>
#include <string>
#include <vector>

class QPushButton;
class QTabWidget;

namespace kyvo {

class FileUpPage;

namespace recordings {
class FolderLabel;
} // namespace recordings

class FilesOpenPopup : public MessageWindow {
public:
    static constexpr int kTabCount = 3; // one per recording kind, in kind order

    explicit FilesOpenPopup(QWidget* parentWindow);

    // Stores the position ((width - 360) / 2, (height - 448) / 2) from the
    // size of the main window's rectangle (not offset by its position) and
    // moves there, keeping the size.
    void place(const QRect& mainWindowRect);
    QPoint storedPosition() const { return position_; }

    // Shows or hides the selector (and with it the current page); does
    // nothing when it already is in that state.
    void setShown(bool shown);
    bool shown() const { return shown_; }

    // Before the selector is shown again: the lists keep their names, every
    // check is cleared, the counters and the folder text are brought up to date.
    void refreshLists();

    int currentTab() const;
    // The full paths handed over by the last "Add to List" on `tab`, sorted;
    // empty after the tab was cleared (and for a tab out of range).
    const std::vector<std::u16string>& selectedList(int tab) const;
    // The folder last chosen for `tab` (shown while the tab is current).
    QString folder(int tab) const;

    FileUpPage* page(int tab) const;
    QTabWidget* tabs() const { return tabs_; }

    // The viewer is closing: the pages are closed (the normal page empties its
    // list) and the selector is hidden.
    void shutDown();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // What the selector remembers for each tab.
    struct TabState {
        QString folder;      // last chosen: shown in the folder text, where browsing starts
        QString listFolder;  // the folder the page's names were read from
        std::vector<std::u16string> selected; // paths of the last "Add to List"
    };

    // Building the window (FilesOpenPopupView.cpp).
    void buildWindow();
    QPushButton* makeButton(int id, int stringId);

    void onTabChanged(int tab);
    void clearTab(int tab);
    void onFolderChoice();
    void onAddToList();
    void onCancel();
    void showFolderText();
    void refreshCounters();
    bool validTab(int tab) const { return tab >= 0 && tab < kTabCount; }

    std::array<TabState, kTabCount> state_;
    std::array<FileUpPage*, kTabCount> pages_{};
    QTabWidget* tabs_ = nullptr;
    QPushButton* folderButton_ = nullptr;
    QPushButton* addButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    recordings::FolderLabel* folderText_ = nullptr;
    QPoint position_;
    bool shown_ = false;
    bool dragging_ = false;
    QPoint dragOffset_; // from the window's corner to the pointer while dragging the title strip
};

} // namespace kyvo
