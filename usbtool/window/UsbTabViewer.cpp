#include "UsbTabViewer.h"

#include <QPushButton>
#include <QVBoxLayout>

namespace kyvo::usbtool {

UsbTabViewer::UsbTabViewer(QWidget* parent) : UsbTabPage(parent, Body::Fixed, SaveButton::With) {
    setObjectName(QStringLiteral("UsbTabViewer"));
    saveButton()->setProperty("commandId", kSaveCommand);
    auto* group = new PageGroup(QStringLiteral("Sort Condition"), groupHolder());
    groups()->addWidget(group);
    sortCondition_ = group->addRadios(QString(), {"Channel", "Time"});
    finishGroups();

    state_ = loadViewerPage(recorderConfig());
    updateData(false);
}

void UsbTabViewer::updateData(bool save) {
    if (save)
        state_.sortCondition = sortCondition_.checked();
    else
        sortCondition_.setChecked(state_.sortCondition);
}

void UsbTabViewer::save() {
    updateData(true);
    saveViewerPage(state_, recorderConfig());
}

} // namespace kyvo::usbtool
