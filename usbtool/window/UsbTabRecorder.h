#pragma once
// The Recorder page: channels, mode, video type, resolution, the two quality
// groups and audio. Clicking "1CH"/"2CH" enables the quality group of that
// channel count; clicking a video type enables "Mega(1.3M)" only for H.264.

#include "PageGroup.h"
#include "RecorderPageRules.h"
#include "UsbTabPage.h"

namespace kyvo::usbtool {

class UsbTabRecorder : public UsbTabPage {
public:
    explicit UsbTabRecorder(QWidget* parent);

    void updateData(bool save) override;
    void save() override;
    const RecorderPageState& state() const { return state_; }

private:
    void onChannel(int channel);
    void onType(int type);
    void showEnabling();

    RecorderPageState state_;
    RadioRow channel_;
    RadioRow mode_;
    RadioRow type_;
    RadioRow resolution_;
    RadioRow quality1_;
    RadioRow quality2_;
    RadioRow audio_;
    PageGroup* quality1Group_ = nullptr;
    PageGroup* quality2Group_ = nullptr;
};

} // namespace kyvo::usbtool
