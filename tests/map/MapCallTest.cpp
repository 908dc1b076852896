// The calls pushed into the map page and the fixes allowed to push them.
#include "MapCall.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <limits>
#include <locale>
#include <string>

namespace kyvo::map {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(UpdateMapCallTest, SixDecimalsWithTheSignInsideTheQuotes) {
    EXPECT_EQ(updateMapCall(25.0583, 121.564), "updateMap('25.058300', '121.564000')");
    EXPECT_EQ(updateMapCall(-33.8688, -151.20930049), "updateMap('-33.868800', '-151.209300')");
    EXPECT_EQ(updateMapCall(1.0000004, -0.0000004), "updateMap('1.000000', '-0.000000')"); // as printf writes them
    EXPECT_EQ(updateMapCall(90, -180), "updateMap('90.000000', '-180.000000')");
}

TEST(UpdateMapCallTest, NothingForNumbersThatAreNoPosition) {
    const double refused[][2] = {{kNaN, 10},   {10, kNaN},          {kInf, 10},          {10, -kInf},
                                 {90.000001, 0}, {-90.5, 0},        {0, 180.000001},     {0, -181},
                                 {1e300, 1e300}, {-1e308, 0}};
    for (const auto& [lat, lon] : refused)
        EXPECT_EQ(updateMapCall(lat, lon), std::nullopt) << lat << ", " << lon;
}

// A comma locale must not reach the text: the page would read "25,058300" as 25.
class CommaLocaleTest : public testing::Test {
protected:
    void SetUp() override {
        saved_ = std::setlocale(LC_ALL, nullptr);
        if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr)
            GTEST_SKIP() << "the locale de_DE.UTF-8 is not installed (scripts/setup generates it)";
        previousGlobal_ = std::locale::global(std::locale("de_DE.UTF-8"));
        changed_ = true;
        char probe[16];
        std::snprintf(probe, sizeof probe, "%.1f", 1.5);
        ASSERT_STREQ(probe, "1,5") << "the locale does not use a decimal comma";
    }
    void TearDown() override {
        if (changed_)
            std::locale::global(previousGlobal_);
        std::setlocale(LC_ALL, saved_.c_str());
    }

    std::string saved_;
    std::locale previousGlobal_;
    bool changed_ = false;
};

TEST_F(CommaLocaleTest, CallKeepsItsDecimalPoint) {
    EXPECT_EQ(updateMapCall(-25.5, 121.25), "updateMap('-25.500000', '121.250000')");
}

app::RmcFix fixOf(const char* sentence) {
    app::RmcFix fix;
    EXPECT_TRUE(app::decodeRmc(sentence, fix)) << sentence;
    return fix;
}

TEST(PushablePositionTest, ValidFixGivesSignedDegrees) {
    const auto north = pushablePosition(fixOf("$GPRMC,081530.000,A,2503.5000,N,12133.8400,E,022.4,084.4,120624,,,A*00"));
    ASSERT_TRUE(north);
    EXPECT_NEAR(north->first, 25.058333333, 1e-9);
    EXPECT_NEAR(north->second, 121.564, 1e-9);
    const auto south = pushablePosition(fixOf("$GPRMC,081530.000,A,3352.1280,S,15112.5580,W,0,0,120624"));
    ASSERT_TRUE(south);
    EXPECT_NEAR(south->first, -33.8688, 1e-9);
    EXPECT_NEAR(south->second, -151.209300, 1e-9);
}

TEST(PushablePositionTest, NoPushWithoutAValidFix) {
    const char* refused[] = {
        "$GPRMC,081530.000,V,2503.5000,N,12133.8400,E,0,0,120624", // void, position held from before
        "$GPRMC,081530.000,,2503.5000,N,12133.8400,E,0,0,120624",  // no status
        "$GPRMC,081530.000,AV,2503.5000,N,12133.8400,E,0,0,120624",
        "$GPRMC,081530.000,a,2503.5000,N,12133.8400,E,0,0,120624",
        "$GPRMC,,A,,,,,,,",                                        // nothing found yet
        "$GPRMC,081530.000,A,0000.0000,N,12133.8400,E,0,0,120624", // on the equator counts as nothing yet
        "$GPRMC,081530.000,A,2503.5000,N,00000.0000,E,0,0,120624",
        "$GPRMC,081530.000,A,9130.0000,N,12133.8400,E,0,0,120624", // 91.5 degrees
        "$GPRMC,081530.000,A,2503.5000,N,18100.0000,W,0,0,120624", // 181 degrees
    };
    for (const char* sentence : refused)
        EXPECT_EQ(pushablePosition(fixOf(sentence)), std::nullopt) << sentence;
    EXPECT_EQ(pushablePosition(app::RmcFix{}), std::nullopt);
}

} // namespace
} // namespace kyvo::map
