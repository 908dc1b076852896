#pragma once
// The RecSet page (scrolled): stamped information, user data, record time,
// motion detection, event file overwrite, water mark and sorting.

#include "PageGroup.h"
#include "RecSetPageRules.h"
#include "UsbTabPage.h"

#include <vector>

class QComboBox;

namespace kyvo::usbtool {

class UsbTabRecSet : public UsbTabPage {
public:
    explicit UsbTabRecSet(QWidget* parent);

    void updateData(bool save) override;
    void save() override;
    const RecSetPageState& state() const { return state_; }

private:
    struct Radio {
        RadioRow row;
        int RecSetPageState::*member;
    };

    PageGroup* addGroup(const char* title);
    void addRadios(PageGroup* group, const char* label, std::initializer_list<const char*> texts,
                   int RecSetPageState::*member);

    RecSetPageState state_;
    std::vector<Radio> radios_;
    QComboBox* motionRecordTime_ = nullptr;
};

} // namespace kyvo::usbtool
