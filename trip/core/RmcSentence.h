#pragma once
// A "$GPRMC" sentence read strictly, for the trip export and the GPS check:
// unlike the viewer's gauges, which show whatever the fields hold, a fix here
// is taken only when its checksum matches and every field it needs is well
// formed, and the reason is told when it is not.
//
//   $GPRMC,hhmmss[.sss],A|V,ddmm.mmmm,N|S,dddmm.mmmm,E|W,knots,course,ddmmyy,...*HH

#include <string_view>

namespace kyvo::trip {

enum class SentenceStatus {
    Fix,         // checksum and fields good (the fix itself may be void)
    NotRmc,      // empty, or another sentence
    BadChecksum, // "*HH" missing or not the XOR of the characters between "$" and "*"
    Malformed,   // a field missing or out of its range
};

struct RmcReading {
    SentenceStatus status = SentenceStatus::NotRmc;
    bool valid = false;      // status "A"
    double utcSeconds = 0;   // since 1970-01-01, from time and date
    double latitude = 0;
    double longitude = 0;
    double speedKmh = 0;
    double course = 0;
};

inline constexpr double kKmhPerKnot = 1.852;

RmcReading readRmcSentence(std::string_view sentence);

} // namespace kyvo::trip
