#pragma once
// Control ids of the file selector and its pages, and how tests and the main
// window find the widgets that carry them.

#include <QString>

namespace kyvo::recordings {

namespace control {
inline constexpr int kCancel = 2;          // Cancel button
inline constexpr int kFolderChoice = 1245; // "目錄選擇": browse for the current tab's folder
inline constexpr int kTabs = 1246;         // the tab control, one tab per recording kind
inline constexpr int kAddToList = 1247;    // "加入清單": hand the checked files to the play list
inline constexpr int kFolderText = 1261;   // the current tab's folder
} // namespace control

// The ids of one page's controls (they differ between the page classes).
struct PageControls {
    int list;      // the check list
    int selectAll; // the "Select All" box
    int counter;   // "[ checked / items ]"
};

// Every control's object name is "control<id>", so that findChild() finds
// it by id inside its window or page.
inline QString controlName(int id) {
    return QStringLiteral("control%1").arg(id);
}

} // namespace kyvo::recordings
