#include "FileUpPage.h"

#include "CheckListView.h"
#include "Fonts.h"
#include "SelectAllBox.h"
#include "SelectorLook.h"
#include "StringIds.h"
#include "Strings.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QLabel>
#include <QVBoxLayout>

namespace kyvo {

using recordings::CheckListView;
using recordings::SelectAllBox;
using recordings::controlName;
namespace look = recordings::look;

namespace {
// Both numbers at least three digits, zero-padded.
QString formatCounter(int checked, int items) {
    return QString::asprintf("[ %03d / %03d ]", checked, items);
}
} // namespace

FileUpPage::FileUpPage(RecordingKind kind, const PageControls& controls, QWidget* parent)
    : QWidget(parent), kind_(kind), controls_(controls), model_(this), list_(new CheckListView(this)),
      selectAll_(new SelectAllBox(this)), counter_(new QLabel(this)) {
    const double scale = displayScale(this);
    list_->setObjectName(controlName(controls.list));
    list_->setModel(&model_);
    list_->setFont(pointFont(look::kRowFontTenths, scale));
    list_->setEmptyHint(loadString(strings::kChooseFolder));
    selectAll_->setObjectName(controlName(controls.selectAll));
    selectAll_->setFont(pointFont(look::kBodyFontTenths, scale));
    counter_->setObjectName(controlName(controls.counter));
    counter_->setProperty("counter", true);
    QFont counterFont = pointFont(look::kCounterFontTenths, scale);
    counterFont.setFamilies({QStringLiteral("DejaVu Sans Mono"), QStringLiteral("Noto Sans Mono CJK TC")});
    counter_->setFont(counterFont);
    counter_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    auto* footer = new QHBoxLayout;
    footer->setContentsMargins(0, 0, 0, 0);
    footer->addWidget(selectAll_);
    footer->addStretch(1);
    footer->addWidget(counter_);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(look::kPageMargin, look::kPageMargin, look::kPageMargin, look::kPageMargin);
    column->setSpacing(look::kPageSpacing);
    column->addWidget(list_, 1);
    column->addLayout(footer);

    // Every change of the items or their checks shows in the counter.
    connect(&model_, &QAbstractItemModel::dataChanged, this, [this] { refreshCounter(); });
    connect(&model_, &QAbstractItemModel::modelReset, this, [this] { refreshCounter(); });
    connect(selectAll_, &QAbstractButton::clicked, this, [this](bool checked) { selectAll(checked); });
    initPage();
}

QListView* FileUpPage::list() const {
    return list_;
}

QAbstractButton* FileUpPage::selectAllBox() const {
    return selectAll_;
}

QLabel* FileUpPage::counterLabel() const {
    return counter_;
}

QString FileUpPage::counterText() const {
    return counter_->text();
}

void FileUpPage::initPage() {
    selectAll_->setChecked(false);
    selectAll_->setText(loadString(strings::kSelectAll));
    refreshCounter();
}

void FileUpPage::refreshCounter() {
    counter_->setText(formatCounter(model_.checkedCount(), model_.count()));
}

void FileUpPage::fill(std::vector<std::u16string> names) {
    model_.assign(std::move(names));
}

void FileUpPage::clearPage() {
    model_.clear();
    selectAll_->setChecked(false);
}

void FileUpPage::uncheckAll() {
    model_.setAllChecked(false);
    refreshCounter();
}

void FileUpPage::selectAll(bool checked) {
    model_.setAllChecked(checked);
    refreshCounter();
}

void FileUpPage::selectRow(int row) {
    if (row < 0 || row >= model_.count())
        return;
    list_->setCurrentIndex(model_.index(row));
}

void FileUpPage::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    // Hidden by the program (tab switch, selector hidden), not by the window
    // system minimising it.
    if (!event->spontaneous())
        resetChecks();
}

void FileUpPage::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    onClose();
}

void FileUpPage::resetChecks() {
    uncheckAll();
    selectAll_->setChecked(false);
}

} // namespace kyvo
