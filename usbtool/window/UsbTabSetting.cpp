#include "UsbTabSetting.h"

#include <QComboBox>
#include <QVBoxLayout>

namespace kyvo::usbtool {

namespace {
const std::initializer_list<const char*> kOffOn{"Off", "On"};
constexpr int kTimeListsPerRow = 3;
constexpr int kPairPerRow = 2;
} // namespace

UsbTabSetting::UsbTabSetting(QWidget* parent) : UsbTabPage(parent, Body::Scrolled, SaveButton::With) {
    setObjectName(QStringLiteral("UsbTabSetting"));
    using S = SettingPageState;

    PageGroup* time = addGroup("1. Date/Time");
    addList(time, "1) Year", kYears.texts(), &S::year, kTimeListsPerRow);
    addList(time, "2) Month", kMonths.texts(), &S::month, kTimeListsPerRow);
    addList(time, "3) Date", kDates.texts(), &S::date, kTimeListsPerRow);
    addList(time, "4) Hour", kHours.texts(), &S::hour, kTimeListsPerRow);
    addList(time, "5) Minute", kMinutes.texts(), &S::minute, kTimeListsPerRow);
    addList(time, "6) Sec", kMinutes.texts(), &S::second, kTimeListsPerRow);

    PageGroup* audio = addGroup("2. Audio");
    addList(audio, "1) in Vol(%)", kInVolumes.texts(), &S::inVolume, kPairPerRow);
    addList(audio, "2) out Vol(%)", kOutVolumes.texts(), &S::outVolume, kPairPerRow);

    PageGroup* accelerometer = addGroup("3. Accelerometer");
    addRadios(accelerometer, "1) Trigger Mode", kOffOn, &S::triggerMode);
    addRadios(accelerometer, "2) Scale Value", {"(+/-)2g", "(+/-)6g"}, &S::scale);
    addList(accelerometer, "3) Trigger Level", triggerLevelTexts(), &S::triggerLevel);
    addRadios(accelerometer, "4) UI Rotate", kOffOn, &S::uiRotate);

    PageGroup* camera = addGroup("4. Camera");
    addRadios(camera, "1) Vertical Flip", kOffOn, &S::verticalFlip);
    addRadios(camera, "2) Horizontal Mirror", kOffOn, &S::horizontalMirror);
    addList(camera, "3) Brightness", kBiases.texts(), &S::brightness);
    addList(camera, "4) Sharpness", kBiases.texts(), &S::sharpness);
    addList(camera, "5) Expo Bias", kBiases.texts(), &S::exposureBias);
    addList(camera, "6) WDR Bias", kBiases.texts(), &S::wdrBias);
    addRadios(camera, "7) Frame Rate(Not Yet)", {"Fix", "Variable"}, &S::frameRate);

    groups()->addWidget(emptyGroup(QStringLiteral("5. TPMS(Not Yet)"), groupHolder()));
    addRadios(addGroup("6. SD Format"), "", {"No", "Yes"}, &S::sdFormat);

    PageGroup* system = addGroup("7. System");
    addRadios(system, "1) Buzzer Mode", kOffOn, &S::buzzer);
    addRadios(system, "2) LCD Brightness", {"Auto", "Low", "Middle", "High"}, &S::lcdBrightness);
    addRadios(system, "3) Batterry Volt", {"12 V", "24 V"}, &S::batteryVoltage);
    addRadios(system, "4) IR_LED Mode", {"On", "Off", "Auto"}, &S::irLedMode);
    addRadios(system, "5) GPS Mode", kOffOn, &S::gpsMode);
    finishGroups();

    state_ = loadSettingPage(recorderConfig());
    updateData(false);
}

PageGroup* UsbTabSetting::addGroup(const char* title) {
    auto* group = new PageGroup(QString::fromUtf8(title), groupHolder());
    groups()->addWidget(group);
    return group;
}

void UsbTabSetting::addRadios(PageGroup* group, const char* label, std::initializer_list<const char*> texts,
                              Member member) {
    radios_.push_back({group->addRadios(QString::fromUtf8(label), texts), member});
}

void UsbTabSetting::addList(PageGroup* group, const char* label, const std::vector<std::string>& texts, Member member,
                            int perRow) {
    const QString name = QString::fromUtf8(label);
    QComboBox* list = perRow > 1 ? group->addListBeside(name, texts, perRow) : group->addList(name, texts);
    lists_.push_back({list, member});
}

void UsbTabSetting::updateData(bool save) {
    for (Radio& radio : radios_) {
        if (save)
            state_.*radio.member = radio.row.checked();
        else
            radio.row.setChecked(state_.*radio.member);
    }
    for (List& list : lists_) {
        if (save)
            state_.*list.member = listPosition(list.list);
        else
            setListPosition(list.list, state_.*list.member);
    }
}

void UsbTabSetting::save() {
    updateData(true);
    saveSettingPage(state_, recorderConfig());
}

} // namespace kyvo::usbtool
