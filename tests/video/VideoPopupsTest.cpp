// Opening and closing the enlarged video popups, without a window: what each
// request and each close does to the popups and to the adapter, which the
// playback library asks where to put its windows. The adapter plays (its
// video windows reported) against the scripted library.

#include "AdapterTestSupport.h"
#include "VideoPopupLayout.h"
#include "VideoPopups.h"

#include <array>
#include <cstring>
#include <string>
#include <vector>

namespace kyvo::video::test {
namespace {

using player::ROVUAdap;
using player::test::FakeHost;
using player::test::WindowMove;
using player::test::scriptedLibrary;
namespace geometry = layout::video_popup;

constexpr std::intptr_t kWindow0 = 0xA0, kWindow1 = 0xA1;
constexpr std::array<std::intptr_t, 2> kPopupHandle{0xB0, 0xB1};

// What the adapter told the library's window when it asked it to redraw: the
// library reads the popup's shown flag and window right then.
struct Redraw {
    std::intptr_t window = 0;
    int shown = 0;
    std::intptr_t popup = 0;
    bool operator==(const Redraw&) const = default;
};

class RedrawRecordingHost : public FakeHost {
public:
    ROVUAdap* adapter = nullptr;
    std::vector<Redraw> redraws;

    std::intptr_t sendToWindow(std::intptr_t window, unsigned message, std::uintptr_t wParam,
                               std::intptr_t lParam) override {
        if (message == orv::kMsgRedraw && adapter) {
            const bool second = window == kWindow1;
            redraws.push_back({window, (second ? adapter->popup1Shown : adapter->popup0Shown).load(),
                               (second ? adapter->popupWindow1 : adapter->popupWindow0).load()});
        }
        return FakeHost::sendToWindow(window, message, wParam, lParam);
    }
};

class FakeWindows : public PopupWindows {
public:
    std::array<bool, 2> onScreen{};
    std::array<int, 2> placed{};

    bool shown(int channel) const override { return onScreen[static_cast<std::size_t>(channel)]; }
    std::intptr_t placeAndShow(int channel) override {
        ++placed[static_cast<std::size_t>(channel)];
        onScreen[static_cast<std::size_t>(channel)] = true;
        return kPopupHandle[static_cast<std::size_t>(channel)];
    }
    void hide(int channel) override { onScreen[static_cast<std::size_t>(channel)] = false; }
};

orv::VideoRectTable row(orv::VideoRectTable table, int channel, const layout::Rect& r) {
    std::int16_t* out = table.rect[channel];
    out[0] = static_cast<std::int16_t>(r.left);
    out[1] = static_cast<std::int16_t>(r.top);
    out[2] = static_cast<std::int16_t>(r.width());
    out[3] = static_cast<std::int16_t>(r.height());
    return table;
}

bool sameTable(const orv::VideoRectTable& a, const orv::VideoRectTable& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

class VideoPopupsTest : public testing::Test {
protected:
    scripted::ScriptedControl& library = scriptedLibrary();
    RedrawRecordingHost host;
    std::unique_ptr<ROVUAdap> adapter;
    FakeWindows windows;
    std::unique_ptr<VideoPopups> popups;

    void SetUp() override {
        library.reset();
        adapter = std::make_unique<ROVUAdap>(host);
        host.adapter = adapter.get();
        ASSERT_EQ(adapter->current()->Load(SCRIPTED_ORVPLAYER_PATH), 0);
        library.emitOnOtherThread({orv::kEvVideoWindow0, kWindow0});
        library.emitOnOtherThread({orv::kEvVideoWindow1, kWindow1});
        adapter->ChangeState(&adapter->playing());
        popups = std::make_unique<VideoPopups>(*adapter, windows);
    }
};

// A user's session, step by step. After each step: which popups are on the
// screen, the adapter's shown flags, what the library saw when it was asked
// to redraw, and the rectangles stored. No step moves a video window: the
// rectangle of the place the picture goes to is stored while the picture is
// still elsewhere, and Refresh takes it there.
TEST_F(VideoPopupsTest, RequestsAndClosesMoveThePictureBetweenTheWindowAndItsPopup) {
    enum class Do { Request, CloseButton };
    struct Step {
        const char* what;
        Do action;
        std::uintptr_t wParam;
        std::array<bool, 2> onScreen;
        std::array<int, 2> flags;
        std::vector<Redraw> redraws;
    };
    const Redraw intoLeft{kWindow0, 1, kPopupHandle[0]}, backFromLeft{kWindow0, 0, kPopupHandle[0]};
    const Redraw intoRight{kWindow1, 1, kPopupHandle[1]}, backFromRight{kWindow1, 0, kPopupHandle[1]};
    const std::vector<Step> session{
        {"channel 0 asks", Do::Request, 1, {true, false}, {1, 0}, {intoLeft}},
        {"channel 0 asks again: closes", Do::Request, 1, {false, false}, {0, 0}, {backFromLeft}},
        {"channel 1 asks", Do::Request, 2, {false, true}, {0, 1}, {intoRight}},
        {"channel 1 asks again: stays", Do::Request, 2, {false, true}, {0, 1}, {}},
        {"channel 0 opens beside it", Do::Request, 1, {true, true}, {1, 1}, {intoLeft}},
        {"right close button", Do::CloseButton, 2, {true, false}, {1, 0}, {backFromRight}},
        {"left close button", Do::CloseButton, 1, {false, false}, {0, 0}, {backFromLeft}},
        {"channel 0 reopens", Do::Request, 1, {true, false}, {1, 0}, {intoLeft}},
        {"unknown requests", Do::Request, 3, {true, false}, {1, 0}, {}},
        {"request 0", Do::Request, 0, {true, false}, {1, 0}, {}},
        {"unknown close", Do::CloseButton, 0, {true, false}, {1, 0}, {}},
    };
    for (const Step& step : session) {
        SCOPED_TRACE(step.what);
        host.redraws.clear();
        if (step.action == Do::Request) {
            popups->request(step.wParam);
        } else {
            // The popup hides itself before it tells its parent.
            if (step.wParam == 1 || step.wParam == 2)
                windows.hide(static_cast<int>(step.wParam) - 1);
            popups->closed(step.wParam);
        }
        EXPECT_EQ(windows.onScreen, step.onScreen);
        EXPECT_EQ(adapter->popup0Shown.load(), step.flags[0]);
        EXPECT_EQ(adapter->popup1Shown.load(), step.flags[1]);
        EXPECT_EQ(host.redraws, step.redraws);
        EXPECT_TRUE(host.moves().empty()) << "a video window was moved where its picture does not show";
    }
    // Each popup was made ready once per opening, never for a request that kept it.
    EXPECT_EQ(windows.placed, (std::array<int, 2>{3, 1}));

    orv::VideoRectTable inWindow{}, inPopups{};
    inWindow = row(row(inWindow, 0, geometry::kChannel0InWindow), 1, geometry::kChannel1InWindow);
    inPopups = row(row(inPopups, 0, geometry::kLeft.video), 1, geometry::kRight.video);
    EXPECT_TRUE(sameTable(adapter->videoRects(), inWindow));
    EXPECT_TRUE(sameTable(adapter->popupRects(), inPopups));
}

// The adapter moves a video window only for the place its channel shows in
// now; the other rectangle is stored for the next Refresh.
TEST_F(VideoPopupsTest, TheAdapterMovesAWindowOnlyWhereItsChannelShows) {
    struct Case {
        int channel;
        bool popupShown;
        bool popupRect;
        bool moves;
    };
    const Case cases[] = {
        {0, false, false, true}, {0, false, true, false}, {0, true, false, false}, {0, true, true, true},
        {1, false, false, true}, {1, false, true, false}, {1, true, false, false}, {1, true, true, true},
    };
    const layout::Rect r = layout::Rect::sized(7, 8, 90, 60);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "channel " << c.channel << (c.popupShown ? ", popup shown" : "")
                                        << (c.popupRect ? ", popup rectangle" : ", window rectangle"));
        ROVUAdap a(host);
        ASSERT_EQ(a.current()->Load(SCRIPTED_ORVPLAYER_PATH), 0);
        library.emitOnOtherThread({orv::kEvVideoWindow0, kWindow0});
        library.emitOnOtherThread({orv::kEvVideoWindow1, kWindow1});
        a.ChangeState(&a.playing());
        (c.channel == 0 ? a.popup0Shown : a.popup1Shown).store(c.popupShown ? 1 : 0);
        const std::size_t before = host.moves().size();
        const auto ch = static_cast<std::uint8_t>(c.channel);
        const int result = c.popupRect ? a.current()->SetPopupRect(ch, 7, 8, 90, 60)
                                       : a.current()->SetVideoRect(ch, 7, 8, 90, 60);
        EXPECT_EQ(result, 0);
        const auto moves = host.moves();
        std::vector<WindowMove> made(moves.begin() + static_cast<std::ptrdiff_t>(before), moves.end());
        const std::vector<WindowMove> expected =
            c.moves ? std::vector<WindowMove>{{c.channel == 0 ? kWindow0 : kWindow1, 7, 8, 90, 60}}
                    : std::vector<WindowMove>{};
        EXPECT_EQ(made, expected);
        EXPECT_TRUE(sameTable(c.popupRect ? a.popupRects() : a.videoRects(), row({}, c.channel, r)));
    }
}

} // namespace
} // namespace kyvo::video::test
