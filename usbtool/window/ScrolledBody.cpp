#include "ScrolledBody.h"

#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>

namespace kyvo::usbtool {

ScrolledBody::ScrolledBody(QWidget* parent)
    : QWidget(parent), viewport_(new QWidget(this)), content_(new QWidget(viewport_)),
      bar_(new QScrollBar(Qt::Vertical, this)) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addWidget(viewport_, 1);
    row->addWidget(bar_);
    viewport_->installEventFilter(this);
    bar_->installEventFilter(this);
    connect(bar_, &QAbstractSlider::actionTriggered, this, [this](int action) { onAction(action); });
    connect(bar_, &QAbstractSlider::valueChanged, this, [this](int value) { showPosition(value); });
}

void ScrolledBody::watchLists() {
    for (QComboBox* list : content_->findChildren<QComboBox*>())
        list->installEventFilter(this);
}

// The viewport was resized: the content takes its width and its own height,
// the range and steps follow, and the page starts at the top again.
void ScrolledBody::fitContent() {
    const int height = std::max(content_->sizeHint().height(), content_->minimumSizeHint().height());
    content_->setGeometry(0, 0, viewport_->width(), height);
    scroll_.resize(height, viewport_->height());
    const QSignalBlocker quiet(bar_);
    bar_->setRange(0, scroll_.range());
    bar_->setSingleStep(scroll_.lineStep());
    bar_->setPageStep(scroll_.pageStep());
    bar_->setValue(0);
    content_->move(0, 0);
}

// Arrows, the trough and the thumb: the position comes from PageScroll; the
// bar only reported what the user did.
void ScrolledBody::onAction(int action) {
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd: scroll_.scrollLines(1); break;
    case QAbstractSlider::SliderSingleStepSub: scroll_.scrollLines(-1); break;
    case QAbstractSlider::SliderPageStepAdd: scroll_.scrollPages(1); break;
    case QAbstractSlider::SliderPageStepSub: scroll_.scrollPages(-1); break;
    case QAbstractSlider::SliderToMinimum: scroll_.scrollTo(0); break;
    case QAbstractSlider::SliderToMaximum: scroll_.scrollTo(scroll_.range()); break;
    default: scroll_.scrollTo(bar_->sliderPosition()); break; // tracking and release
    }
    bar_->setSliderPosition(scroll_.position());
}

void ScrolledBody::showPosition(int position) {
    scroll_.scrollTo(position);
    content_->move(0, -scroll_.position());
}

void ScrolledBody::wheelEvent(QWheelEvent* event) {
    scroll_.wheel(event->angleDelta().y());
    bar_->setValue(scroll_.position());
    event->accept();
}

bool ScrolledBody::eventFilter(QObject* watched, QEvent* event) {
    if (watched == viewport_ && event->type() == QEvent::Resize) {
        fitContent();
        return false;
    }
    if (event->type() == QEvent::Wheel) {
        // The scroll bar's own wheel steps differ from the page's; a list
        // keeps the wheel only while the user works in it.
        auto* list = qobject_cast<QComboBox*>(watched);
        if (watched == bar_ || (list && !list->hasFocus())) {
            wheelEvent(static_cast<QWheelEvent*>(event));
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace kyvo::usbtool
