#pragma once
// A map folder with a data set forged from OpenStreetMap XML and the map
// fonts, and a drawing context filled by hand for the names pass: a white
// canvas, the three faces, the label grid, the projection of a view and the
// road pool of its visible grids.

#include "DrawContext.h"
#include "MapTestFixture.h"

#include <string>

namespace cartoframe::test {

class NamesFixture : public MapTestFixture {
protected:
    static constexpr int kWidth = 800;
    static constexpr int kHeight = 600;
    static constexpr TColor kBackground = 0xFFFFFF;

    void TearDown() override;

    // Forges the XML into the folder, copies the map fonts beside it and
    // loads the set.
    void forge(const std::string& osm);
    // Copies the map fonts into the folder.
    void copyFonts();
    // The canvas (white), the fonts and the label grid of a window.
    void openContext(int width = kWidth, int height = kHeight);
    // The projection and view around a centre at a step, and the pool: every
    // road of the visible grids drawn at that step whose box meets the view,
    // sorted per grid by class, highest first, alleys as class 8.
    void setView(TMapPoint centre, int step);
    // One names pass as a picture runs it: labels, drawn-name bits and canvas
    // cleared, then every visible grid in order.
    void drawNames();

    // Pixels of the road-name colour that lie in no taken cell; their total
    // count goes to *ink.
    static int strayInk(const TCanvas& canvas, const TLabelGrid& labels, int* ink = nullptr);
    int cellsWith(std::uint8_t value) const;
    // The name offset of the first road named `name` in the loaded set, or -1.
    static int nameOffset(const std::string& name);

    drawview::TDrawContext dc_;
};

// Map units of a longitude or latitude in degrees.
int units(double degrees);

} // namespace cartoframe::test
