#include "VideoPopupControls.h"

#include <QColor>
#include <QPainter>

#include "Controls.h"
#include "SkinIds.h"
#include "VideoPopupLayout.h"

namespace kyvo::skin {

namespace {

namespace popup = ::kyvo::layout::video_popup;

QColor colourOf(::kyvo::layout::Rgb rgb) {
    return QColor(rgb.red(), rgb.green(), rgb.blue());
}

} // namespace

QImage paintVideoPopupControl(int id) {
    if (id != kRightPopupCloseNormal && id != kRightPopupClosePressed && id != kLeftPopupCloseNormal &&
        id != kLeftPopupClosePressed)
        return {};
    const SkinImage* entry = findSkinImage(id);
    if (!entry)
        return {};
    QImage canvas(entry->width, entry->height, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(colourOf(popup::kInside));
    paintTitleButton(canvas, Glyph::Close, entry->normalId != 0 ? Press::Pressed : Press::Normal, true);
    QPainter p(&canvas);
    p.fillRect(0, 0, canvas.width(), 1, colourOf(popup::kFrameColour));
    return canvas;
}

} // namespace kyvo::skin
