#include "PasswordGate.h"

#include "Fonts.h"
#include "Skin.h"
#include "SkinCanvas.h"
#include "StringIds.h"
#include "Strings.h"

#include <QPainter>

namespace kyvo::app {

bool PasswordGate::advanceUnlock() {
    if (frame_ < 0)
        return false;
    if (++frame_ >= kUnlockFrames * kUnlockRounds)
        frame_ = -1;
    return frame_ >= 0;
}

void PasswordGate::paint(SkinCanvas& canvas, double displayScale) const {
    QPainter painter(&canvas.backBuffer());
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(QPoint(0, 0), canvas.background(), QRect(0, 0, kPasswordSize.width, kPasswordSize.height));
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setFont(pointFont(kPasswordCaptionFont, displayScale));
    painter.setPen(Qt::white);
    drawTextAt(painter, kPasswordCaption, loadString(strings::kPassword));
    painter.setPen(toQColor(kPasswordBorderColour));
    const Rect& b = kPasswordEditBorder;
    painter.drawRect(b.left, b.top, b.width() - 1, b.height() - 1);
    if (frame_ >= 0)
        painter.drawImage(kUnlockAnimation.x, kUnlockAnimation.y, skinImage(bitmap::kUnlockFirst + frame_ % kUnlockFrames));
}

} // namespace kyvo::app
