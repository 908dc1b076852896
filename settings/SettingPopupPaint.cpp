// Drawing the settings popup: the folder box of the capture and backup
// modes, the capture check box, and the speed unit, password and level of
// the system settings.

#include "SettingPopup.h"

#include "FolderText.h"
#include "LayoutPainting.h"
#include "LevelPosition.h"
#include "PopupLayout.h"
#include "PopupTexts.h"
#include "Skin.h"
#include "SkinIds.h"
#include "StringIds.h"
#include "Strings.h"

#include <QPainter>

namespace kyvo {

namespace {

using namespace settings::popup;

constexpr int kUnitNames[] = {strings::kUnitKmh, strings::kUnitMph, strings::kUnitKnots};

QString unitName(int unit) {
    return unit >= 0 && unit < 3 ? loadString(kUnitNames[unit]) : QString();
}

void drawImage(QPainter& painter, layout::Point at, int id) {
    painter.drawImage(at.x, at.y, skinImage(id));
}

} // namespace

QString SettingPopup::title() const {
    switch (mode()) {
    case PopupMode::ImageCapture: return loadString(strings::kTitleCapture);
    case PopupMode::Backup: return loadString(strings::kTitleBackup);
    case PopupMode::SystemSettingsMode: return loadString(strings::kTitleSystemSettings);
    case PopupMode::Idle: break;
    }
    return {};
}

void SettingPopup::drawContent(QPainter& painter) {
    switch (mode()) {
    case PopupMode::ImageCapture:
        drawFolderBox(painter);
        drawCaptureOptions(painter);
        break;
    case PopupMode::Backup: drawFolderBox(painter); break;
    case PopupMode::SystemSettingsMode: drawSystemSettings(painter); break;
    case PopupMode::Idle: break;
    }
}

void SettingPopup::drawFolderBox(QPainter& painter) {
    drawText(painter, kFolderLabelAt, loadString(strings::kSaveFolder), kTextFont, kLabelColour);
    drawBox(painter, kFolderBox, kBorder);
    const std::string folder = modeFolder();
    drawText(painter, {kFolderTextAt.x, kFolderTextAt.y + 4},
             QString::fromStdString(settings::folderBoxText(folder)), kTextFont, kValueColour);
    setToolTip(QString::fromStdString(folder));
}

void SettingPopup::drawCaptureOptions(QPainter& painter) {
    drawImage(painter, kCheckBox.topLeft(), state_.thirtyImages() ? skin::kCheckBoxOn : skin::kCheckBoxOff);
    drawText(painter, kCheckLabelAt, loadString(strings::kThirtyImages), kTextFont, kLabelColour);
    if (showingProgress_)
        drawCaptureProgress(painter);
}

// "影像擷取中,請稍待" and the stills written of those wanted.
void SettingPopup::drawCaptureProgress(QPainter& painter) {
    drawCentredText(painter, kCapturingTextY, loadString(strings::kCapturing), kTextFont, kValueColour);
    drawText(painter, kProgressAt, QString::asprintf(kProgressFormat, captureCount_, captureTotal_), kProgressFont,
             kValueColour);
}

void SettingPopup::drawSystemSettings(QPainter& painter) {
    setToolTip({});
    const settings::SystemSettings& block = store_.live();
    drawText(painter, kUnitLabelAt, loadString(strings::kSpeedUnit), kTextFont, kLabelColour);
    drawText(painter, kPasswordLabelAt, loadString(strings::kPasswordSetting), kTextFont, kLabelColour);
    drawImage(painter, kCheckBox.topLeft(), block.usePassword() != 0 ? skin::kCheckBoxOn : skin::kCheckBoxOff);
    drawText(painter, kCheckLabelAt, loadString(strings::kUsePassword), kTextFont, kValueColour);
    drawLevelSlider(painter);

    // The unit field and, unfolded, its list over what lies below.
    drawBox(painter, kUnitField, kBorder);
    drawText(painter, kUnitTextAt, unitName(block.speedUnit()), kTextFont, kValueColour);
    drawImage(painter, kFoldButton.topLeft(), state_.unitListOpen() ? skin::kFoldOpen : skin::kFoldClosed);
    if (state_.unitListOpen()) {
        const auto list = layout::Rect::edges(kUnitField.left, kUnitListTop, kUnitField.right, kUnitListBottom);
        painter.fillRect(list.left, list.top, list.width(), list.height(), toQColor(kFill));
        drawBox(painter, list, kBorder);
        for (int unit = 0; unit < 3; ++unit) {
            const auto row = layout::Rect::sized(list.left + 1, kUnitNameY[static_cast<std::size_t>(unit)] - 3,
                                                 list.width() - 2, kUnitRowHeight - 1);
            if (unit == block.speedUnit())
                painter.fillRect(row.left, row.top, row.width(), row.height(), toQColor(kRuleColour));
            drawText(painter, {kUnitNameX, kUnitNameY[static_cast<std::size_t>(unit)]}, unitName(unit), kTextFont,
                     kValueColour);
        }
    }
}

// The level slider: a groove with a tick per level, the thumb at the
// slider position and the level's number beside the label.
void SettingPopup::drawLevelSlider(QPainter& painter) {
    drawText(painter, kLevelLabelAt,
             loadString(strings::kLevel) + QStringLiteral("  %1").arg(settings::levelFromPosition(store_.levelPosition())),
             kTextFont, kLabelColour);
    const int grooveY = kThumbTop + kThumbSize.height / 2;
    const int grooveLeft = kThumbLeftOfPosition + kThumbSize.width / 2;
    const int grooveRight = grooveLeft + settings::kMaxLevelPosition;
    painter.fillRect(grooveLeft, grooveY - 2, grooveRight - grooveLeft, 4, toQColor(kRuleColour));
    painter.setPen(toQColor(kBorder));
    for (int level = settings::kMinLevel; level <= settings::kMaxLevel; ++level) {
        const int x = grooveLeft + settings::positionFromLevel(level);
        painter.drawLine(x, grooveY + kThumbSize.height / 2 + 2, x, grooveY + kThumbSize.height / 2 + 6);
    }
    drawImage(painter, levelThumb(store_.levelPosition()).topLeft(), skin::kLevelThumb);
}

} // namespace kyvo
