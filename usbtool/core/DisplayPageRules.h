#pragma once
// The Display page: the LCD and TV sources and the two skins (record
// offsets 92..119; the three slots from 108 are zeroed whenever the page
// saves).
//
// A source's buttons are "Off", "CAM1", "CAM2", "TPMS", "OBD", "RF"; the
// stored values skip 3, so TPMS, OBD and RF are stored as 4, 5 and 6. The
// skins are shown but not editable (their groups are disabled).

#include "PageRules.h"

namespace kyvo::usbtool {

namespace display {
inline constexpr int kSourceButtons = 6;
inline constexpr int kSkinButtons = 3;
inline constexpr int kTpms = 3; // source button stored as 4
} // namespace display

struct DisplayPageState {
    int lcd = kNothingChosen;    // "1. LCD"
    int tv = kNothingChosen;     // "2. TV"
    int uiSkin = kNothingChosen; // "3. UI(Not Yet)"
    int skin = kNothingChosen;   // "4. Skin(Not Yet)"

    bool operator==(const DisplayPageState&) const = default;
};

// A stored source as its button: the value below 3, value - 1 from 3 on
// (so a stored 3 shows CAM2); nothing for what no button shows.
int sourceIndex(std::int32_t value);
// A source button as its stored value: the index for Off..CAM2, index + 1
// for TPMS, OBD, RF.
std::int32_t sourceValue(int index);

DisplayPageState loadDisplayPage(const RecorderConfig& record);
// Clears offsets 92..119, then stores the page.
void saveDisplayPage(const DisplayPageState& state, RecorderConfig& record);

} // namespace kyvo::usbtool
