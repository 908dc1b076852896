#include "InfoPopup.h"

#include "PopupControlIds.h"
#include "PopupLayout.h"
#include "PopupTexts.h"
#include "StringIds.h"
#include "Strings.h"
#include "Version.h"

namespace kyvo {

namespace {

using namespace settings::popup;

constexpr OwnerDrawnPopup::Frame kFrame{kInfoSize, kFill, kTitleFont, kInfoRuleRight, kInfoClose,
                                        popup_control::kClose};

} // namespace

InfoPopup::InfoPopup(QWidget* parent) : OwnerDrawnPopup(parent, kFrame) {
    setWindowTitle(QStringLiteral("InfoPopup"));
}

void InfoPopup::place(const QRect& mainWindowRect) {
    placeFrom(mainWindowRect, kInfoOffset);
}

QString InfoPopup::versionText(const std::array<std::uint16_t, 4>& version) {
    return QString::asprintf(kVersionFormat, version[0], version[1], version[2], version[3]);
}

QString InfoPopup::title() const {
    return loadString(strings::kInformation);
}

void InfoPopup::drawContent(QPainter& painter) {
    const int centre = kInfoSize.width / 2;
    drawText(painter, {centre - kVersionLineLeftOfCentre, kVersionLineY}, versionText(programVersion()), kLabelFont,
             kLabelColour);
    drawText(painter, {centre - kSecondLineLeftOfCentre, kSecondLineY}, loadString(strings::kVersionLine), kLabelFont,
             kLabelColour);
}

} // namespace kyvo
