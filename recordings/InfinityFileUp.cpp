#include "InfinityFileUp.h"

namespace kyvo {

namespace {
constexpr recordings::PageControls kControls{/*list*/ 1077, /*selectAll*/ 1248, /*counter*/ 1250};
} // namespace

InfinityFileUp::InfinityFileUp(QWidget* parent) : FileUpPage(recordings::RecordingKind::Normal, kControls, parent) {}

void InfinityFileUp::onClose() {
    clearPage();
}

} // namespace kyvo
