// The instrument panels of the lower console of the main background: heading
// dial, speed window, position, G-sensor graph and play list.
#pragma once

#include <QPainter>

namespace kyvo::skin {

void paintHeadingDial(QPainter& painter);
void paintSpeedWindow(QPainter& painter);
void paintPositionWell(QPainter& painter);
void paintGSensorPanel(QPainter& painter);
void paintPlayListPanel(QPainter& painter);

} // namespace kyvo::skin
