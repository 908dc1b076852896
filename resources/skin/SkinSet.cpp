#include "SkinSet.h"

#include "Backgrounds.h"
#include "Brand.h"
#include "Controls.h"
#include "Indicators.h"
#include "Paint.h"
#include "PopupControls.h"
#include "SkinIds.h"
#include "SkinLayout.h"
#include "VideoPopupControls.h"

namespace kyvo::skin {

namespace {

using layout::Placement;
using layout::Screen;

constexpr int kKnobSideRoom = 5;  // groove left visible beside a knob's body

struct ButtonLook {
    int normal;
    int pressed;
    Glyph glyph;
};

constexpr ButtonLook kToolButtons[] = {
    {kPrintNormal, kPrintPressed, Glyph::Print},     {kCaptureNormal, kCapturePressed, Glyph::Camera},
    {kSaveNormal, kSavePressed, Glyph::Backup},      {kInfoNormal, kInfoPressed, Glyph::Info},
    {kSettingsNormal, kSettingsPressed, Glyph::Gear},
};

constexpr ButtonLook kTransportButtons[] = {
    {kPrevNormal, kPrevPressed, Glyph::Previous}, {kPauseNormal, kPausePressed, Glyph::Pause},
    {kStopNormal, kStopPressed, Glyph::Stop},     {kPlayNormal, kPlayPressed, Glyph::Play},
    {kNextNormal, kNextPressed, Glyph::Next},
};

const ButtonLook* findButton(const auto& table, int id) {
    for (const ButtonLook& look : table) {
        if (look.normal == id || look.pressed == id)
            return &look;
    }
    return nullptr;
}

Press pressOf(int id) {
    const SkinImage* image = findSkinImage(id);
    return image && image->normalId != 0 ? Press::Pressed : Press::Normal;
}

} // namespace

SkinSet::SkinSet()
    : main_(paintMainBackground())
    , password_(paintPasswordBackground()) {
}

QImage SkinSet::canvasFor(int id) const {
    const QSize size = skinSize(id);
    const Placement* placement = layout::findPlacement(id);
    if (id >= kDigitFirst && id <= kDigitLast)
        placement = &layout::kDigitPlacement;
    if (!placement)
        return newCanvas(size.width(), size.height());
    const QImage& screen = placement->screen == Screen::Main ? main_ : password_;
    return canvasOver(screen, placement->at, size);
}

QImage SkinSet::render(int id) const {
    if (!findSkinImage(id))
        return {};
    if (id == kMainBackground)
        return main_;
    if (id == kPasswordBackground)
        return password_;
    if (id == kAppIcon)
        return paintAppIcon();
    if (id == kBrandPlate)
        return paintBrandPlate();
    if (id >= kUnlockFirst && id <= kUnlockLast)
        return paintUnlockFrame(id - kUnlockFirst, password_);
    if (id == kBarFill)
        return paintBarFill();
    if (id == kKindNormal || id == kKindEvent || id == kKindManual) {
        return paintKindBadge(id == kKindNormal  ? RecordingKind::Normal
                              : id == kKindEvent ? RecordingKind::Event
                                                 : RecordingKind::Manual);
    }
    if (id == kTriangleRight || id == kTriangleLeft)
        return paintTriangle(id == kTriangleRight);
    if (QImage popup = paintPopupControl(id); !popup.isNull())
        return popup;
    if (QImage video = paintVideoPopupControl(id); !video.isNull())
        return video;

    QImage canvas = canvasFor(id);
    const Press press = pressOf(id);
    if (const ButtonLook* look = findButton(kToolButtons, id)) {
        paintToolButton(canvas, look->glyph, press);
    } else if (const ButtonLook* transport = findButton(kTransportButtons, id)) {
        paintTransportButton(canvas, transport->glyph, press, transport->glyph == Glyph::Play);
    } else if (id >= kDigitFirst && id <= kDigitLast) {
        paintDigit(canvas, id - kDigitFirst);
    } else {
        switch (id) {
        case kCloseNormal:
        case kClosePressed: paintTitleButton(canvas, Glyph::Close, press, true); break;
        case kMinimiseNormal:
        case kMinimisePressed: paintTitleButton(canvas, Glyph::Minimise, press, false); break;
        case kChannelNormal:
        case kChannelPressed: paintTitleButton(canvas, Glyph::Channels, press, false); break;
        case kOpenFilesNormal:
        case kOpenFilesPressed: paintTextButton(canvas, QStringLiteral("開啟檔案"), press, true); break;
        case kClearListNormal:
        case kClearListPressed: paintTextButton(canvas, QStringLiteral("清除清單"), press, false); break;
        case kOkNormal:
        case kOkPressed: paintOkButton(canvas, press); break;
        case kUsbTool: paintUsbButton(canvas); break;
        case kBarLeftCap: paintBarCap(canvas, true); break;
        case kBarRightCap: paintBarCap(canvas, false); break;
        case kProgressKnob:
        case kSliderKnob: paintKnob(canvas, canvas.width() - kKnobSideRoom); break;
        case kUnitKmh: paintUnitSign(canvas, QStringLiteral("km/h")); break;
        case kUnitMph: paintUnitSign(canvas, QStringLiteral("mph")); break;
        case kUnitKnots: paintUnitSign(canvas, QStringLiteral("knots")); break;
        case kPlaybackSpeedIcon: paintSliderIcon(canvas, SliderIcon::Speed); break;
        case kVolumeOnIcon: paintSliderIcon(canvas, SliderIcon::Volume); break;
        case kVolumeMutedIcon: paintSliderIcon(canvas, SliderIcon::Muted); break;
        case kEventMark: paintEventMark(canvas); break;
        case kScrollUp: paintScrollArrow(canvas, true); break;
        case kScrollDown: paintScrollArrow(canvas, false); break;
        default: break;
        }
    }
    return canvas;
}

} // namespace kyvo::skin
