#pragma once
// Telemetry display logic of the main window, Qt-free: the decoded GPS fix and
// heading (TelemetryFix.h), the speed in the display unit and its digits
// (TelemetrySpeed.h), the G-sensor graph (TelemetryGraph.h) and the texts of
// the GPS box and the print-out (TelemetryText.h).

#include "TelemetryFix.h"
#include "TelemetryGraph.h"
#include "TelemetrySpeed.h"
#include "TelemetryText.h"
