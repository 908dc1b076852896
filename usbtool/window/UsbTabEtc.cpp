#include "UsbTabEtc.h"

#include "PageGroup.h"

#include <QVBoxLayout>

namespace kyvo::usbtool {

UsbTabEtc::UsbTabEtc(QWidget* parent) : UsbTabPage(parent, Body::Fixed, SaveButton::Without) {
    setObjectName(QStringLiteral("UsbTabEtc"));
    auto* update = new PageGroup(QStringLiteral("1. F/W Update"), groupHolder());
    update->addButtons({"SD Update", "USB Update", "Set Default"});
    groups()->addWidget(update);
    groups()->addWidget(emptyGroup(QStringLiteral("2. Bluetooth(Not Yet)"), groupHolder()));
    groups()->addWidget(emptyGroup(QStringLiteral("3. Advanced Function(Not Yet)"), groupHolder()));
    finishGroups();
}

} // namespace kyvo::usbtool
