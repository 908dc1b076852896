// The web map as a user sees it follow a drive: the real viewer on a virtual
// display with its browser engine, a recording opened held at a moment; the
// map shows the recording's whole track and the marker on the fix of that
// moment, and once Play resumes the picture the marker moves along the track;
// slowed down near the end, it reaches the last fix playback shows. The map's
// state is read from the engine through its debugging port.

#include "MapProbe.h"
#include "Screen.h"
#include "TrackData.h"
#include "ViewerProcess.h"
#include "VirtualDisplay.h"

#include <QDir>
#include <QJsonArray>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace kyvo;
using namespace kyvo::journey;

namespace {

constexpr int kMapTimeoutMs = 40000;
// Fixes the marker moves on while playing: more than two pushes' worth.
constexpr int kFollowedFixes = 6;

// The index of the track point at `marker`, or -1.
int trackIndexOf(const std::vector<map::TrackPoint>& track, const QJsonArray& marker) {
    if (marker.size() != 2)
        return -1;
    for (std::size_t i = 0; i < track.size(); ++i)
        if (std::abs(track[i].latitude - marker[0].toDouble()) < 1e-6 &&
            std::abs(track[i].longitude - marker[1].toDouble()) < 1e-6)
            return static_cast<int>(i);
    return -1;
}

} // namespace

// The fix the marker stands on once the map shows the whole track and one
// marker on a fix of it past the start, or what it showed last when that does
// not happen within the time.
int heldMarker(MapProbe& probe, const std::vector<map::TrackPoint>& track) {
    int heldAt = -1;
    waitUntil(kMapTimeoutMs, [&] {
        const auto state = probe.state();
        if (!state || state->value(QStringLiteral("markers")).toInt() != 1 ||
            state->value(QStringLiteral("track")).toInt() != static_cast<int>(track.size()))
            return false;
        heldAt = trackIndexOf(track, state->value(QStringLiteral("marker")).toArray());
        return heldAt > 0;
    });
    return heldAt;
}

TEST(MapJourney, TheMarkerStandsOnTheRecordingsTrackAndFollowsIt) {
    QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/kyvomap-XXXXXX"));
    VirtualDisplay display;
    ASSERT_TRUE(display.ok()) << display.error().toStdString();
    const QString recording = dir.filePath(QStringLiteral("drf_20240612_081500.mov"));
    ASSERT_FALSE(makeRecording(recording, 12).isEmpty());
    const auto track = map::readTrackFile(recording.toStdString());
    ASSERT_GT(track.size(), 20u);

    const int port = freeLoopbackPort();
    MapProbe probe(port);
    ViewerProcess viewer(display, dir.filePath(QStringLiteral("config")), dir.path(),
                         {QStringLiteral("--at"), QStringLiteral("4"), recording}, {remoteDebuggingVariable(port)});
    ASSERT_TRUE(viewer.waitForMainScreen()) << viewer.output().toStdString();

    // Held at 4 s: the whole track, one marker on a fix of the drive past its start.
    const int heldAt = heldMarker(probe, track);
    EXPECT_GT(heldAt, 0) << "the map shows the track and the marker of the held moment";

    int furthest = heldAt;
    auto reaches = [&](int fix) {
        return waitUntil(kMapTimeoutMs, [&] {
            const auto state = probe.state();
            if (state)
                furthest = std::max(furthest, trackIndexOf(track, state->value(QStringLiteral("marker")).toArray()));
            return furthest >= fix;
        });
    };
    // Play: the marker moves on along the track, pushed at each tick of a
    // 1.2 s timer, a few fixes at a time.
    display.click(kPlayButton);
    EXPECT_TRUE(reaches(heldAt + kFollowedFixes)) << "held at fix " << heldAt << ", reached fix " << furthest;

    // At the slowest speed from 11 s on, the recording's last third of a
    // second lasts longer than a tick: the marker reaches the last fix that
    // playback shows. An entry shows from frame 10k + 1, so recgen's closing
    // entry, stamped at the very end, is drawn in the track but never shown:
    // the last fix shown is the track's last but one.
    display.click(QPoint(kSpeedKnobCentre - 14, kSliderY));
    ASSERT_TRUE(waitUntil(3000, [&] { return speedPosition(display.grab()) == 0; })) << "the slowest speed";
    display.click(QPoint(kProgressKnobCentre + 330, kProgressBarY + 8));
    const int lastShown = static_cast<int>(track.size()) - 2;
    EXPECT_TRUE(reaches(lastShown)) << "reached fix " << furthest << " of " << track.size();
    EXPECT_EQ(furthest, lastShown);
}
