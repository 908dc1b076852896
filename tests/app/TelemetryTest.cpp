#include "Telemetry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <limits>
#include <optional>
#include <string>

using namespace kyvo::app;

namespace {

constexpr const char* kSentence = "$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*6A";

RmcFix decoded(std::string_view sentence) {
    RmcFix fix;
    EXPECT_TRUE(decodeRmc(sentence, fix)) << sentence;
    return fix;
}

// A fix with every member set, to see what decoding clears.
RmcFix filledFix() {
    RmcFix fix;
    std::strcpy(fix.time, "999999");
    std::strcpy(fix.date, "999999");
    std::strcpy(fix.status, "A");
    fix.latitude = fix.longitude = fix.speedKnots = fix.course = 1.0;
    return fix;
}

// Sets TZ for one test and puts the previous value back.
class ScopedTimeZone {
public:
    explicit ScopedTimeZone(const char* zone) {
        if (const char* old = std::getenv("TZ"))
            old_ = old;
        setenv("TZ", zone, 1);
        tzset();
    }
    ~ScopedTimeZone() {
        if (old_)
            setenv("TZ", old_->c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }

private:
    std::optional<std::string> old_;
};

} // namespace

TEST(RmcDecoding, ExampleSentence) {
    const RmcFix fix = decoded(kSentence);
    EXPECT_STREQ(fix.time, "123519");
    EXPECT_STREQ(fix.date, "230394");
    EXPECT_STREQ(fix.status, "A");
    EXPECT_NEAR(fix.latitude, 48.1173, 1e-9);
    EXPECT_NEAR(fix.longitude, 11.516667, 1e-6);
    EXPECT_DOUBLE_EQ(fix.speedKnots, 22.4);
    EXPECT_DOUBLE_EQ(fix.course, 84.4);
    EXPECT_NEAR(nmeaToDegrees(2503.5), 25.0 + 3.5 / 60.0, 1e-12);
    EXPECT_TRUE(positionDrawable(fix));
}

TEST(RmcDecoding, HemispheresMustMatchExactly) {
    const RmcFix sw = decoded("$GPRMC,123519,A,4807.038,S,01131.000,W,022.4,084.4,230394*6A");
    EXPECT_NEAR(sw.latitude, -48.1173, 1e-9);
    EXPECT_NEAR(sw.longitude, -11.516667, 1e-6);
    const RmcFix loose = decoded("$GPRMC,123519,A,4807.038,SS,01131.000,w,022.4,084.4,230394");
    EXPECT_GT(loose.latitude, 0);
    EXPECT_GT(loose.longitude, 0);
}

TEST(RmcDecoding, OtherSentencesLeaveTheFixUntouched) {
    for (const char* text : {"", "$GPGGA,123519,4807.038,N", "GPRMC,123519,A", " $GPRMC,1"}) {
        RmcFix fix = filledFix();
        EXPECT_FALSE(decodeRmc(text, fix)) << text;
        EXPECT_STREQ(fix.time, "999999");
        EXPECT_EQ(fix.course, 1.0);
    }
}

TEST(RmcDecoding, ShortSentenceLeavesMissingFieldsZero) {
    RmcFix fix = filledFix();
    ASSERT_TRUE(decodeRmc("$GPRMC,123519,V,4807.038", fix));
    EXPECT_STREQ(fix.status, "V");
    EXPECT_NEAR(fix.latitude, 48.1173, 1e-9);
    EXPECT_EQ(fix.longitude, 0.0);
    EXPECT_EQ(fix.speedKnots, 0.0);
    EXPECT_STREQ(fix.date, "");
    EXPECT_FALSE(positionDrawable(fix));
}

TEST(RmcDecoding, StopsAtChecksumAndNul) {
    EXPECT_STREQ(decoded("$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394*6A").date, "230394");
    // The adapter's 128-byte copy: the sentence ends at its NUL.
    const std::string buffer = std::string("$GPRMC,1,A,,,,,5,7") + '\0' + ",230394";
    const RmcFix fix = decoded(buffer);
    EXPECT_EQ(fix.course, 7.0);
    EXPECT_STREQ(fix.date, "");
}

TEST(RmcDecoding, OverlongFieldsAreCutToTheirBuffers) {
    const std::string sentence = "$GPRMC," + std::string(100, '1') + ",AVVVVVVVVV,4807.038,N,01131.000,E," +
                                 "12345678901234567890999,084.4," + std::string(50, '2');
    const RmcFix fix = decoded(sentence);
    EXPECT_EQ(std::string(fix.time), std::string(11, '1'));
    EXPECT_STREQ(fix.status, "AVVVVVV");
    EXPECT_EQ(std::string(fix.date), std::string(11, '2'));
    EXPECT_DOUBLE_EQ(fix.speedKnots, 1234567890123456789.0); // 19 characters read
    EXPECT_DOUBLE_EQ(fix.course, 84.4);                    // later fields stay in step
}

TEST(RmcDecoding, NumbersReadLikeAtof) {
    EXPECT_EQ(readNmeaNumber(" 12.5"), 12.5);
    EXPECT_EQ(readNmeaNumber("+3"), 3.0);
    EXPECT_EQ(readNmeaNumber("-2.5x"), -2.5);
    EXPECT_EQ(readNmeaNumber("1e3"), 1000.0);
    for (const char* zero : {"", "abc", "--5", "-", "inf", "nan", "1e999"})
        EXPECT_EQ(readNmeaNumber(zero), 0.0) << zero;
}

TEST(Speed, UnitsOfTheExampleSentence) {
    const RmcFix fix = decoded(kSentence);
    const SpeedReading kmh = speedIn(fix, kDisplayUnitKmh, "km");
    EXPECT_EQ(kmh.value, 41); // 41.4848
    EXPECT_EQ(kmh.valueText, "41.5 km");
    EXPECT_EQ(digitsOf(kmh.value), (std::array{0, 4, 1}));
    const SpeedReading mph = speedIn(fix, kDisplayUnitMph, "mi");
    EXPECT_EQ(mph.valueText, "25.8 mi");
    EXPECT_EQ(digitsOf(mph.value), (std::array{0, 2, 5}));
    const SpeedReading knots = speedIn(fix, kDisplayUnitKnots, "海里");
    EXPECT_EQ(knots.valueText, "22.4d 海里");
    EXPECT_EQ(digitsOf(knots.value), (std::array{0, 2, 2}));
    EXPECT_EQ(speedText("速度", knots.valueText), "速度: 22.4d 海里");
    const SpeedReading unknown = speedIn(fix, 3, "x");
    EXPECT_FALSE(unknown.known);
    EXPECT_EQ(unknown.value, 0);
    EXPECT_EQ(unknown.valueText, "");
}

TEST(Speed, VoidFixShowsLastValidSpeed) {
    SpeedDigits digits;
    EXPECT_EQ(digits.update(decoded(kSentence), kDisplayUnitKnots), 22);
    EXPECT_EQ(digits.update(decoded("$GPRMC,1,V,,,,,050.0"), kDisplayUnitKnots), 22);
    EXPECT_EQ(digits.update(decoded("$GPRMC,1,VV,,,,,050.0"), kDisplayUnitKnots), 50); // not exactly "V"
    digits.reset();
    EXPECT_EQ(digits.update(decoded("$GPRMC,1,V,,,,,050.0"), kDisplayUnitKnots), 0);
}

TEST(Speed, DigitsStayWithinTheImages) {
    EXPECT_EQ(digitsOf(45), (std::array{0, 4, 5}));
    EXPECT_EQ(digitsOf(999), (std::array{9, 9, 9}));
    EXPECT_EQ(digitsOf(1000), (std::array{9, 9, 9}));
    EXPECT_EQ(digitsOf(-7), (std::array{0, 0, 0}));
    SpeedDigits digits;
    const int huge = digits.update(decoded("$GPRMC,1,A,,,,,9999999999999999999"), kDisplayUnitKmh);
    EXPECT_EQ(huge, std::numeric_limits<int>::max()); // no overflowing conversion
    EXPECT_EQ(digitsOf(huge), (std::array{9, 9, 9}));
}

TEST(PositionText, DegreesMinutesSecondsWithSign) {
    const RmcFix fix = decoded(kSentence);
    EXPECT_EQ(latitudeLine(fix.latitude), "048° 07' 2.28\" N");
    EXPECT_EQ(longitudeLine(fix.longitude), "011° 31' 0.00\" E");
    EXPECT_EQ(latitudeLine(-fix.latitude), "-48° -7' -2.28\" S");
    EXPECT_EQ(longitudeLine(-fix.longitude), "-11° -31' -0.00\" W");
    EXPECT_EQ(latitudeLine(0.0), "000° 00' 0.00\" S");
    EXPECT_EQ(degreesText(-0.5), "000° -30' -0.00\"");
    EXPECT_EQ(degreesText(1e300).substr(0, 10), "2147483647"); // clamped, not undefined
    EXPECT_EQ(positionPrintText(fix, "位置", "緯度", "經度"), "位置 緯度: 048° 07' 2.28\"   經度: 011° 31' 0.00\"");
}

TEST(GSensorText, ValueAndPrintTexts) {
    EXPECT_EQ(gsensorValueText('X', 0.125), "X : 0.125");
    EXPECT_EQ(gsensorValueText('Z', -1.0), "Z : -1.000");
    EXPECT_EQ(gsensorPrintText(0.125, -1, 8), "GSensor X: 0.125     Y: -1.000     Z: 8.000");
    EXPECT_EQ(gsensorPrintText(0, -8.001, 0), "");
    EXPECT_EQ(gsensorPrintText(0, 0, std::nan("")), "");
}

TEST(Heading, NeedlePointsAlongTheCourse) {
    EXPECT_EQ(headingVector(0), std::make_pair(0, -22));
    EXPECT_EQ(headingVector(90), std::make_pair(22, 0));
    EXPECT_EQ(headingVector(180), std::make_pair(0, 22));
    EXPECT_EQ(headingVector(270), std::make_pair(-22, 0));
    EXPECT_EQ(headingVector(45), std::make_pair(15, -15)); // truncated toward zero
    EXPECT_EQ(headingVector(std::nan("")), std::make_pair(0, 0));
}

TEST(GSensorGraph, ValuesMapToRows) {
    GSensorGraph graph;
    EXPECT_EQ(graph.yFor(8.0), 620);
    EXPECT_EQ(graph.yFor(-8.0), 696);
    EXPECT_EQ(graph.yFor(0.0), 658);
    EXPECT_EQ(graph.yFor(1.0), 653); // 653.25 truncated
    EXPECT_EQ(graph.yFor(9.8), 658); // above the top: the zero line

    ASSERT_FALSE(graph.addSample(8.0, -8.0, 0.0, 1));
    ASSERT_TRUE(graph.sampleDrawn());
    EXPECT_EQ(graph.newSegment(kTraceX).from, (GraphPoint{370, 650}));
    EXPECT_EQ(graph.newSegment(kTraceX).to, (GraphPoint{380, 620}));
    EXPECT_EQ(graph.current(kTraceY), (GraphPoint{380, 696}));
    EXPECT_EQ(graph.points(kTraceZ).back(), (GraphPoint{380, 658}));

    EXPECT_FALSE(graph.addSample(8.001, 0, 0, 2)); // the whole sample is suppressed
    EXPECT_FALSE(graph.sampleDrawn());
    EXPECT_EQ(graph.storedPoints(), 2u);
    EXPECT_EQ(graph.current(kTraceZ), (GraphPoint{380, 658}));
}

TEST(GSensorGraph, WrapsAfterDrawingBeyondTheRightEdge) {
    GSensorGraph graph;
    for (int counter = 1; counter < 30; ++counter)
        ASSERT_FALSE(graph.addSample(0, 1, -1, counter)) << counter;
    EXPECT_EQ(graph.current(kTraceX).x, 576);
    ASSERT_TRUE(graph.addSample(0, 1, -1, 30));
    EXPECT_TRUE(graph.sampleDrawn());
    EXPECT_EQ(graph.newSegment(kTraceY).to, (GraphPoint{583, 653}));
    EXPECT_EQ(graph.drawnTrace(kTraceY).size(), 31u); // start point and 30 samples
    EXPECT_EQ(graph.drawnTrace(kTraceY).back(), (GraphPoint{583, 653}));
    EXPECT_EQ(graph.storedPoints(), 1u);
    EXPECT_EQ(graph.points(kTraceY)[0], (GraphPoint{372, 653}));
    EXPECT_EQ(graph.current(kTraceZ), (GraphPoint{372, 662}));

    // Frame counter 0 (new file): drawn at the left edge, then a restart; an
    // out-of-range sample still restarts.
    EXPECT_FALSE(graph.addSample(0, 0, 0, 5));
    EXPECT_TRUE(graph.addSample(0, 0, 0, 0));
    EXPECT_EQ(graph.drawnTrace(kTraceX).back(), (GraphPoint{373, 658}));
    EXPECT_EQ(graph.storedPoints(), 1u);
    EXPECT_FALSE(graph.addSample(0, 0, 0, 3));
    EXPECT_TRUE(graph.addSample(100, 0, 0, 0));
    EXPECT_EQ(graph.storedPoints(), 1u);
}

TEST(GSensorGraph, SamplesOutOfRangeStillWrapAtTheEdge) {
    // The window counts every frame and resets its counter on a wrap. A run of
    // samples beyond 8 g must not push the next drawn sample past the graph.
    GSensorGraph graph;
    int counter = 1;
    int maxX = 0;
    for (int frame = 0; frame < 200; ++frame) {
        const double g = (frame / 37) % 2 == 0 ? 9.0 : 0.5; // runs of 37 frames out of range
        if (graph.addSample(g, 0, 0, counter))
            counter = 0;
        if (graph.sampleDrawn())
            for (int t = 0; t < kTraceCount; ++t)
                for (const GraphPoint& p : graph.drawnTrace(t)) {
                    maxX = std::max(maxX, p.x);
                    ASSERT_GE(p.x, 370);
                }
        ++counter;
    }
    EXPECT_LE(maxX, 583);

    // A counter far past the edge: the sample restarts at the left edge.
    GSensorGraph jumped;
    EXPECT_TRUE(jumped.addSample(1, 1, 1, 40));
    EXPECT_TRUE(jumped.sampleDrawn());
    EXPECT_EQ(jumped.drawnTrace(kTraceX).back().x, 373);
}

TEST(GSensorGraph, PointTablesNeverOverflow) {
    // A wide graph with a 1-pixel step: the tables fill before the right edge.
    GSensorGraph wide(GraphGeometry{.left = 0, .right = 100000, .step = 1});
    ASSERT_EQ(wide.capacity(), GSensorGraph::kMaxPoints);
    int counter = 1;
    int wraps = 0;
    for (std::size_t i = 0; i < 3 * GSensorGraph::kMaxPoints; ++i) {
        if (wide.addSample(0, 0, 0, counter)) {
            ++wraps;
            EXPECT_EQ(wide.drawnTrace(kTraceX).size(), GSensorGraph::kMaxPoints);
            counter = 0;
        }
        ASSERT_LE(wide.storedPoints(), wide.capacity());
        ++counter;
    }
    EXPECT_EQ(wraps, 3);

    // A caller whose counter never advances, and a step of 0 (taken as 1).
    GSensorGraph stuck;
    EXPECT_EQ(stuck.capacity(), 31u);
    for (int i = 0; i < 100; ++i) {
        stuck.addSample(0, 0, 0, 5);
        ASSERT_LE(stuck.storedPoints(), stuck.capacity());
    }
    GSensorGraph flat(GraphGeometry{.step = 0});
    for (int i = 0; i < 1000; ++i)
        flat.addSample(0, 0, 0, std::numeric_limits<int>::max());
    EXPECT_EQ(flat.storedPoints(), 1u);
}

TEST(DateTimeText, UtcFixInLocalTime) {
    const ScopedTimeZone zone("XST-8"); // eight hours east of UTC; years are 2000 + yy
    EXPECT_EQ(dateTimeText(decoded(kSentence), "日期"), "日期: 2094/03/23  20:35:19");
    EXPECT_EQ(dateTimeText(decoded("$GPRMC,203519.250,A,,,,,,,311223"), "D"), "D: 2024/01/01  04:35:19");
    const ScopedTimeZone west("YST+5");
    EXPECT_EQ(dateTimeText(decoded("$GPRMC,020000,A,,,,,,,010300"), "D"), "D: 2000/02/29  21:00:00");
}

TEST(DateTimeText, MissingOrBadMomentShowsZeros) {
    const ScopedTimeZone zone("XST-8");
    for (const char* sentence : {"$GPRMC", "$GPRMC,123519,A,,,,,,,2303", "$GPRMC,12a519,A,,,,,,,230394",
                                 "$GPRMC,123519,A,,,,,,,320194", "$GPRMC,123519,A,,,,,,,300294",
                                 "$GPRMC,246000,A,,,,,,,230394", "$GPRMC,123519,A,,,,,,,231394"})
        EXPECT_EQ(dateTimeText(decoded(sentence), "D"), "D: 0000/00/00  00:00:00") << sentence;
}
