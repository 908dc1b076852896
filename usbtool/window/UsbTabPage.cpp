#include "UsbTabPage.h"

#include "ScrolledBody.h"
#include "UsbToolLook.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace kyvo::usbtool {

UsbTabPage::UsbTabPage(QWidget* parent, Body body, SaveButton save) : QWidget(parent) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(look::kPageMargin, look::kPageMargin, look::kPageMargin, look::kPageMargin);
    column->setSpacing(look::kGroupSpacing);

    holder_ = this;
    if (body == Body::Scrolled) {
        scrolled_ = new ScrolledBody(this);
        column->addWidget(scrolled_, 1);
        holder_ = scrolled_->content();
        groups_ = new QVBoxLayout(holder_);
        // Room between the groups and the scroll bar, and below the last group.
        groups_->setContentsMargins(0, 0, look::kPageMargin, look::kPageMargin);
    } else {
        groups_ = new QVBoxLayout;
        groups_->setContentsMargins(0, 0, 0, 0);
        column->addLayout(groups_, 1);
    }
    groups_->setSpacing(look::kGroupSpacing);

    if (save == SaveButton::With) {
        saveButton_ = new QPushButton(QStringLiteral("Save"), this);
        saveButton_->setObjectName(QStringLiteral("Save"));
        saveButton_->setAutoDefault(false);
        saveButton_->setFixedWidth(look::kSaveWidth);
        auto* row = new QHBoxLayout;
        row->addStretch(1);
        row->addWidget(saveButton_);
        column->addLayout(row);
        connect(saveButton_, &QPushButton::clicked, this, [this] { this->save(); });
    }
}

void UsbTabPage::finishGroups() {
    groups_->addStretch(1);
    if (scrolled_)
        scrolled_->watchLists();
}

} // namespace kyvo::usbtool
