// The map window's logic on a real map folder: the whole start-up chain from
// the folder beside the executable, then positions, clicks and keys from a
// table, each checked against the view, the track and whether it redraws.
#include "CartoTestSupport.h"
#include "Diagnostics.h"
#include "DrawView.h"
#include "FileProcess.h"
#include "FrameTestSupport.h"
#include "MapProcess.h"
#include "ViewFrame.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

namespace cartoframe {
namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 240;

class ViewFrameEventsTest : public testing::Test {
protected:
    void SetUp() override {
        const auto bin = folder_ / "bin";
        ASSERT_EQ(test::makeTownMapFolder(bin / "Map"), "");
        executable_ = (bin / "host").string();
        TOpenRequest r;
        r.executablePath = executable_.c_str(); // no map folder: the one beside the executable
        r.width = kWidth;
        r.height = kHeight;
        ASSERT_TRUE(vf_PrepareOpen(r));
        ASSERT_EQ(vf_StartUp(&window_, kWidth, kHeight), VF_STEP_READY) << diagText();
    }
    void TearDown() override { vf_Close(vf_Window()); }

    std::string diagText() const {
        std::string text;
        for (const std::string& line : diag_.lines())
            text += line;
        return text;
    }

    test::DiagCapture diag_;
    test::TempFolder folder_;
    std::string executable_;
    const int window_ = 0;
};

TEST_F(ViewFrameEventsTest, TheChainBringsEverythingUpAndTheCloseTakesItDown) {
    EXPECT_EQ(std::string(vf_MapFolder()), (folder_ / "bin" / "Map").string());
    EXPECT_TRUE(mp_IsLoaded());
    EXPECT_TRUE(dv_IsDrawReady());
    const TViewState& v = vf_ViewState();
    EXPECT_EQ(v.step, 3);
    EXPECT_TRUE(v.follow);
    EXPECT_EQ(dv_TrackCount(), 0);

    // The back buffer holds the first picture, row for row.
    const TBackBufferView b = vf_BackBuffer();
    const TCanvas* canvas = dv_Canvas();
    ASSERT_NE(canvas, nullptr);
    ASSERT_EQ(b.width, canvas->width);
    ASSERT_EQ(b.height, canvas->height);
    for (int y = 0; y < b.height; ++y)
        ASSERT_EQ(std::memcmp(b.bits + y * b.stride, canvas->pData + y * canvas->stride, kWidth * 3), 0) << y;

    vf_Close(&window_);
    EXPECT_FALSE(mp_IsLoaded());
    EXPECT_FALSE(dv_IsDrawReady());
    EXPECT_EQ(dv_TrackCount(), 0);
    EXPECT_EQ(fp_OpenCount(), 0);
    EXPECT_EQ(vf_BackBuffer().depth, -1);
}

// One event of the table.
struct Event {
    enum Kind { POSITION, NULL_POSITION, CLICK, KEY } kind;
    float longitude = 0, latitude = 0;
    int add = 1;
    int x = 0, y = 0;
    TViewKey key = VF_KEY_OTHER;
};
Event position(float longitude, float latitude, int add = 1) {
    return {Event::POSITION, longitude, latitude, add, 0, 0, VF_KEY_OTHER};
}
Event click(int x, int y) { return {Event::CLICK, 0, 0, 0, x, y, VF_KEY_OTHER}; }
Event key(TViewKey k) { return {Event::KEY, 0, 0, 0, 0, 0, k}; }
const Event nullPosition{Event::NULL_POSITION};

struct Row {
    const char* what;
    Event event;
    // Expected afterwards:
    int step;
    TMapPoint centre;
    bool follow;
    int track;
    bool redraws;
};

unsigned send(const Event& e) {
    switch (e.kind) {
    case Event::POSITION: {
        // Hosts may hand over a record at any address: this one sits at an odd one.
        const TGisPosition p{e.longitude, e.latitude, 0, 45.0f, 20240612, 8, 15, 30, e.add};
        alignas(8) unsigned char bytes[sizeof p + 1];
        std::memcpy(bytes + 1, &p, sizeof p);
        return vf_PositionMessage(bytes + 1);
    }
    case Event::NULL_POSITION:
        return vf_PositionMessage(nullptr);
    case Event::CLICK:
        return vf_Click(e.x, e.y);
    case Event::KEY:
        return vf_KeyDown(e.key);
    }
    return 0;
}

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();
// Map units of the town's centre and of a second position east and north of it.
constexpr TMapPoint kTown{12150000, 2500000};
constexpr TMapPoint kNext{12162500, 2512500}; // 121.625, 25.125

TEST_F(ViewFrameEventsTest, PositionsClicksAndKeysFromATable) {
    const Row rows[] = {
        {"a position: follow mode centres on it", position(121.5f, 25.0f), 3, kTown, true, 1, true},
        {"zoom in", click(24, 70), 2, kTown, true, 1, true},
        {"zoom in, top-left corner of the button", click(14, 60), 1, kTown, true, 1, true},
        {"zoom in, bottom-right corner", click(34, 80), 0, kTown, true, 1, true},
        {"zoom in at step 0: nothing", click(24, 70), 0, kTown, true, 1, false},
        {"just right of zoom in: nothing", click(35, 70), 0, kTown, true, 1, false},
        {"zoom out", click(24, 92), 1, kTown, true, 1, true},
        {"pan left at step 1 moves 50 * 3 / 8 units", click(11, 24), 1, {12149982, 2500000}, false, 1, true},
        {"a position in free mode keeps the centre", position(121.625f, 25.125f), 1, {12149982, 2500000}, false, 2,
         true},
        {"pan up, its corner", click(20, 9), 1, {12149982, 2500018}, false, 2, true},
        {"pan right", click(39, 28), 1, {12150000, 2500018}, false, 2, true},
        {"pan down", click(24, 37), 1, {12150000, 2500000}, false, 2, true},
        {"centre: follow mode on the current position", click(24, 24), 1, kNext, true, 2, true},
        {"between the pan arrows: nothing", click(16, 16), 1, kNext, true, 2, false},
        {"far outside the controls: nothing", click(5000, -7), 1, kNext, true, 2, false},
        {"a null record is ignored", nullPosition, 1, kNext, true, 2, false},
        {"a longitude that is not a number is ignored", position(kNaN, 25.0f), 1, kNext, true, 2, false},
        {"an infinite latitude is ignored", position(121.5f, -kInf), 1, kNext, true, 2, false},
        {"longitude beyond 180 is ignored", position(180.5f, 25.0f), 1, kNext, true, 2, false},
        {"latitude beyond -90 is ignored", position(121.5f, -90.5f), 1, kNext, true, 2, false},
        {"the corner of the world is a position", position(-180.0f, 90.0f), 1, {-18000000, 9000000}, true, 3, true},
        {"add flag zero clears the track, no redraw", position(0, 0, 0), 1, {-18000000, 9000000}, true, 0, false},
        {"centre after a clear: longitude 0, latitude 0", click(24, 24), 1, {0, 0}, true, 0, true},
        {"an unknown key is passed on", key(VF_KEY_OTHER), 1, {0, 0}, true, 0, false},
    };
    // Out from the start step to the last one and once past it, then back.
    for (int i = 0; i < 6; ++i)
        ASSERT_NE(send(click(24, 92)) & VF_REPAINT, 0u);
    ASSERT_EQ(vf_ViewState().step, 9);
    EXPECT_EQ(send(click(24, 92)), static_cast<unsigned>(VF_HANDLED)) << "zoom out at step 9 draws nothing";
    EXPECT_EQ(vf_ViewState().step, 9);
    for (int i = 0; i < 6; ++i)
        send(click(24, 70));

    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const unsigned action = send(row.event);
        const TViewState& v = vf_ViewState();
        EXPECT_EQ(v.step, row.step);
        EXPECT_EQ(v.centre.x, row.centre.x);
        EXPECT_EQ(v.centre.y, row.centre.y);
        EXPECT_EQ(v.follow, row.follow);
        EXPECT_EQ(dv_TrackCount(), row.track);
        EXPECT_EQ((action & VF_REPAINT) != 0, row.redraws);
        EXPECT_EQ(action & VF_CLOSE, 0u);
    }
}

TEST_F(ViewFrameEventsTest, PanningStopsAtTheEdgeOfTheWorld) {
    for (int i = 0; i < 6; ++i)
        send(click(24, 92)); // step 9: 300 units a click
    send(position(179.999f, 89.999f));
    for (int i = 0; i < 10; ++i) {
        send(click(37, 24));
        send(click(24, 11));
    }
    EXPECT_EQ(vf_ViewState().centre.x, 18000000);
    EXPECT_EQ(vf_ViewState().centre.y, 9000000);
}

TEST_F(ViewFrameEventsTest, ScreenshotsAreNamedAfterTheLastRecord) {
    const auto shots = folder_ / "bin" / "Map" / "Screenshot";
    // Before any position: a name of zeros.
    EXPECT_EQ(vf_KeyDown(VF_KEY_P), static_cast<unsigned>(VF_HANDLED));
    const int size = 54 + kWidth * 3 * kHeight;
    EXPECT_EQ(vf_ViewState().screenshotSize, size);
    EXPECT_EQ(std::filesystem::file_size(shots / "00000000000000.BMP"), static_cast<std::uintmax_t>(size));

    TGisPosition p{121.5f, 25.0f, 0, 0, 20240612, 8, 5, 9, 1};
    vf_PositionMessage(&p);
    p.add = 0; // a clear still names the next screenshot
    p.second = 10;
    vf_PositionMessage(&p);
    EXPECT_EQ(vf_KeyDown(VF_KEY_F1), static_cast<unsigned>(VF_HANDLED));
    EXPECT_TRUE(std::filesystem::exists(shots / "20240612080510.BMP"));
}

} // namespace
} // namespace cartoframe
