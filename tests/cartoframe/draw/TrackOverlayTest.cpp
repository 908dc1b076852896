// The driven track and its pin, the vehicle arrow, the controls and the
// logo; the positions and headings the window layer hands to drawing.
#include "ColorTable.h"
#include "DrawFixture.h"
#include "DrawTables.h"
#include "VisibleGrids.h"

#include <limits>

namespace cartoframe::test {
namespace {

// North of the town, on the edge between two of its grids, nothing is drawn.
const TMapPoint EMPTY_EDGE = mapUnits(121.5, 25.05);

class TrackPicture : public DrawFixture {
protected:
    void SetUp() override {
        DrawFixture::SetUp();
        openMap(unnamedTownOsm());
    }
};

TEST_F(TrackPicture, TheTrackFollowsTheDrivenPathAndIsDrawnOncePerPicture) {
    const TMapPoint path[] = {{-200, -100}, {100, -100}, {100, 100}};
    const auto drive = [&](TMapPoint origin) {
        dv_TrackClear();
        for (const TMapPoint& p : path)
            dv_TrackAdd({origin.x + p.x, origin.y + p.y});
        draw(origin, 2);
    };
    drive(EMPTY_EDGE);
    ASSERT_GE(mp_GetVisibleGridCount(), 2) << "the track must lie over several grids";
    for (int i = 0; i + 1 < 3; ++i) {
        const TMapPoint middle{EMPTY_EDGE.x + (path[i].x + path[i + 1].x) / 2,
                               EMPTY_EDGE.y + (path[i].y + path[i + 1].y) / 2};
        EXPECT_EQ(pixel(screen(middle)), DV_TRACK_COLOUR) << "segment " << i;
    }
    const auto picture = [] {
        const TCanvas& c = *dv_Canvas();
        return std::vector<std::uint8_t>(c.pData, c.pData + c.stride * c.height);
    };
    const auto overGrids = picture();

    // The same drive far from the map: no grid, the same picture. Drawing the
    // track once per grid would blend its soft edges again and differ.
    drive({EMPTY_EDGE.x - 10000000, EMPTY_EDGE.y - 1000000});
    ASSERT_EQ(mp_GetVisibleGridCount(), 0);
    EXPECT_TRUE(picture() == overGrids);
}

TEST_F(TrackPicture, TheRingDropsItsOldestPositionsAndThePinMarksTheOldestKept) {
    dv_TrackClear();
    const TMapPoint dropped{EMPTY_EDGE.x - 200, EMPTY_EDGE.y};
    const TMapPoint kept{EMPTY_EDGE.x + 200, EMPTY_EDGE.y};
    constexpr int extra = 5;
    for (int i = 0; i < DV_TRACK_MAX + extra; ++i)
        dv_TrackAdd(i < extra ? TMapPoint{dropped.x, dropped.y + i} : TMapPoint{kept.x, kept.y + i});
    ASSERT_EQ(dv_TrackCount(), DV_TRACK_MAX);
    EXPECT_EQ(dv_TrackAt(0).y, kept.y + extra);
    EXPECT_EQ(dv_TrackAt(DV_TRACK_MAX - 1).y, kept.y + DV_TRACK_MAX + extra - 1);
    EXPECT_EQ(dv_TrackAt(DV_TRACK_MAX).x, 0) << "beyond the ring: nothing";

    draw(EMPTY_EDGE, 0);
    const TPoint pin = screen(dv_TrackAt(0));
    EXPECT_EQ(pixel(pin.x, pin.y - DV_PIN_LIFT), DV_PIN_OUTER_COLOUR);
    EXPECT_EQ(pixel(pin.x, pin.y - DV_PIN_LIFT + DV_PIN_DOT_RADIUS + 4), DV_PIN_INNER_COLOUR);
    EXPECT_EQ(pixel(pin.x - DV_PIN_OUTER_RADIUS + 1, pin.y - DV_PIN_LIFT), DV_PIN_OUTER_COLOUR);
    const TPoint gone = screen(dropped);
    EXPECT_EQ(pixel(gone.x, gone.y - DV_PIN_LIFT), g_MapBackColor());

    dv_TrackClear();
    EXPECT_EQ(dv_TrackCount(), 0);
    draw(EMPTY_EDGE, 0);
    EXPECT_EQ(pixel(pin.x, pin.y - DV_PIN_LIFT), g_MapBackColor());
}

TEST_F(TrackPicture, TheArrowPointsAlongTheHeadingAndStaysPutOutOfFollowMode) {
    const std::pair<int, TPoint> tips[] = {{0, {0, -7}}, {90, {7, 0}}, {180, {0, 7}}, {270, {-7, 0}}};
    TDrawRequest request;
    request.centre = request.vehicle = EMPTY_EDGE;
    request.step = 0;
    for (const auto& [heading, tip] : tips) {
        request.heading = heading;
        draw(request);
        const TPoint at = screen(EMPTY_EDGE);
        EXPECT_EQ(pixel(at.x + tip.x, at.y + tip.y), DV_ARROW_OUTLINE_COLOUR) << heading;
        EXPECT_EQ(pixel(at.x + 2 * tip.x, at.y + 2 * tip.y), g_MapBackColor()) << heading;
        EXPECT_EQ(pixel(at.x - tip.x, at.y - tip.y), g_MapBackColor()) << heading;
    }
    // Out of follow mode the arrow stays where it was last followed.
    request.follow = false;
    request.vehicle = FAR_AWAY;
    request.centre.x += 50;
    draw(request);
    const TPoint at = screen(EMPTY_EDGE);
    EXPECT_EQ(pixel(at.x - 7, at.y), DV_ARROW_OUTLINE_COLOUR);
}

TEST_F(DrawFixture, ControlsAndTheLogoAreDrawnOverTheMap) {
    // A logo of 3 x 2 pixels: white (skipped), blue, red / green, white, black.
    const std::uint8_t logo[] = {3, 0, 2, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0xFF,
                                 0, 0xFF, 0, 0xFF, 0xFF, 0xFF, 0, 0, 0};
    writeFile(folder_ / "Logo", Bytes(std::begin(logo), std::end(logo)));
    openDrawing();
    draw(EMPTY_EDGE, 3);
    const TColor back = g_MapBackColor();
    const int top = 600 - 2 - DV_LOGO_BOTTOM_GAP;
    const auto logoOver = [&](TColor colour) { return blendOf(back, colour, DV_LOGO_WEIGHT); };
    const TColor expected[2][3] = {{back, logoOver(0xFF0000), logoOver(0x0000FF)},
                                   {logoOver(0x00FF00), back, logoOver(0x000000)}};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(pixel(DV_LOGO_LEFT + x, top + y), expected[y][x]) << x << ", " << y;

    // Half blends halve both colours' bytes before adding them.
    const TColor button = ((back >> 1) & 0x7F7F7F) + ((DV_ZOOM_COLOUR >> 1) & 0x7F7F7F);
    const std::pair<TPoint, TColor> controls[] = {
        {{24, 11}, DV_CONTROL_COLOUR},  {{24, 24}, DV_CONTROL_COLOUR},
        {{10, 30}, blendOf(back, DV_CONTROL_DISC_COLOUR, DV_CONTROL_DISC_WEIGHT)},
        {{15, 61}, button},             {{24, 70}, DV_ZOOM_SIGN_COLOUR}, {{24, 64}, DV_ZOOM_SIGN_COLOUR},
        {{24, 92}, DV_ZOOM_SIGN_COLOUR}, {{24, 85}, button}};
    for (const auto& [at, colour] : controls)
        EXPECT_EQ(pixel(at), colour) << at.x << ", " << at.y;
}

TEST_F(DrawFixture, DrawingRefusesUntilInitialisedAndStepsOutsideTheTable) {
    TDrawRequest request;
    EXPECT_EQ(dv_DrawPicture(request), -1);
    // A logo shorter than its header says is left out, not read beyond.
    const std::uint8_t logo[] = {100, 0, 100, 0, 1, 2, 3, 4, 5, 6};
    writeFile(folder_ / "Logo", Bytes(std::begin(logo), std::end(logo)));
    openDrawing();
    for (int step : {-1, DV_SCALE_STEPS}) {
        request.step = step;
        EXPECT_EQ(dv_DrawPicture(request), -1) << step;
    }
    draw(EMPTY_EDGE, DV_SCALE_STEPS - 1);
    EXPECT_EQ(pixel(DV_LOGO_LEFT + 50, 600 - 50 - DV_LOGO_BOTTOM_GAP), g_MapBackColor());
    dv_FreeDraw();
    EXPECT_EQ(dv_DrawPicture(request), -1);
}

TEST(DrawPositions, InvalidPositionsAreRefusedAndHeadingsWrap) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const std::pair<std::pair<float, float>, bool> positions[] = {
        {{121.5f, 25}, true}, {{-180, -90}, true}, {{180, 90}, true},  {{nan, 25}, false}, {{121, -inf}, false},
        {{200, 25}, false},   {{-180.5f, 0}, false}, {{0, -95}, false}, {{inf, 0}, false}};
    for (const auto& [degrees, valid] : positions) {
        TGisPosition position;
        position.longitude = degrees.first;
        position.latitude = degrees.second;
        EXPECT_EQ(dv_IsValidPosition(position), valid) << degrees.first << ", " << degrees.second;
    }
    const std::pair<float, int> headings[] = {{0, 0},     {10.9f, 10}, {359.9f, 359}, {360, 0},  {370, 10},
                                              {-90, 270}, {-0.5f, 0},  {725.5f, 5},   {nan, 0}, {inf, 0}};
    for (const auto& [heading, degrees] : headings)
        EXPECT_EQ(dv_HeadingDegrees(heading), degrees) << heading;
    TGisPosition position;
    position.longitude = 121.5f;
    position.latitude = -33.25f;
    EXPECT_EQ(dv_ToMapUnits(position).x, 12150000);
    EXPECT_EQ(dv_ToMapUnits(position).y, -3325000);
}

} // namespace
} // namespace cartoframe::test
