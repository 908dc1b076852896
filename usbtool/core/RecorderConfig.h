#pragma once
// The recorder's configuration record: 84 little-endian 32-bit slots (336
// bytes), exchanged with the recorder over USB and kept in the store as the
// value "stConfig". Every slot is a signed integer except the accelerometer
// trigger level, an IEEE single-precision float.
//
// The record is kept as its bytes, so what the recorder sent is sent back
// unchanged, slots the viewer never edits included. One instance lives for
// the whole run (recorderConfig()); the USB tool's pages, its store copy and
// the exchange share it.
//
// Not thread-safe. The exchange works on a copy off the GUI thread and the
// result is copied back on the GUI thread.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace kyvo::usbtool {

// Byte offsets of the fields.
namespace field {
inline constexpr std::size_t kChannels = 0;
inline constexpr std::size_t kRecordingMode = 4;
inline constexpr std::size_t kVideoType = 8;
inline constexpr std::size_t kResolution = 12;
inline constexpr std::size_t kQuality = 16;
inline constexpr std::size_t kAudio = 20;
inline constexpr std::size_t kSiTime = 24;
inline constexpr std::size_t kSiAccelerometer = 28;
inline constexpr std::size_t kSiGroundSpeed = 32;
inline constexpr std::size_t kUserTime = 36;
inline constexpr std::size_t kUserAccelerometer = 40;
inline constexpr std::size_t kUserGroundSpeed = 44;
inline constexpr std::size_t kUserJpeg = 48;
inline constexpr std::size_t kUserJpegFrameRate = 52;
inline constexpr std::size_t kRecordTime = 56;
inline constexpr std::size_t kMotionMode = 60;
inline constexpr std::size_t kMotionSensitivity = 64;
inline constexpr std::size_t kMotionRecordTime = 68;
inline constexpr std::size_t kEventOverwrite = 72;
inline constexpr std::size_t kWaterMark = 76;
inline constexpr std::size_t kSorting = 80;
inline constexpr std::size_t kRecSetZero = 84;
inline constexpr std::size_t kViewerSort = 88;
inline constexpr std::size_t kLcdSource = 92;
inline constexpr std::size_t kTvSource = 96;
inline constexpr std::size_t kUiSkin = 100;
inline constexpr std::size_t kSkin = 104;
inline constexpr std::size_t kDisplayZero = 108; // three slots
inline constexpr std::size_t kYear = 120;
inline constexpr std::size_t kMonth = 124;
inline constexpr std::size_t kDay = 128;
inline constexpr std::size_t kHour = 132;
inline constexpr std::size_t kMinute = 136;
inline constexpr std::size_t kSecond = 140;
inline constexpr std::size_t kAudioInVolume = 144;
inline constexpr std::size_t kAudioOutVolume = 148;
inline constexpr std::size_t kTriggerMode = 152;
inline constexpr std::size_t kAccelScale = 156;
inline constexpr std::size_t kTriggerLevel = 160; // float
inline constexpr std::size_t kUiRotate = 164;
inline constexpr std::size_t kVerticalFlip = 168;
inline constexpr std::size_t kHorizontalMirror = 172;
inline constexpr std::size_t kBrightness = 176;
inline constexpr std::size_t kSharpness = 180;
inline constexpr std::size_t kExposureBias = 184;
inline constexpr std::size_t kWdrBias = 188;
inline constexpr std::size_t kFrameRate = 192;
inline constexpr std::size_t kSettingZero = 196; // 24 slots
inline constexpr std::size_t kSdFormat = 292;
inline constexpr std::size_t kBuzzer = 296;
inline constexpr std::size_t kLcdBrightness = 300;
inline constexpr std::size_t kBatteryVoltage = 304;
inline constexpr std::size_t kIrLedMode = 308;
inline constexpr std::size_t kGpsMode = 312;
inline constexpr std::size_t kUntouched = 316; // five slots the viewer never writes
} // namespace field

// The byte range a page's "Save" clears before it stores: [first, last + 4).
struct SlotRange {
    std::size_t first; // offset of the first slot
    std::size_t last;  // offset of the last slot
};
inline constexpr SlotRange kRecorderRange{0, 20};
inline constexpr SlotRange kRecSetRange{24, 84};
inline constexpr SlotRange kViewerRange{88, 88};
inline constexpr SlotRange kDisplayRange{92, 116};
inline constexpr SlotRange kSettingRange{120, 312};

class RecorderConfig {
public:
    static constexpr std::size_t kSlotCount = 84;
    static constexpr std::size_t kSlotBytes = 4;
    static constexpr std::size_t kSize = kSlotCount * kSlotBytes; // 336

    RecorderConfig() = default; // all zero, as at program start

    std::int32_t get(std::size_t offset) const;
    void set(std::size_t offset, std::int32_t value);
    float getFloat(std::size_t offset) const;
    void setFloat(std::size_t offset, float value);
    // Zeroes every slot of the range.
    void clear(SlotRange range);

    // Takes up to kSize bytes; slots beyond what is given keep their value
    // (a short store value leaves the rest of the record as it was).
    void load(std::span<const std::uint8_t> bytes);
    std::span<const std::uint8_t, kSize> bytes() const { return bytes_; }
    std::span<std::uint8_t, kSize> bytes() { return bytes_; }

    bool operator==(const RecorderConfig&) const = default;

private:
    std::array<std::uint8_t, kSize> bytes_{};
};

// The one record of the run; GUI thread only.
RecorderConfig& recorderConfig();

} // namespace kyvo::usbtool
