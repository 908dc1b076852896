#include "UsbTabRecorder.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

#include <vector>

namespace kyvo::usbtool {

namespace {

// Seven groups of one row each: their titles sit inside the rows, so that
// the page holds them all without scrolling.
RadioRow addGroup(QWidget* page, QVBoxLayout* groups, const char* title, std::initializer_list<const char*> buttons,
                  std::vector<PageGroup*>& created) {
    auto* group = new PageGroup(QString::fromUtf8(title), page, PageGroup::Title::InRow);
    groups->addWidget(group);
    created.push_back(group);
    return group->addRadios(QString(), buttons);
}

} // namespace

UsbTabRecorder::UsbTabRecorder(QWidget* parent) : UsbTabPage(parent, Body::Fixed, SaveButton::With) {
    setObjectName(QStringLiteral("UsbTabRecorder"));
    std::vector<PageGroup*> made;
    channel_ = addGroup(this, groups(), "1. Channel", {"1CH", "2CH"}, made);
    mode_ = addGroup(this, groups(), "2. Mode", {"Infinity", "Event", "Parking"}, made);
    type_ = addGroup(this, groups(), "3. Type", {"MPEG4", "MJPEG", "H.264"}, made);
    resolution_ = addGroup(this, groups(), "4. Resolution", {"VGA", "QVGA", "Mega(1.3M)"}, made);
    quality1_ = addGroup(this, groups(), "5. Quailty", {"L(0.4M)", "N(0.8M)", "H(1.6M)"}, made);
    quality1Group_ = made.back();
    quality2_ = addGroup(this, groups(), "5-2. Quality", {"L(0.3M)", "N(512K)", "H(1.0M)"}, made);
    quality2Group_ = made.back();
    audio_ = addGroup(this, groups(), "6. AUDIO", {"Off", "AAC", "AMR"}, made);
    alignColumns(made);
    finishGroups();

    connect(channel_.group(), &QButtonGroup::idClicked, this, [this](int id) { onChannel(id); });
    connect(type_.group(), &QButtonGroup::idClicked, this, [this](int id) { onType(id); });

    state_ = loadRecorderPage(recorderConfig());
    updateData(false);
}

void UsbTabRecorder::updateData(bool save) {
    if (save) {
        state_.channel = channel_.checked();
        state_.mode = mode_.checked();
        state_.type = type_.checked();
        state_.resolution = resolution_.checked();
        state_.quality1 = quality1_.checked();
        state_.quality2 = quality2_.checked();
        state_.audio = audio_.checked();
        return;
    }
    channel_.setChecked(state_.channel);
    mode_.setChecked(state_.mode);
    type_.setChecked(state_.type);
    resolution_.setChecked(state_.resolution);
    quality1_.setChecked(state_.quality1);
    quality2_.setChecked(state_.quality2);
    audio_.setChecked(state_.audio);
    showEnabling();
}

void UsbTabRecorder::save() {
    updateData(true);
    saveRecorderPage(state_, recorderConfig());
}

void UsbTabRecorder::onChannel(int channel) {
    chooseChannel(state_, channel);
    showEnabling();
}

void UsbTabRecorder::onType(int type) {
    chooseType(state_, type);
    showEnabling();
}

void UsbTabRecorder::showEnabling() {
    quality1Group_->setEnabled(state_.quality1Enabled);
    quality2Group_->setEnabled(state_.quality2Enabled);
    resolution_.button(recorder::kMega)->setEnabled(state_.megaEnabled);
}

} // namespace kyvo::usbtool
