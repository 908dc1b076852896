#include "CheckListDelegate.h"

#include "SelectorGlyphs.h"
#include "SelectorLook.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace kyvo::recordings {

namespace {

void toggle(QAbstractItemModel* model, const QModelIndex& index) {
    const bool checked = index.data(Qt::CheckStateRole).toInt() == Qt::Checked;
    model->setData(index, checked ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
}

} // namespace

CheckListDelegate::CheckListDelegate(QObject* parent) : QStyledItemDelegate(parent) {}

QRect CheckListDelegate::checkBoxRect(const QRect& rowRect) {
    const int top = rowRect.top() + (rowRect.height() - look::kCheckBoxSize) / 2;
    return {rowRect.left() + look::kCheckBoxLeft, top, look::kCheckBoxSize, look::kCheckBoxSize};
}

QRect CheckListDelegate::checkHitRect(const QRect& rowRect) {
    return {rowRect.left(), rowRect.top(), look::kCheckHitWidth, rowRect.height()};
}

void CheckListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    using namespace look;
    const bool selected = option.state.testFlag(QStyle::State_Selected);
    const bool hovered = option.state.testFlag(QStyle::State_MouseOver);
    const QRect row = option.rect;
    painter->save();
    if (selected)
        painter->fillRect(row, kSelection);
    else if (hovered)
        painter->fillRect(row, kRowHover);

    CheckBoxLook box;
    box.checked = index.data(Qt::CheckStateRole).toInt() == Qt::Checked;
    box.hovered = hovered;
    box.onSelection = selected;
    paintCheckBox(*painter, checkBoxRect(row), box);

    const QRect textRect = row.adjusted(kRowTextLeft, 0, -kRowTextRight, 0);
    const QString text =
        option.fontMetrics.elidedText(index.data(Qt::DisplayRole).toString(), Qt::ElideMiddle, textRect.width());
    painter->setFont(option.font);
    painter->setPen(selected ? kSelectionText : (box.checked ? kText : kIdleText));
    painter->drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
    painter->restore();
}

QSize CheckListDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const {
    return {option.rect.width(), look::kRowHeight};
}

bool CheckListDelegate::editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                                    const QModelIndex& index) {
    if (!index.flags().testFlag(Qt::ItemIsUserCheckable))
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton || !checkHitRect(option.rect).contains(mouse->position().toPoint()))
            return false;
        // The press is taken so that a click on the box does not move the
        // selection; the release toggles.
        if (event->type() == QEvent::MouseButtonRelease)
            toggle(model, index);
        return true;
    }
    case QEvent::MouseButtonDblClick: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton)
            return false;
        // On the box the two clicks already toggled twice; elsewhere on the
        // row a double click toggles once.
        if (!checkHitRect(option.rect).contains(mouse->position().toPoint()))
            toggle(model, index);
        return true;
    }
    case QEvent::KeyPress: {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_Space && key != Qt::Key_Select)
            return false;
        toggle(model, index);
        return true;
    }
    default:
        return false;
    }
}

} // namespace kyvo::recordings
