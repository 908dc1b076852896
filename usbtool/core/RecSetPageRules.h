#pragma once
// The RecSet page: stamped information, user data, record time, motion
// detection, event file overwrite, water mark and sorting (record offsets
// 24..87; the slot at 84 is zeroed whenever the page saves).

#include "PageRules.h"

namespace kyvo::usbtool {

struct RecSetPageState {
    // "1. SI": Off/On each.
    int siTime = kNothingChosen;
    int siAccelerometer = kNothingChosen;
    int siGroundSpeed = kNothingChosen;
    // "2. User Data": Off/On each, the frame rate "1 fps"/"2 fps".
    int userTime = kNothingChosen;
    int userAccelerometer = kNothingChosen;
    int userGroundSpeed = kNothingChosen;
    int userJpeg = kNothingChosen;
    int userJpegFrameRate = kNothingChosen;
    // "3. Record Time": "1 Min", "2 Min", "3 Min", "5 Min", "10 Min", stored as index + 1.
    int recordTime = kNothingChosen;
    // "4. Motion Detection".
    int motionMode = kNothingChosen;        // Off/On
    int motionSensitivity = kNothingChosen; // Low/Normal/High
    int motionRecordTime = 0;               // position in motionRecordTimes(); the first by default
    // "5. Event File Overwrite", "6. Water Mark(Not Yet)": Off/On; "7. Sorting": Channel/Time.
    int eventOverwrite = kNothingChosen;
    int waterMark = kNothingChosen;
    int sorting = kNothingChosen;

    bool operator==(const RecSetPageState&) const = default;
};

inline constexpr int kRecordTimeButtons = 5;

// "3) Record Time(sec)": the seconds 30..120, one entry each.
inline constexpr NumberList kMotionRecordTimes{30, 1, 91};

// The entry a stored motion record time selects: s mod 30 below 60, s - 30
// up to 119, the last entry (120) from 120 on; so 30..120 select their own
// number. A negative value selects nothing.
int motionRecordTimePosition(std::int32_t seconds);

RecSetPageState loadRecSetPage(const RecorderConfig& record);
// Clears offsets 24..87, then stores the page.
void saveRecSetPage(const RecSetPageState& state, RecorderConfig& record);

} // namespace kyvo::usbtool
