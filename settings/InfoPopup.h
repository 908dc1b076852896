#pragma once
// The information popup: the program's version ("1.0.1.0") and a line with
// the program's name, in the frame of the other popups. The main window
// creates it on first use and then only shows it; its close button hides it.
//
// GUI thread only.

#include "OwnerDrawnPopup.h"

#include <array>
#include <cstdint>

namespace kyvo {

class InfoPopup : public OwnerDrawnPopup {
public:
    explicit InfoPopup(QWidget* parent);

    // Moves the popup over the main window's rectangle.
    void place(const QRect& mainWindowRect);

    // "%d.%d.%d.%d" of the four numbers.
    static QString versionText(const std::array<std::uint16_t, 4>& version);

protected:
    QString title() const override;
    void drawContent(QPainter& painter) override;
    void onClose() override { setShown(false); }
};

} // namespace kyvo
