#pragma once
// The frame shared by the settings, card-file, password and information
// popups: a borderless tool window over the main window, drawn into a back
// buffer of its size and copied to the screen on paint, with the border,
// the title, the rule under it and an image close button in the top right.
//
// Each popup is created once and then only shown and hidden; setShown()
// acts only when the requested state differs from the current one. Enter,
// Escape and F4 (with or without Alt) and the window system's close are
// swallowed: a popup leaves only through its own buttons.
//
// GUI thread only.

#include "PixelGeometry.h"
#include "WindowMessage.h"

#include <QImage>
#include <QString>

#include <optional>
#include <string>

class QPainter;

namespace kyvo {

class SkinButton;

class OwnerDrawnPopup : public MessageWindow {
public:
    struct Frame {
        layout::Size size;
        layout::Rgb fill;
        int titleFont = 0;  // tenths of a point
        int ruleRight = 0;  // the rule under the title runs to this x
        layout::Rect close; // where the close button stands
        int closeId = 0;    // its control id
    };

    OwnerDrawnPopup(QWidget* parent, const Frame& frame);

    void setShown(bool shown);
    bool shown() const { return isVisible(); }

    // Moves the popup to the main window's top left plus `offset` (screen
    // coordinates).
    void placeFrom(const QRect& mainWindowRect, layout::Point offset);

    SkinButton* closeButton() const { return closeButton_; }
    const QImage& backBuffer() const { return buffer_; }

    // Draws the back buffer again and repaints the window.
    void redraw();

protected:
    // The title above the rule; the popup's content under it.
    virtual QString title() const = 0;
    virtual void drawContent(QPainter& painter) = 0;
    // The close button was clicked.
    virtual void onClose() = 0;

    // An image button of the popup at `rect` (its size comes from the image).
    SkinButton* addButton(int controlId, int normalId, int pressedId, layout::Rect rect);

    // Text with its top left at `at`, as the popups place their texts.
    void drawText(QPainter& painter, layout::Point at, const QString& text, int tenthsOfPoint,
                  layout::Rgb colour) const;
    // Text centred across the popup with its top at y.
    void drawCentredText(QPainter& painter, int y, const QString& text, int tenthsOfPoint, layout::Rgb colour) const;
    // The folder browser over this popup, starting at `current`: the folder
    // chosen, with a trailing separator, or nothing when cancelled.
    std::optional<std::string> browseFolder(const std::string& current);
    // A one-pixel frame of the edges of `rect` in `colour`.
    static void drawBox(QPainter& painter, layout::Rect rect, layout::Rgb colour);
    double scale() const { return scale_; }

    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    Frame frame_;
    QImage buffer_;
    double scale_ = 1.0;
    SkinButton* closeButton_ = nullptr;
};

// Key presses every popup swallows: Enter, Escape and F4 (also with Alt).
bool isSwallowedPopupKey(int key);

} // namespace kyvo
