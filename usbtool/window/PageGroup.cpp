#include "PageGroup.h"

#include "PageRules.h"
#include "UsbToolLook.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpacerItem>

#include <algorithm>

namespace kyvo::usbtool {

namespace {
// The grid's column right of every row: it takes the room left over.
constexpr int kSpareColumn = 8;
} // namespace

int RadioRow::checked() const {
    const int id = group_ ? group_->checkedId() : -1;
    return id < 0 ? kNothingChosen : id;
}

void RadioRow::setChecked(int index) {
    if (!group_)
        return;
    QAbstractButton* chosen = group_->button(index);
    if (chosen) {
        chosen->setChecked(true);
        return;
    }
    // An exclusive group never unchecks its last button by itself.
    group_->setExclusive(false);
    for (QAbstractButton* button : group_->buttons())
        button->setChecked(false);
    group_->setExclusive(true);
}

void RadioRow::setEnabled(bool enabled) {
    if (label_)
        label_->setEnabled(enabled);
    if (group_)
        for (QAbstractButton* button : group_->buttons())
            button->setEnabled(enabled);
}

QRadioButton* RadioRow::button(int index) const {
    return group_ ? static_cast<QRadioButton*>(group_->button(index)) : nullptr;
}

int listPosition(const QComboBox* list) {
    const int position = list->currentIndex();
    return position < 0 ? kNothingChosen : position;
}

void setListPosition(QComboBox* list, int position) {
    list->setCurrentIndex(position >= 0 && position < list->count() ? position : -1);
}

PageGroup::PageGroup(const QString& title, QWidget* parent, Title place)
    : QGroupBox(place == Title::OnFrame ? title : QString(), parent), grid_(new QGridLayout(this)),
      caption_(place == Title::InRow ? title : QString()) {
    setObjectName(title);
    grid_->setContentsMargins(look::kGroupMarginX, look::kGroupMarginTop, look::kGroupMarginX,
                              look::kGroupMarginBottom);
    grid_->setHorizontalSpacing(look::kCellSpacing);
    grid_->setVerticalSpacing(look::kRowSpacing);
    // Whatever room is left stays at the right, so the columns keep their places.
    grid_->addItem(new QSpacerItem(0, 0, QSizePolicy::Expanding, QSizePolicy::Minimum), 0, kSpareColumn);
    grid_->setColumnStretch(kSpareColumn, 1);
}

QLabel* PageGroup::addLabel(const QString& label, int row, int column) {
    auto* text = new QLabel(label, this);
    grid_->addWidget(text, row, column);
    return text;
}

RadioRow PageGroup::addRadios(const QString& label, std::initializer_list<const char*> texts) {
    const int row = rows_++;
    besideCount_ = 0;
    int column = 0;
    QLabel* text = nullptr;
    const QString& shown = label.isEmpty() ? caption_ : label;
    if (!shown.isEmpty())
        text = addLabel(shown, row, column++);
    auto* group = new QButtonGroup(this);
    group->setObjectName(label.isEmpty() ? objectName() : label);
    int id = 0;
    for (const char* buttonText : texts) {
        auto* button = new QRadioButton(QString::fromUtf8(buttonText), this);
        group->addButton(button, id++);
        grid_->addWidget(button, row, column++);
    }
    return RadioRow(group, text);
}

QComboBox* PageGroup::makeList(const QString& label, const std::vector<std::string>& texts) {
    auto* list = new QComboBox(this);
    list->setObjectName(label);
    list->setMinimumWidth(look::kListMinWidth);
    list->setMaxVisibleItems(look::kListVisibleItems);
    // Turning the wheel over a list scrolls the page, not the list.
    list->setFocusPolicy(Qt::StrongFocus);
    for (const std::string& text : texts)
        list->addItem(QString::fromStdString(text));
    return list;
}

QComboBox* PageGroup::addList(const QString& label, const std::vector<std::string>& texts) {
    const int row = rows_++;
    besideCount_ = 0;
    addLabel(label, row, 0);
    QComboBox* list = makeList(label, texts);
    grid_->addWidget(list, row, 1);
    return list;
}

QComboBox* PageGroup::addListBeside(const QString& label, const std::vector<std::string>& texts, int perRow) {
    if (besideCount_ == 0 || besideCount_ == perRow) {
        ++rows_;
        besideCount_ = 0;
    }
    const int row = rows_ - 1;
    const int column = 2 * besideCount_++;
    addLabel(label, row, column);
    QComboBox* list = makeList(label, texts);
    grid_->addWidget(list, row, column + 1);
    return list;
}

void PageGroup::addButtons(std::initializer_list<const char*> texts) {
    const int row = rows_++;
    besideCount_ = 0;
    int column = 0;
    for (const char* text : texts) {
        auto* button = new QPushButton(QString::fromUtf8(text), this);
        button->setAutoDefault(false);
        grid_->addWidget(button, row, column++);
    }
}

void alignColumns(const std::vector<PageGroup*>& groups) {
    for (int column = 0; column < kSpareColumn; ++column) {
        int width = 0;
        for (const PageGroup* group : groups) {
            const QGridLayout* grid = group->grid();
            for (int row = 0; row < grid->rowCount(); ++row)
                if (const QLayoutItem* cell = grid->itemAtPosition(row, column))
                    width = std::max(width, cell->sizeHint().width());
        }
        for (PageGroup* group : groups)
            group->grid()->setColumnMinimumWidth(column, width);
    }
}

PageGroup* emptyGroup(const QString& title, QWidget* parent) {
    auto* group = new PageGroup(title, parent);
    group->setMinimumHeight(look::kEmptyGroupHeight);
    return group;
}

} // namespace kyvo::usbtool
