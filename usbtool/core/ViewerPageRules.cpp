#include "ViewerPageRules.h"

namespace kyvo::usbtool {

namespace {
constexpr int kSortButtons = 2;
} // namespace

ViewerPageState loadViewerPage(const RecorderConfig& record) {
    return ViewerPageState{choiceWithin(record.get(field::kViewerSort), kSortButtons)};
}

void saveViewerPage(const ViewerPageState& state, RecorderConfig& record) {
    record.clear(kViewerRange);
    record.set(field::kViewerSort, state.sortCondition);
}

} // namespace kyvo::usbtool
