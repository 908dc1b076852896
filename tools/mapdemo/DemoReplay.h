#pragma once
// The replay of a drive: when each fix is due, and which fixes are due after
// some seconds of play at 1x, 4x or 16x. The caller supplies the wall clock
// (seconds, any origin, never going back) to every call, so the schedule is
// exact and testable. Toolkit-free.

#include "DemoTrack.h"

#include <cstddef>
#include <span>
#include <string>
#include <vector>

namespace kyvo::mapdemo {

// The speeds the demo offers.
inline constexpr int kReplaySpeeds[] = {1, 4, 16};
bool isReplaySpeed(int speed);

// Within one recording a fix follows the one before after the difference of
// their GPS times; a step back in time counts as none and a jump is cut to
// this many seconds (a broken clock must not stall the replay).
inline constexpr double kMaxFixGapSeconds = 30;
// The next recording starts at most this long after the last fix of the one
// before: recordings of a card follow each other closely, others may lie days
// apart.
inline constexpr double kMaxRecordingGapSeconds = 1;

// The recordings' fixes joined in the order given, and the track time (in
// seconds at 1x from the first fix) at which each is due.
struct ReplayTrack {
    std::vector<TrackPoint> points;
    std::vector<double> dueAt; // one per point, never decreasing, the first 0
};
ReplayTrack joinRecordings(std::span<const std::vector<TrackPoint>> recordings);

struct LoadedDrive {
    ReplayTrack track;
    std::string error; // the first recording that could not be read, and why
    bool ok() const { return error.empty(); }
};
// Reads the recordings (UTF-8 paths) in order and joins their fixes.
LoadedDrive loadDrive(std::span<const std::string> paths);

class Replay {
public:
    // The half-open index range [begin, end) of fixes to send now.
    struct Range {
        std::size_t begin = 0;
        std::size_t end = 0;
        bool empty() const { return begin == end; }
        std::size_t size() const { return end - begin; }
    };

    // A replay of the due times `dueAt` (never decreasing), paused at the
    // start, at 1x.
    explicit Replay(std::vector<double> dueAt = {});

    // Starts or resumes the play from where it stands.
    void play(double now);
    // Holds the play where it stands; play() resumes from there.
    void pause(double now);
    // Changes the speed (one of kReplaySpeeds; others are ignored) keeping
    // the place reached.
    void setSpeed(int speed, double now);
    // Back to the start with nothing sent; a playing replay plays on from the
    // first fix, a paused one stays paused.
    void restart(double now);

    // The fixes that have become due since the last call; they count as sent.
    Range take(double now);

    // Track seconds reached at `now`.
    double trackTime(double now) const;
    std::size_t sent() const { return sent_; }
    std::size_t total() const { return dueAt_.size(); }
    bool playing() const { return playing_; }
    bool finished() const { return sent_ == dueAt_.size(); }
    int speed() const { return speed_; }

private:
    // Fixes the current position in track time as of `now`.
    void settle(double now);

    std::vector<double> dueAt_;
    std::size_t sent_ = 0;
    bool playing_ = false;
    int speed_ = 1;
    double trackTime_ = 0; // track seconds reached at anchor_
    double anchor_ = 0;    // wall clock of the last settle
};

} // namespace kyvo::mapdemo
