#include "SampleCard.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <thread>

namespace kyvo::recgen {
namespace {

namespace fs = std::filesystem;

// Interleaves the kinds so that the card reads like a day's driving: normal
// recordings with the events among them.
std::vector<RecordingKind> kindOrder(const CardOptions& o) {
    std::vector<RecordingKind> order;
    const int rounds = std::max({o.normalCount, o.eventCount, o.manualCount});
    for (int round = 0; round < rounds; ++round) {
        if (round < o.normalCount)
            order.push_back(RecordingKind::Normal);
        if (round < o.eventCount)
            order.push_back(RecordingKind::Event);
        if (round < o.manualCount)
            order.push_back(RecordingKind::Manual);
    }
    return order;
}

}  // namespace

void validateCard(const CardOptions& o) {
    if (o.base.lengthS < 1 || o.base.lengthS > card::kMaxLengthS)
        throw RecordingError("card recordings last 1.." + std::to_string(card::kMaxLengthS) + " seconds");
    if (o.normalCount < 0 || o.eventCount < 0 || o.manualCount < 0)
        throw RecordingError("recording counts must not be negative");
    if (o.trips < 0 || o.piecesPerTrip < 1 || o.tripGapS < 0 ||
        static_cast<long long>(o.trips) * o.piecesPerTrip > card::kMaxTripPieces)
        throw RecordingError("trips need 1 or more pieces each, at most " + std::to_string(card::kMaxTripPieces) +
                             " in all, and a gap of 0 seconds or more");
    if (o.jobs < 1 || o.jobs > card::kMaxJobs)
        throw RecordingError("jobs must be 1.." + std::to_string(card::kMaxJobs));
    validate(o.base);
}

std::vector<CardItem> planCard(const CardOptions& o) {
    std::vector<CardItem> items;
    if (o.trips > 0) {
        int clock = 0; // seconds after the first start
        int route = 0; // seconds of driving so far
        for (int trip = 0; trip < o.trips; ++trip) {
            for (int piece = 0; piece < o.piecesPerTrip; ++piece) {
                RecordingOptions options = o.base;
                options.kind = RecordingKind::Normal;
                options.events.reset();
                options.start = addSeconds(o.base.start, clock);
                options.routeOffsetS = o.base.routeOffsetS + route;
                clock += options.lengthS;
                route += options.lengthS;
                items.push_back({options, o.folder / options.fileName()});
            }
            clock += o.tripGapS;
        }
        return items;
    }
    int offset = 0;
    auto add = [&](RecordingOptions options) {
        options.start = addSeconds(o.base.start, offset);
        options.routeOffsetS = o.base.routeOffsetS + offset;
        offset += options.lengthS;
        items.push_back({options, o.folder / options.fileName()});
    };
    for (RecordingKind kind : kindOrder(o)) {
        RecordingOptions options = o.base;
        options.kind = kind;
        options.events.reset();
        add(options);
    }
    RecordingOptions pictureOnly = o.base;
    pictureOnly.pictureOnly = true;
    pictureOnly.lengthS = std::min(o.base.lengthS, card::kMaxPictureOnlyS);
    add(pictureOnly);
    return items;
}

void fillCard(const CardOptions& options, const CardProgress& progress) {
    validateCard(options);
    std::error_code error;
    fs::create_directories(options.folder, error);
    if (error)
        throw RecordingError("cannot create " + options.folder.string() + ": " + error.message());

    const std::vector<CardItem> items = planCard(options);
    std::atomic<std::size_t> next{0};
    std::mutex mutex;  // guards failure and serialises progress calls
    std::exception_ptr failure;
    auto report = [&](const CardItem& item, CardStep step, const RecordingReport* made) {
        std::lock_guard lock(mutex);
        if (progress)
            progress(item, step, made);
    };
    auto work = [&] {
        for (std::size_t i = next++; i < items.size(); i = next++) {
            {
                std::lock_guard lock(mutex);
                if (failure)
                    return;
            }
            const CardItem& item = items[i];
            if (!options.force && fs::exists(item.path)) {
                report(item, CardStep::Skipped, nullptr);
                continue;
            }
            try {
                const RecordingReport made = makeRecording(item.options, item.path);
                report(item, CardStep::Made, &made);
            } catch (...) {
                std::lock_guard lock(mutex);
                if (!failure)
                    failure = std::current_exception();
                return;
            }
        }
    };
    std::vector<std::thread> workers;
    for (int j = 1; j < options.jobs; ++j)
        workers.emplace_back(work);
    work();
    for (std::thread& worker : workers)
        worker.join();
    if (failure)
        std::rethrow_exception(failure);
}

}  // namespace kyvo::recgen
