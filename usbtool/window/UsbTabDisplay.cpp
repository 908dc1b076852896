#include "UsbTabDisplay.h"

#include <QVBoxLayout>

namespace kyvo::usbtool {

namespace {
const std::initializer_list<const char*> kSources{"Off", "CAM1", "CAM2", "TPMS", "OBD", "RF"};
const std::initializer_list<const char*> kSkins{"Skin1", "Skin2", "Skin3"};
} // namespace

UsbTabDisplay::UsbTabDisplay(QWidget* parent) : UsbTabPage(parent, Body::Fixed, SaveButton::With) {
    setObjectName(QStringLiteral("UsbTabDisplay"));
    lcd_ = addGroup("1. LCD", kSources);
    tv_ = addGroup("2. TV", kSources);
    uiSkin_ = addGroup("3. UI(Not Yet)", kSkins);
    skin_ = addGroup("4. Skin(Not Yet)", kSkins);
    groups()->addWidget(emptyGroup(QStringLiteral("5. OBD(Not Yet)"), groupHolder()));
    finishGroups();

    state_ = loadDisplayPage(recorderConfig());
    updateData(false);
    // The skins are the recorder's to choose: shown, not edited.
    uiSkin_.setEnabled(false);
    skin_.setEnabled(false);
}

RadioRow UsbTabDisplay::addGroup(const char* title, std::initializer_list<const char*> buttons) {
    auto* group = new PageGroup(QString::fromUtf8(title), groupHolder());
    groups()->addWidget(group);
    return group->addRadios(QString(), buttons);
}

void UsbTabDisplay::updateData(bool save) {
    if (save) {
        state_.lcd = lcd_.checked();
        state_.tv = tv_.checked();
        state_.uiSkin = uiSkin_.checked();
        state_.skin = skin_.checked();
        return;
    }
    lcd_.setChecked(state_.lcd);
    tv_.setChecked(state_.tv);
    uiSkin_.setChecked(state_.uiSkin);
    skin_.setChecked(state_.skin);
}

void UsbTabDisplay::save() {
    updateData(true);
    saveDisplayPage(state_, recorderConfig());
}

} // namespace kyvo::usbtool
