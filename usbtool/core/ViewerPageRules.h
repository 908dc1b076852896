#pragma once
// The Viewer page: the viewer's sort condition (record offsets 88..91).

#include "PageRules.h"

namespace kyvo::usbtool {

struct ViewerPageState {
    int sortCondition = kNothingChosen; // "Channel", "Time"

    bool operator==(const ViewerPageState&) const = default;
};

ViewerPageState loadViewerPage(const RecorderConfig& record);
// Clears offsets 88..91, then stores the page.
void saveViewerPage(const ViewerPageState& state, RecorderConfig& record);

} // namespace kyvo::usbtool
