#include "DemoReplay.h"

#include <algorithm>
#include <utility>

namespace kyvo::mapdemo {

bool isReplaySpeed(int speed) {
    return std::ranges::find(kReplaySpeeds, speed) != std::end(kReplaySpeeds);
}

ReplayTrack joinRecordings(std::span<const std::vector<TrackPoint>> recordings) {
    ReplayTrack track;
    double due = 0;
    const TrackPoint* previous = nullptr;
    for (const std::vector<TrackPoint>& recording : recordings) {
        bool firstOfRecording = true;
        for (const TrackPoint& point : recording) {
            if (previous) {
                const double limit = firstOfRecording ? kMaxRecordingGapSeconds : kMaxFixGapSeconds;
                due += std::clamp(point.clock - previous->clock, 0.0, limit);
            }
            track.points.push_back(point);
            track.dueAt.push_back(due);
            previous = &point;
            firstOfRecording = false;
        }
    }
    return track;
}

LoadedDrive loadDrive(std::span<const std::string> paths) {
    LoadedDrive drive;
    std::vector<std::vector<TrackPoint>> recordings;
    for (const std::string& path : paths) {
        RecordingTrack recording = readRecordingTrack(path);
        if (!recording.ok()) {
            drive.error = std::move(recording.error);
            return drive;
        }
        recordings.push_back(std::move(recording.points));
    }
    drive.track = joinRecordings(recordings);
    return drive;
}

Replay::Replay(std::vector<double> dueAt) : dueAt_(std::move(dueAt)) {}

double Replay::trackTime(double now) const {
    return playing_ ? trackTime_ + std::max(0.0, now - anchor_) * speed_ : trackTime_;
}

void Replay::settle(double now) {
    trackTime_ = trackTime(now);
    anchor_ = now;
}

void Replay::play(double now) {
    settle(now);
    playing_ = true;
}

void Replay::pause(double now) {
    settle(now);
    playing_ = false;
}

void Replay::setSpeed(int speed, double now) {
    if (!isReplaySpeed(speed))
        return;
    settle(now);
    speed_ = speed;
}

void Replay::restart(double now) {
    trackTime_ = 0;
    anchor_ = now;
    sent_ = 0;
}

Replay::Range Replay::take(double now) {
    const double reached = trackTime(now);
    const auto due = std::upper_bound(dueAt_.begin() + static_cast<std::ptrdiff_t>(sent_), dueAt_.end(), reached);
    Range range{sent_, static_cast<std::size_t>(due - dueAt_.begin())};
    sent_ = range.end;
    return range;
}

} // namespace kyvo::mapdemo
