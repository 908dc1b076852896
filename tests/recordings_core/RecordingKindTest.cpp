// Which scan lists a path, and how the play list classifies it.
#include "RecordingKind.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace kyvo::recordings {
namespace {

TEST(RecordingKindTest, EachScanAcceptsItsMarkersOnly) {
    struct Listing {
        std::u16string path;
        bool normal, event, manual;
    };
    const Listing cases[] = {
        {u"/card/drf_20240612_081500.mov", true, false, false},
        {u"/card/evt_20240612_081500.mov", false, true, false},
        // "muevt_" holds "evt_": a manual event is not an event as well.
        {u"/card/muevt_20240612_081500.mov", false, false, true},
        {u"/card/drf_20240612_081500.mjpg", false, false, false},
        // Case-sensitive markers and extension.
        {u"/card/DRF_20240612_081500.mov", false, false, false},
        {u"/card/Evt_20240612_081500.mov", false, false, false},
        {u"/card/drf_20240612_081500.MOV", false, false, false},
        // A bare name beginning with "drf_" lacks the character before it.
        {u"drf_20240612_081500.mov", false, false, false},
        // Markers in folder names count for every file inside.
        {u"/media/drf_card/evt_20240612.mov", true, true, false},
        {u"/media/muevt_card/evt_20240612.mov", false, false, true},
        {u"/記憶卡/drf_20240612_081500_前.mov", true, false, false},
    };
    for (const Listing& c : cases) {
        const std::string label = std::filesystem::path(c.path).string();
        EXPECT_EQ(acceptedFor(RecordingKind::Normal, c.path), c.normal) << label;
        EXPECT_EQ(acceptedFor(RecordingKind::Event, c.path), c.event) << label;
        EXPECT_EQ(acceptedFor(RecordingKind::ManualEvent, c.path), c.manual) << label;
    }
}

TEST(RecordingKindTest, ClassifyPrefersNormalThenManualThenEvent) {
    using K = RecordingKind;
    EXPECT_EQ(classify(u"/c/evt_20240612_081500.mov"), (Classification{K::Event, 3}));
    // The "evt_" inside "muevt_" does not win.
    EXPECT_EQ(classify(u"/c/muevt_20240612_081500.mov"), (Classification{K::ManualEvent, 3}));
    // A "drf_" folder beats an event file name, at its own position.
    EXPECT_EQ(classify(u"/drf_card/evt_20240612.mov"), (Classification{K::Normal, 1}));
    // Position 0 does not count; nothing else found gives no marker.
    EXPECT_EQ(classify(u"drf_20240612_081500.mov"), (Classification{K::Normal, -1}));
    EXPECT_EQ(classify(u"/c/clip0001.mov"), (Classification{K::Normal, -1}));
}

} // namespace
} // namespace kyvo::recordings
