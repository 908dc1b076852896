#pragma once
// The Viewer page: the viewer's sort condition.

#include "PageGroup.h"
#include "UsbTabPage.h"
#include "ViewerPageRules.h"

namespace kyvo::usbtool {

class UsbTabViewer : public UsbTabPage {
public:
    // The command id of the page's Save button.
    static constexpr int kSaveCommand = 7;

    explicit UsbTabViewer(QWidget* parent);

    void updateData(bool save) override;
    void save() override;
    const ViewerPageState& state() const { return state_; }

private:
    ViewerPageState state_;
    RadioRow sortCondition_;
};

} // namespace kyvo::usbtool
