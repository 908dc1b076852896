#include "FolderLabel.h"

#include <QPainter>

namespace kyvo::recordings {

FolderLabel::FolderLabel(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    // A long folder must not widen the window: it is shortened instead.
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
}

void FolderLabel::setFolder(const QString& folder) {
    setText(folder);
    setToolTip(folder);
}

void FolderLabel::paintEvent(QPaintEvent* event) {
    // The frame and background come from the style sheet; the text is ours.
    QFrame::paintEvent(event);
    QPainter painter(this);
    const QRect area = contentsRect();
    painter.setPen(palette().color(foregroundRole()));
    painter.drawText(area, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                     fontMetrics().elidedText(text(), Qt::ElideMiddle, area.width()));
}

} // namespace kyvo::recordings
