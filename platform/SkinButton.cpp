#include "SkinButton.h"

#include "Skin.h"

#include <QPainter>

namespace kyvo {

SkinButton::SkinButton(int controlId, QWidget* parent) : QAbstractButton(parent), controlId_(controlId) {
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::PointingHandCursor);
}

void SkinButton::loadBitmaps(int normalId, int pressedId) {
    normal_ = skinImage(normalId);
    pressed_ = pressedId ? skinImage(pressedId) : normal_;
    update();
}

void SkinButton::sizeToContent() {
    resize(sizeHint());
}

QSize SkinButton::sizeHint() const {
    return normal_.isNull() ? QSize(1, 1) : normal_.size();
}

void SkinButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QImage& image = isDown() ? pressed_ : normal_;
    if (!image.isNull())
        painter.drawImage(0, 0, image);
}

} // namespace kyvo
