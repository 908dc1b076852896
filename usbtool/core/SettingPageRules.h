#pragma once
// The Setting page: date and time, audio volumes, the accelerometer, the
// camera, SD format and the recorder's system settings (record offsets
// 120..315; the 24 slots from 196 are zeroed whenever the page saves).
//
// Lists keep the position of the selected entry. Date and time lists and the
// -5..5 lists store the number shown; the volume lists store the position;
// the trigger level stores the number shown as a float. A list with nothing
// selected (a stored value outside its entries) saves 0.

#include "PageRules.h"

namespace kyvo::usbtool {

struct SettingPageState {
    // Date and time: "1) Year" .. "6) Sec" (list positions).
    int year = kNothingChosen;
    int month = kNothingChosen;
    int date = kNothingChosen;
    int hour = kNothingChosen;
    int minute = kNothingChosen;
    int second = kNothingChosen;
    // Audio: "1) in Vol(%)", "2) out Vol(%)" (list positions).
    int inVolume = kNothingChosen;
    int outVolume = kNothingChosen;
    // Accelerometer.
    int triggerMode = kNothingChosen;  // "1) Trigger Mode" Off/On
    int scale = kNothingChosen;        // "2) Scale Value" (+/-)2g, (+/-)6g
    int triggerLevel = kNothingChosen; // "3) Trigger Level" list position
    int uiRotate = kNothingChosen;     // "4) UI Rotate" Off/On
    // Camera.
    int verticalFlip = kNothingChosen;     // Off/On
    int horizontalMirror = kNothingChosen; // Off/On
    int brightness = kNothingChosen;       // list positions of -5..5
    int sharpness = kNothingChosen;
    int exposureBias = kNothingChosen;
    int wdrBias = kNothingChosen;
    int frameRate = kNothingChosen; // "7) Frame Rate(Not Yet)" Fix/Variable
    // "6. SD Format" No/Yes.
    int sdFormat = kNothingChosen;
    // System.
    int buzzer = kNothingChosen;         // Off/On
    int lcdBrightness = kNothingChosen;  // Auto/Low/Middle/High
    int batteryVoltage = kNothingChosen; // 12 V/24 V
    int irLedMode = kNothingChosen;      // On/Off/Auto
    int gpsMode = kNothingChosen;        // Off/On

    bool operator==(const SettingPageState&) const = default;
};

// The page's numeric lists.
inline constexpr NumberList kYears{2000, 1, 100};
inline constexpr NumberList kMonths{1, 1, 12};
inline constexpr NumberList kDates{1, 1, 31};
inline constexpr NumberList kHours{0, 1, 24};
inline constexpr NumberList kMinutes{0, 1, 60}; // also the seconds
inline constexpr NumberList kInVolumes{10, 10, 10};
inline constexpr NumberList kOutVolumes{0, 10, 11};
inline constexpr NumberList kBiases{-5, 1, 11}; // brightness, sharpness, exposure and WDR bias

// "3) Trigger Level": 0.0 .. 2.0 in steps of 0.1, shown as "%.1f".
inline constexpr int kTriggerLevelCount = 21;
std::vector<std::string> triggerLevelTexts();
// The number an entry shows, as a float; 0 for nothing selected.
float triggerLevelAt(int position);
// The entry nearest to a stored level (the lower one of two equally near);
// nothing for NaN.
int nearestTriggerLevel(float level);

SettingPageState loadSettingPage(const RecorderConfig& record);
// Clears offsets 120..315, then stores the page.
void saveSettingPage(const SettingPageState& state, RecorderConfig& record);

} // namespace kyvo::usbtool
