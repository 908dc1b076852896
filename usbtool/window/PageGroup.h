#pragma once
// The building blocks of the USB tool's pages: a titled group of controls
// laid out in a grid, its radio groups and its drop-down lists.
//
// Rows of a group share one grid, so that the buttons of its rows line up
// in columns after the rows' labels. Every radio group and list is named
// after its label (a radio group without a label after the group's title),
// so that tests find them with findChild() inside their group, and the group
// itself is named after its title.

#include <QGroupBox>

#include <initializer_list>
#include <string>
#include <vector>

class QButtonGroup;
class QComboBox;
class QGridLayout;
class QLabel;
class QRadioButton;

namespace kyvo::usbtool {

// One radio group: the zero-based index of the chosen button.
class RadioRow {
public:
    RadioRow() = default;
    RadioRow(QButtonGroup* group, QLabel* label) : group_(group), label_(label) {}

    int checked() const;            // kNothingChosen when no button is chosen
    void setChecked(int index);     // kNothingChosen clears every button
    void setEnabled(bool enabled);  // the label and every button
    QRadioButton* button(int index) const;
    QButtonGroup* group() const { return group_; }

private:
    QButtonGroup* group_ = nullptr; // owned by the page group
    QLabel* label_ = nullptr;       // null for a row without a label
};

// A drop-down list's selected position; kNothingChosen when nothing is selected.
int listPosition(const QComboBox* list);
void setListPosition(QComboBox* list, int position);

class PageGroup : public QGroupBox {
public:
    // Where the title goes: on the frame, or inside it at the left of the
    // group's one row (a compact group of a single radio row).
    enum class Title { OnFrame, InRow };

    PageGroup(const QString& title, QWidget* parent, Title place = Title::OnFrame);

    // A row of radio buttons, after its label when it has one.
    RadioRow addRadios(const QString& label, std::initializer_list<const char*> texts);
    // A row with a drop-down list holding `texts`.
    QComboBox* addList(const QString& label, const std::vector<std::string>& texts);
    // Lists side by side: the next list goes into the same row as the one
    // before until `perRow` share it.
    QComboBox* addListBeside(const QString& label, const std::vector<std::string>& texts, int perRow);

    // A row of plain push buttons.
    void addButtons(std::initializer_list<const char*> texts);

    QGridLayout* grid() const { return grid_; }

private:
    QLabel* addLabel(const QString& label, int row, int column);
    QComboBox* makeList(const QString& label, const std::vector<std::string>& texts);

    QGridLayout* grid_ = nullptr;
    QString caption_; // the title inside the row; empty when it is on the frame
    int rows_ = 0;
    int besideCount_ = 0; // lists already in the current side-by-side row
};

// Lines up the columns of several groups: each column gets the width of its
// widest cell in any of them.
void alignColumns(const std::vector<PageGroup*>& groups);

// A group that is only a title (a feature the recorder does not have yet).
PageGroup* emptyGroup(const QString& title, QWidget* parent);

} // namespace kyvo::usbtool
