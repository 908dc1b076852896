#pragma once
// One page of the file selector: the check list of the recordings of one kind
// found in the tab's folder, a "Select All" box and the counter
// "[ checked / items ]". The three page classes differ in their kind and
// control ids only (InfinityFileUp also empties its list when closed).
//
// The counter is refreshed on every change of the list: a new list, a check
// changed in the list, "Select All". When the page is hidden (switching tabs,
// the selector hidden) every item is unchecked and "Select All" cleared; the
// names stay.
//
// GUI thread only.

#include "CheckListModel.h"
#include "RecordingKind.h"
#include "SelectorControls.h"

#include <QWidget>

#include <string>
#include <vector>

class QAbstractButton;
class QLabel;
class QListView;

namespace kyvo {

namespace recordings {
class CheckListView;
class SelectAllBox;
} // namespace recordings

class FileUpPage : public QWidget {
public:
    using RecordingKind = recordings::RecordingKind;
    using CheckListModel = recordings::CheckListModel;
    using PageControls = recordings::PageControls;

    RecordingKind kind() const { return kind_; }
    const PageControls& controls() const { return controls_; }

    CheckListModel& model() { return model_; }
    const CheckListModel& model() const { return model_; }
    QListView* list() const;
    QAbstractButton* selectAllBox() const;
    QLabel* counterLabel() const;

    int itemCount() const { return model_.count(); }
    int checkedCount() const { return model_.checkedCount(); }
    QString counterText() const;

    // Counters 0, "Select All" unchecked and captioned, counter shown.
    void initPage();
    // Shows the counter text for the present items and checks.
    void refreshCounter();
    // A new list of names from a scan (all unchecked).
    void fill(std::vector<std::u16string> names);
    // Empties the list and clears "Select All".
    void clearPage();
    void uncheckAll();
    // Unchecks every item and clears "Select All" (what hiding the page does).
    void resetChecks();
    // What a click on "Select All" does with the box's new state.
    void selectAll(bool checked);
    // Makes `row` the selected (highlighted) row, when there is one.
    void selectRow(int row);

protected:
    FileUpPage(RecordingKind kind, const PageControls& controls, QWidget* parent);

    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // What a page class does when it is closed (after the base's handling).
    virtual void onClose() {}

private:
    RecordingKind kind_;
    PageControls controls_;
    CheckListModel model_;
    recordings::CheckListView* list_;
    recordings::SelectAllBox* selectAll_;
    QLabel* counter_;
};

} // namespace kyvo
