// "$GPRMC" target: the sentence is decoded as a telemetry entry hands it over
// (cut at its first NUL, at most the 128-byte record) and as any text; every
// text of the GPS box, the speed window and the print-out is then made from
// the fix. The trip export's strict reading takes the same texts: a fix it
// accepts lies on the globe at a time it can write.
#include "FuzzTargets.h"
#include "RmcSentence.h"
#include "TripWriters.h"
#include "TelemetryFix.h"
#include "TelemetryFormat.h"
#include "TelemetrySpeed.h"
#include "TelemetryText.h"

#include <cmath>
#include <cstring>
#include <string>
#include <string_view>

namespace kyvo::fuzz {

namespace {

using app::RmcFix;

constexpr std::size_t kGpsRecordSize = 128;
constexpr int kUnits[] = {app::kDisplayUnitKmh, app::kDisplayUnitMph, app::kDisplayUnitKnots, 3, -1};
// No text made from one fix comes near this; a longer one means a runaway format.
constexpr std::size_t kTextLimit = 1024;
constexpr int kDecimals[] = {0, 3, 17, 40, -5};

template <std::size_t N>
bool terminated(const char (&text)[N]) {
    return std::memchr(text, '\0', N) != nullptr;
}

void requireText(const std::string& text) {
    require(text.size() < kTextLimit, "a text stays short");
}

void formatFix(const RmcFix& fix) {
    require(terminated(fix.time) && terminated(fix.date) && terminated(fix.status), "the text fields end in NUL");
    require(std::isfinite(fix.latitude) && std::isfinite(fix.longitude) && std::isfinite(fix.speedKnots) &&
                std::isfinite(fix.course),
            "the numbers of a fix are finite");
    requireText(app::degreesText(fix.latitude));
    requireText(app::latitudeLine(fix.latitude));
    requireText(app::longitudeLine(fix.longitude));
    requireText(app::dateTimeText(fix, "Date"));
    requireText(app::positionPrintText(fix, "Position", "Lat", "Lon"));
    requireText(app::gsensorValueText('X', fix.speedKnots));
    requireText(app::gsensorPrintText(fix.latitude, fix.longitude, fix.course));
    for (const int decimals : kDecimals)
        requireText(app::fixedText(fix.course, decimals));

    app::SpeedDigits digits;
    for (const int unit : kUnits) {
        const app::SpeedReading reading = app::speedIn(fix, unit, "km/h");
        requireText(reading.valueText);
        requireText(app::speedText("Speed", reading.valueText));
        for (const int digit : app::digitsOf(reading.value))
            require(digit >= 0 && digit <= 9, "a speed digit has an image");
        for (const int digit : app::digitsOf(digits.update(fix, unit)))
            require(digit >= 0 && digit <= 9, "a speed digit has an image");
    }
    const auto [dx, dy] = app::headingVector(fix.course);
    require(dx * dx + dy * dy <= app::kHeadingNeedleLength * app::kHeadingNeedleLength, "the needle keeps its length");
    (void)app::positionDrawable(fix);
    (void)app::fixVoid(fix);
}

} // namespace

int rmcTarget(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::string_view record = text.substr(0, std::min(kGpsRecordSize, size));
    const std::string_view sentence = record.substr(0, record.find('\0'));

    RmcFix fix;
    if (app::decodeRmc(sentence, fix))
        formatFix(fix);
    RmcFix whole;
    const bool decoded = app::decodeRmc(text, whole);
    require(decoded == text.starts_with(app::kRmcPrefix), "only $GPRMC sentences are decoded");
    if (decoded)
        formatFix(whole);
    require(std::isfinite(app::readNmeaNumber(text)), "a number field reads as a finite number");

    for (const std::string_view input : {sentence, text}) {
        const trip::RmcReading reading = trip::readRmcSentence(input);
        if (reading.status != trip::SentenceStatus::Fix)
            continue;
        require(std::abs(reading.latitude) <= 90 && std::abs(reading.longitude) <= 180, "a fix lies on the globe");
        require(reading.speedKmh >= 0 && std::isfinite(reading.speedKmh) && reading.course >= 0 &&
                    reading.course < 360,
                "speed and course are in range");
        require(trip::isoTime(reading.utcSeconds).size() == 24, "the fix's time writes as ISO 8601");
    }
    return 0;
}

} // namespace kyvo::fuzz
