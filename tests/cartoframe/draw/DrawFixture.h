#pragma once
// Map folders for the drawing tests: a town written by mapforge in-process
// with the map fonts the build made, loaded and drawn at 800 x 600 unless a
// test asks for another size. Pixels are read straight from the canvas.

#include "CartoTestSupport.h"
#include "DrawView.h"
#include "ViewProjection.h"

#include <gtest/gtest.h>

#include <string>

namespace cartoframe::test {

// Map units of a longitude and latitude, converted as mapforge converts them.
TMapPoint mapUnits(double longitude, double latitude);

// The test town's lattice (see TestTown.cpp): junction (column, row) lies at
// these degrees; fractions give points between junctions.
inline constexpr double TOWN_WEST = 121.4905;
inline constexpr double TOWN_SOUTH = 24.9905;
inline constexpr double TOWN_STEP = 0.0035;
inline TMapPoint townPoint(double column, double row) {
    return mapUnits(TOWN_WEST + column * TOWN_STEP, TOWN_SOUTH + row * TOWN_STEP);
}
// A point given by its offset in degrees from the town's south-west junction.
inline TMapPoint townOffset(double east, double north) { return mapUnits(TOWN_WEST + east, TOWN_SOUTH + north); }

// OpenStreetMap text without road names, so that no label covers the pixels
// the tests look at (the road classes stay as they are).
std::string withoutNames(const std::string& osm);
std::string unnamedTownOsm();

// Whether every colour channel of a lies within tolerance of b's.
bool nearColour(TColor a, TColor b, int tolerance = 8);
// What a blend of `over` on `under` with the weight gives (weights 1..254).
TColor blendOf(TColor under, TColor over, int weight);

class DrawFixture : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Forges the OpenStreetMap text into the map folder with the map fonts,
    // loads it and initialises drawing.
    void openMap(const std::string& osm, int width = 800, int height = 600);
    // The map fonts only: drawing without a map.
    void openDrawing(int width = 800, int height = 600);
    void copyFonts();

    // Draws at the centre and step in follow mode, the vehicle far away.
    void draw(TMapPoint centre, int step);
    void draw(const TDrawRequest& request);

    // Where a map point lies in the last picture.
    TPoint screen(TMapPoint point) const;
    TColor pixel(int x, int y) const;
    TColor pixel(TPoint p) const { return pixel(p.x, p.y); }

    DiagCapture diag_;
    TempFolder folder_;
    TDrawRequest request_;
};

// A vehicle position off every picture of the tests.
inline constexpr TMapPoint FAR_AWAY = {-17000000, -8000000};

} // namespace cartoframe::test
