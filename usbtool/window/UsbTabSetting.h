#pragma once
// The Setting page (scrolled): date and time, audio volumes, the
// accelerometer, the camera, SD format and the recorder's system settings.
// Its lists are filled when the page is created, then set from the record.

#include "PageGroup.h"
#include "SettingPageRules.h"
#include "UsbTabPage.h"

#include <vector>

class QComboBox;

namespace kyvo::usbtool {

class UsbTabSetting : public UsbTabPage {
public:
    explicit UsbTabSetting(QWidget* parent);

    void updateData(bool save) override;
    void save() override;
    const SettingPageState& state() const { return state_; }

private:
    using Member = int SettingPageState::*;
    struct Radio {
        RadioRow row;
        Member member;
    };
    struct List {
        QComboBox* list;
        Member member;
    };

    PageGroup* addGroup(const char* title);
    void addRadios(PageGroup* group, const char* label, std::initializer_list<const char*> texts, Member member);
    void addList(PageGroup* group, const char* label, const std::vector<std::string>& texts, Member member,
                 int perRow = 1);

    SettingPageState state_;
    std::vector<Radio> radios_;
    std::vector<List> lists_;
};

} // namespace kyvo::usbtool
