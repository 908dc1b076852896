#pragma once
// The Etc page: the firmware update buttons (which do nothing in the
// viewer) and two groups the recorder does not have yet. It has no Save:
// nothing of the record is shown here.

#include "UsbTabPage.h"

namespace kyvo::usbtool {

class UsbTabEtc : public UsbTabPage {
public:
    explicit UsbTabEtc(QWidget* parent);

    void updateData(bool) override {}
};

} // namespace kyvo::usbtool
