#include "CheckListView.h"

#include "CheckListDelegate.h"
#include "SelectorLook.h"

#include <QPainter>

namespace kyvo::recordings {

CheckListView::CheckListView(QWidget* parent) : QListView(parent), delegate_(new CheckListDelegate(this)) {
    setItemDelegate(delegate_);
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setTextElideMode(Qt::ElideMiddle);
    setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_Hover);
}

void CheckListView::setEmptyHint(const QString& text) {
    emptyHint_ = text;
    viewport()->update();
}

void CheckListView::paintEvent(QPaintEvent* event) {
    QListView::paintEvent(event);
    if (!model() || model()->rowCount() > 0 || emptyHint_.isEmpty())
        return;
    QPainter painter(viewport());
    painter.setFont(font());
    painter.setPen(look::kFaint);
    painter.drawText(viewport()->rect(), Qt::AlignCenter | Qt::TextWordWrap, emptyHint_);
}

} // namespace kyvo::recordings
