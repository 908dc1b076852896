#pragma once
// The main window's drawing surfaces: the clean background image and the back
// buffer that every drawing goes into. The background is never drawn on; it
// erases any region of the back buffer by copying the same rectangle. While
// the password screen is up, the background holds the password screen's image.
//
// GUI thread only.

#include "MainLayout.h"

#include <QColor>
#include <QImage>

class QPainter;

namespace kyvo::app {

class SkinCanvas {
public:
    // Loads the background and the back buffer. A missing image leaves a black
    // surface of the standard skin size.
    void load();

    QSize skinSize() const { return skinSize_; }

    // Which image the background holds: the password screen's or the main one.
    void selectPasswordBackground();
    void selectMainBackground();

    QImage& backBuffer() { return backBuffer_; }
    const QImage& backBuffer() const { return backBuffer_; }
    const QImage& background() const { return *current_; }
    const QImage& mainBackground() const { return main_; }

    // Copies the rectangle from the background into the back buffer.
    void erase(const Rect& rect);
    // Copies the whole background over the back buffer.
    void eraseAll();

    // Copies a skin image (or its top-left part) into the back buffer.
    void drawImage(int bitmapId, Point at);
    void drawImage(int bitmapId, Point at, Size part);

private:
    QImage main_;
    QImage password_;
    const QImage* current_ = &main_;
    QImage backBuffer_;
    QSize skinSize_{kMainSize.width, kMainSize.height};
};

QRect toQRect(const Rect& rect);
QColor toQColor(Rgb colour);

// Draws text with its cell's top-left corner at `at`, as the skin's
// coordinates give text places.
void drawTextAt(QPainter& painter, Point at, const QString& text);

} // namespace kyvo::app
