#include "ParkingFileUp.h"

namespace kyvo {

namespace {
constexpr recordings::PageControls kControls{/*list*/ 1254, /*selectAll*/ 1255, /*counter*/ 1257};
} // namespace

ParkingFileUp::ParkingFileUp(QWidget* parent) : FileUpPage(recordings::RecordingKind::ManualEvent, kControls, parent) {}

} // namespace kyvo
