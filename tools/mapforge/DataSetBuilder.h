#pragma once
// Lays the features out in grids: every shape is cut at grid boundaries and
// held relative to its grid, roads get their nodes, names and the sub-cell
// road index.

#include "Big5Text.h"
#include "DataSetModel.h"
#include "Features.h"

#include <string>

namespace kyvo::mapforge {

inline constexpr int kMaxGrids = 1064;
inline constexpr std::size_t kMaxShapePoints = 2000; // drawing skips shapes of more
inline constexpr std::size_t kMaxRoadPoints = 1023;  // a road's 10-bit point count
inline constexpr int kMaxIndex16 = 0xFFFF;           // 16-bit node, point and road numbers

// Answers false with a message when the features do not fit a map data set
// (more than 1064 grids, or a grid too full for the record fields).
bool buildDataSet(const Features& features, Big5Converter& big5, DataSetModel& model, std::string& error);

} // namespace kyvo::mapforge
