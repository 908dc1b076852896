#include "EventFileUp.h"

namespace kyvo {

namespace {
constexpr recordings::PageControls kControls{/*list*/ 1077, /*selectAll*/ 1248, /*counter*/ 1253};
} // namespace

EventFileUp::EventFileUp(QWidget* parent) : FileUpPage(recordings::RecordingKind::Event, kControls, parent) {}

} // namespace kyvo
