#pragma once
// Paints the rows of a check list (box, name; the selected row in the play
// list's green with black text) and toggles a row's check flag on a click in
// its box column, a double click anywhere on the row, or Space.

#include <QStyledItemDelegate>

namespace kyvo::recordings {

class CheckListDelegate : public QStyledItemDelegate {
public:
    explicit CheckListDelegate(QObject* parent = nullptr);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    // Where a row's box is drawn, and the part of the row that toggles it.
    static QRect checkBoxRect(const QRect& rowRect);
    static QRect checkHitRect(const QRect& rowRect);

protected:
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override;
};

} // namespace kyvo::recordings
