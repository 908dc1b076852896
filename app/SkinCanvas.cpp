#include "SkinCanvas.h"

#include "Skin.h"

#include <QPainter>

namespace kyvo::app {

namespace {

QImage loadOrBlank(int id, Size fallback) {
    QImage image = skinImage(id);
    if (image.isNull()) {
        image = QImage(fallback.width, fallback.height, QImage::Format_RGB32);
        image.fill(Qt::black);
    }
    return image;
}

} // namespace

void SkinCanvas::load() {
    main_ = loadOrBlank(bitmap::kMainBackground, kMainSize);
    password_ = loadOrBlank(bitmap::kPasswordBackground, kPasswordSize);
    skinSize_ = skinImage(bitmap::kMainBackground).isNull() ? QSize(kMainSize.width, kMainSize.height)
                                                             : main_.size();
    backBuffer_ = main_.copy();
    current_ = &main_;
}

void SkinCanvas::selectPasswordBackground() {
    current_ = &password_;
}

void SkinCanvas::selectMainBackground() {
    current_ = &main_;
}

void SkinCanvas::erase(const Rect& rect) {
    QPainter painter(&backBuffer_);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(toQRect(rect), *current_, toQRect(rect));
}

void SkinCanvas::eraseAll() {
    QPainter painter(&backBuffer_);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(0, 0, *current_);
}

void SkinCanvas::drawImage(int bitmapId, Point at) {
    const QImage image = skinImage(bitmapId);
    if (image.isNull())
        return;
    QPainter painter(&backBuffer_);
    painter.drawImage(at.x, at.y, image);
}

void SkinCanvas::drawImage(int bitmapId, Point at, Size part) {
    const QImage image = skinImage(bitmapId);
    if (image.isNull())
        return;
    QPainter painter(&backBuffer_);
    painter.drawImage(QPoint(at.x, at.y), image, QRect(0, 0, part.width, part.height));
}

} // namespace kyvo::app
