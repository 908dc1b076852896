#pragma once
// The main window's drawing surfaces: the clean background image and the back
// buffer that every drawing goes into. The background is never drawn on; it
// erases any region of the back buffer by copying the same rectangle. While
// the password screen is up, the background holds the password screen's image.
//
// GUI thread only.

#include "LayoutPainting.h"
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

// The layout's values in Qt's types, and text placed by its cell's top-left
// corner (shared with the popups).
using ::kyvo::drawTextAt;
using ::kyvo::toQColor;
using ::kyvo::toQRect;

} // namespace kyvo::app
