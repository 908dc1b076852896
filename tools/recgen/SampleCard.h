#pragma once
// Fills a folder as a sample memory card: a few recordings of each kind made
// back to back (each starts when the previous one ends, and the drive
// continues where it stopped), then one picture-only .mjpg recording.
// Existing files are kept unless forced, so a second run only fills gaps.

#include "RecordingMaker.h"

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kyvo::recgen {

namespace card {
constexpr int kDefaultNormal = 3;
constexpr int kDefaultEvent = 2;
constexpr int kDefaultManual = 1;
constexpr int kDefaultLengthS = 30;
constexpr int kMaxLengthS = 60;
constexpr int kMaxPictureOnlyS = 10;  // MJPEG is large; a short clip shows the variant
constexpr std::string_view kDefaultPreset = "ultrafast";  // fast enough for a card in seconds
constexpr int kDefaultJobs = 2;       // ffmpeg runs at once; the scene and captions draw on one core each
constexpr int kMaxJobs = 16;
constexpr int kDefaultPiecesPerTrip = 3;
constexpr int kDefaultTripGapS = 600;
constexpr int kMaxTripPieces = 1000;  // trips x pieces
}  // namespace card

struct CardOptions {
    std::filesystem::path folder;
    int normalCount = card::kDefaultNormal;
    int eventCount = card::kDefaultEvent;
    int manualCount = card::kDefaultManual;
    bool force = false;
    int jobs = card::kDefaultJobs;
    RecordingOptions base;  // start, size, rate, codec, seed, ... of the first recording
    // A card of trips instead: `trips` drives of `piecesPerTrip` normal
    // recordings back to back, `tripGapS` apart (the car parked; the next
    // drive goes on from where it stopped). 0: the sample card above.
    int trips = 0;
    int piecesPerTrip = card::kDefaultPiecesPerTrip;
    int tripGapS = card::kDefaultTripGapS;

    CardOptions() {
        base.lengthS = card::kDefaultLengthS;
        base.preset = card::kDefaultPreset;
    }
};

struct CardItem {
    RecordingOptions options;
    std::filesystem::path path;
};

// Throws RecordingError for a folder the viewer could not use (a '_' in its
// absolute path) and for lengths over a minute.
void validateCard(const CardOptions& options);

// The recordings of the card in time order, without touching the disk.
std::vector<CardItem> planCard(const CardOptions& options);

enum class CardStep { Made, Skipped };
// Called from the worker threads, one call at a time.
using CardProgress = std::function<void(const CardItem&, CardStep, const RecordingReport*)>;

// Makes the missing recordings, `jobs` at a time. After a failure no further
// recording starts; the first error is rethrown once the running ones end.
void fillCard(const CardOptions& options, const CardProgress& progress);

}  // namespace kyvo::recgen
