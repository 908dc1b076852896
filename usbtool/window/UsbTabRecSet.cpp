#include "UsbTabRecSet.h"

#include <QComboBox>
#include <QVBoxLayout>

namespace kyvo::usbtool {

namespace {
const std::initializer_list<const char*> kOffOn{"Off", "On"};
} // namespace

UsbTabRecSet::UsbTabRecSet(QWidget* parent) : UsbTabPage(parent, Body::Scrolled, SaveButton::With) {
    setObjectName(QStringLiteral("UsbTabRecSet"));
    using S = RecSetPageState;

    PageGroup* si = addGroup("1. SI");
    addRadios(si, "1) Time", kOffOn, &S::siTime);
    addRadios(si, "2) Accelerometer", kOffOn, &S::siAccelerometer);
    addRadios(si, "3) Ground Speed", kOffOn, &S::siGroundSpeed);

    PageGroup* user = addGroup("2. User Data");
    addRadios(user, "1) Time", kOffOn, &S::userTime);
    addRadios(user, "2) Accelerometer", kOffOn, &S::userAccelerometer);
    addRadios(user, "3) Ground Speed", kOffOn, &S::userGroundSpeed);
    addRadios(user, "4) JPEG", kOffOn, &S::userJpeg);
    addRadios(user, "5) JPEG Frame Rate", {"1 fps", "2 fps"}, &S::userJpegFrameRate);

    addRadios(addGroup("3. Record Time"), "", {"1 Min", "2 Min", "3 Min", "5 Min", "10 Min"}, &S::recordTime);

    PageGroup* motion = addGroup("4. Motion Detection");
    addRadios(motion, "1) Mode", kOffOn, &S::motionMode);
    addRadios(motion, "2) Sensitive", {"Low", "Normal", "High"}, &S::motionSensitivity);
    motionRecordTime_ = motion->addList(QStringLiteral("3) Record Time(sec)"), kMotionRecordTimes.texts());

    addRadios(addGroup("5. Event File Overwrite"), "", kOffOn, &S::eventOverwrite);
    addRadios(addGroup("6. Water Mark(Not Yet)"), "", kOffOn, &S::waterMark);
    addRadios(addGroup("7. Sorting"), "", {"Channel", "Time"}, &S::sorting);
    alignColumns({si, user, motion});
    groups()->addWidget(emptyGroup(QStringLiteral("8. Advanced Setting(Not Yet)"), groupHolder()));
    finishGroups();

    state_ = loadRecSetPage(recorderConfig());
    updateData(false);
}

PageGroup* UsbTabRecSet::addGroup(const char* title) {
    auto* group = new PageGroup(QString::fromUtf8(title), groupHolder());
    groups()->addWidget(group);
    return group;
}

void UsbTabRecSet::addRadios(PageGroup* group, const char* label, std::initializer_list<const char*> texts,
                             int RecSetPageState::*member) {
    radios_.push_back({group->addRadios(QString::fromUtf8(label), texts), member});
}

void UsbTabRecSet::updateData(bool save) {
    for (Radio& radio : radios_) {
        if (save)
            state_.*radio.member = radio.row.checked();
        else
            radio.row.setChecked(state_.*radio.member);
    }
    if (save)
        state_.motionRecordTime = listPosition(motionRecordTime_);
    else
        setListPosition(motionRecordTime_, state_.motionRecordTime);
}

void UsbTabRecSet::save() {
    updateData(true);
    saveRecSetPage(state_, recorderConfig());
}

} // namespace kyvo::usbtool
