#pragma once
// The Display page: the LCD and TV sources, and the two skins, which are
// shown but not editable.

#include "DisplayPageRules.h"
#include "PageGroup.h"
#include "UsbTabPage.h"

namespace kyvo::usbtool {

class UsbTabDisplay : public UsbTabPage {
public:
    explicit UsbTabDisplay(QWidget* parent);

    void updateData(bool save) override;
    void save() override;
    const DisplayPageState& state() const { return state_; }

private:
    RadioRow addGroup(const char* title, std::initializer_list<const char*> buttons);

    DisplayPageState state_;
    RadioRow lcd_;
    RadioRow tv_;
    RadioRow uiSkin_;
    RadioRow skin_;
};

} // namespace kyvo::usbtool
