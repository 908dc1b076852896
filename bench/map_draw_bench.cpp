// Map drawing benchmark: full redraws of an 800 x 600 map view of a generated
// city of more than 50,000 roads at every scale step, 30 centres per step,
// with the time of each pass; the driven track of 28,800 positions; the same
// roads, widths and colours drawn by QPainter (antialiasing off and on) in
// the same run; and the heap that drawing adds over the loaded data set.
//
//   map_draw_bench [CENTRES]
// Targets: median at most 10 ms and worst at most 25 ms per step, the track at
// most 5 ms, drawing's heap at most 6 MB; the exit code is 2 when one is missed.

#include "CityOsm.h"
#include "ColorTable.h"
#include "Diagnostics.h"
#include "DrawTables.h"
#include "DrawView.h"
#include "FileList.h"
#include "FileProcess.h"
#include "Forge.h"
#include "MapFonts.h"
#include "MapProcess.h"
#include "OsmReader.h"
#include "ViewProjection.h"
#include "VisibleGrids.h"

#include <QImage>
#include <QPainter>
#include <QPen>
#include <QPolygon>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <malloc.h>
#include <unistd.h>
#include <numeric>
#include <string>
#include <vector>

namespace {

using namespace cartoframe;
namespace fs = std::filesystem;

constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr int kDefaultCentres = 30;
constexpr int kTrackPositions = DV_TRACK_MAX;
constexpr double kMedianTargetMs = 10;
constexpr double kWorstTargetMs = 25;
constexpr double kTrackTargetMs = 5;
constexpr double kMemoryTargetMb = 6;
// The city: 150 x 150 streets 0.001 degrees apart (about 57,000 roads).
constexpr int kStreets = 150;
constexpr double kSpacing = 0.001;

double nowMs() {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

long long heapBytes() {
    const struct mallinfo2 info = mallinfo2();
    return static_cast<long long>(info.uordblks + info.hblkhd);
}

struct Stats {
    double median = 0;
    double worst = 0;
};

Stats stats(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return {v[v.size() / 2], v.back()};
}

void quietSink(const char*, void*) {}

bool makeCity(const fs::path& folder, int* roadCount) {
    kyvo::citygen::CityParams params;
    params.streets = kStreets;
    params.spacing = kSpacing;
    kyvo::mapforge::OsmData data;
    std::string error;
    if (!kyvo::mapforge::readOsmText(kyvo::citygen::generatedCityOsm(params), data, error)) {
        std::fprintf(stderr, "map_draw_bench: city: %s\n", error.c_str());
        return false;
    }
    const auto result = kyvo::mapforge::forgeDataSet(data, folder, {});
    if (!result.ok) {
        std::fprintf(stderr, "map_draw_bench: mapforge: %s\n", result.error.c_str());
        return false;
    }
    if (!kyvo::mapforge::copyMapFonts(KYVO_MAP_FONT_DIR, folder).ok())
        return false;
    *roadCount = 0;
    for (const auto& [number, grid] : result.model.grids)
        *roadCount += static_cast<int>(grid.roads.size());
    return true;
}

// Centres spread over the city, the same for every step.
std::vector<TMapPoint> centres(int count) {
    const kyvo::citygen::CityParams city;
    const double half = (kStreets - 1) * kSpacing / 2;
    std::vector<TMapPoint> out;
    for (int i = 0; i < count; ++i) {
        const double fx = std::fmod(i * 0.618034, 1.0) * 1.6 - 0.8;
        const double fy = std::fmod(i * 0.414214 + 0.3, 1.0) * 1.6 - 0.8;
        out.push_back({static_cast<int>((city.centreLongitude + fx * half) * DV_MAP_UNITS_PER_DEGREE),
                       static_cast<int>((city.centreLatitude + fy * half) * DV_MAP_UNITS_PER_DEGREE)});
    }
    return out;
}

// A drive through the city: a wandering path of one position a second.
void fillTrack(TMapPoint start) {
    dv_TrackClear();
    double x = start.x, y = start.y, heading = 0;
    for (int i = 0; i < kTrackPositions; ++i) {
        heading += std::sin(i * 0.013) * 0.05;
        x += std::cos(heading) * 1.2;
        y += std::sin(heading) * 1.2;
        dv_TrackAdd({static_cast<int>(x), static_cast<int>(y)});
    }
}

// The roads of one view with the widths and colours drawing uses, drawn with
// QPainter: borders of every road first, then fills, higher classes last.
struct PainterRoad {
    int roadClass = 0;
    int width = 0;
    QPolygon points;
};

std::vector<PainterRoad> roadsOfView(const TProjection& projection, int step) {
    const TMapRect view = projection.viewRect();
    std::vector<PainterRoad> roads;
    for (int i = 0; i < mp_GetVisibleGridCount(); ++i) {
        const int grid = mp_GetVisibleGrid(i)->grid;
        for (int road = 0; road < mp_GetRoadCount(grid); ++road) {
            const int roadClass = mp_GetRoadClass(grid, road);
            int width = dv_TableWidth(step, roadClass);
            TMapRect box;
            if (width == 0 || !mp_GetRoadBox(grid, road, &box) || !dv_BoxMeetsView(box, view))
                continue;
            if (projection.scaleValue <= DV_FACTOR_SCALE_MAX) {
                int a = 0, b = 0;
                mp_GetRoadWidthFactors(grid, road, &a, &b);
                width = std::max(1, a * b * DV_FACTOR_WIDTH_NUMERATOR / projection.scaleValue);
            }
            PainterRoad r{roadClass, width, {}};
            for (int k = 0; k < mp_GetRoadPointCount(grid, road); ++k) {
                TMapPoint p;
                mp_GetRoadPoint(grid, road, k, &p);
                const TPoint s = projection.toScreen(p);
                r.points << QPoint(s.x, s.y);
            }
            roads.push_back(std::move(r));
        }
    }
    std::stable_sort(roads.begin(), roads.end(), [](const PainterRoad& a, const PainterRoad& b) {
        const int ca = a.roadClass ? a.roadClass : DV_ALLEY_SORT_CLASS;
        const int cb = b.roadClass ? b.roadClass : DV_ALLEY_SORT_CLASS;
        return ca > cb;
    });
    return roads;
}

QColor qcolour(TColor c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

double painterMs(QImage& image, const std::vector<PainterRoad>& roads, bool antialias) {
    const double start = nowMs();
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, antialias);
    painter.fillRect(image.rect(), qcolour(g_MapBackColor()));
    for (int pass = 0; pass < 2; ++pass) {
        for (const PainterRoad& r : roads) {
            const int border = r.width + (r.roadClass == DV_FREEWAY_CLASS ? DV_FREEWAY_BORDER_EXTRA : DV_BORDER_EXTRA);
            QPen pen(qcolour(pass == 0 ? g_GetBorderColor(r.roadClass) : g_GetColor(r.roadClass)));
            pen.setWidth(pass == 0 ? border : r.width);
            pen.setCapStyle(Qt::RoundCap);
            painter.setPen(pen);
            painter.drawPolyline(r.points);
        }
    }
    painter.end();
    return nowMs() - start;
}

} // namespace

// QPainter on a QImage needs no application object: nothing here draws text.
int main(int argc, char** argv) {
    const int centreCount = argc > 1 ? std::max(1, std::atoi(argv[1])) : kDefaultCentres;
    dbg_SetSink(quietSink, nullptr);

    const fs::path folder = fs::temp_directory_path() / ("map_draw_bench_" + std::to_string(::getpid()));
    fs::create_directories(folder);
    int roadCount = 0;
    if (!makeCity(folder, &roadCount))
        return 1;
    if (fp_Setup(folder.c_str()) != 0 || fp_ReadFileList() != 0 || mp_LoadMapFiles() != 0) {
        std::fprintf(stderr, "map_draw_bench: the city does not load\n");
        return 1;
    }
    // The QPainter comparison's image is made first so that it does not count
    // as drawing's memory.
    QImage image(kWidth, kHeight, QImage::Format_RGB888);
    image.fill(0);
    const long long heapLoaded = heapBytes();
    if (dv_InitDraw(kWidth, kHeight) != 0) {
        std::fprintf(stderr, "map_draw_bench: drawing does not initialise (fonts?)\n");
        return 1;
    }
    std::printf("city: %d roads, %d x %d streets %.3f degrees apart; view %d x %d, %d centres per step\n", roadCount,
                kStreets, kStreets, kSpacing, kWidth, kHeight, centreCount);
    std::printf("%-4s %6s %8s %8s | %7s %7s %7s %7s %7s %7s | %8s %8s %6s %6s\n", "step", "scale", "median", "worst",
                "bg", "areas", "lines", "track", "names", "overlay", "Qt AAoff", "Qt AAon", "r:off", "r:on");

    const std::vector<TMapPoint> where = centres(centreCount);
    bool missed = false;
    for (int step = 0; step < DV_SCALE_STEPS; ++step) {
        std::vector<double> totals, lines;
        TDrawTimes sum;
        double qtOff = 0, qtOn = 0;
        for (const TMapPoint& centre : where) {
            TDrawRequest request;
            request.centre = centre;
            request.vehicle = centre;
            request.step = step;
            const double start = nowMs();
            dv_DrawPicture(request);
            totals.push_back(nowMs() - start);
            const TDrawTimes& t = dv_LastDrawTimes();
            lines.push_back(t.lines / 1000);
            sum.background += t.background, sum.areas += t.areas, sum.lines += t.lines;
            sum.track += t.track, sum.names += t.names, sum.overlays += t.overlays;
            // The same roads by QPainter (the visible grids are still those of
            // the picture just drawn).
            const auto roads = roadsOfView(TProjection::make(kWidth, kHeight, centre, dv_ScaleValue(step)), step);
            qtOff += painterMs(image, roads, false);
            qtOn += painterMs(image, roads, true);
        }
        const Stats s = stats(totals);
        const double n = static_cast<double>(where.size());
        const double ourLines = std::accumulate(lines.begin(), lines.end(), 0.0) / n;
        std::printf("%-4d %6d %8.2f %8.2f | %7.2f %7.2f %7.2f %7.2f %7.2f %7.2f | %8.2f %8.2f %6.2f %6.2f\n", step,
                    dv_ScaleValue(step), s.median, s.worst, sum.background / n / 1000, sum.areas / n / 1000,
                    sum.lines / n / 1000, sum.track / n / 1000, sum.names / n / 1000, sum.overlays / n / 1000,
                    qtOff / n, qtOn / n, ourLines / (qtOff / n), ourLines / (qtOn / n));
        missed = missed || s.median > kMedianTargetMs || s.worst > kWorstTargetMs;
    }

    // The track: 28,800 positions, drawn at every step around its middle.
    fillTrack(where.front());
    double trackWorst = 0;
    for (int step = 0; step < DV_SCALE_STEPS; ++step) {
        std::vector<double> track;
        for (int i = 0; i < 5; ++i) {
            TDrawRequest request;
            request.centre = dv_TrackAt(kTrackPositions / 2);
            request.step = step;
            dv_DrawPicture(request);
            track.push_back(dv_LastDrawTimes().track / 1000);
        }
        trackWorst = std::max(trackWorst, stats(track).median);
    }
    std::printf("track of %d positions: worst step median %.2f ms (target %.0f ms)\n", dv_TrackCount(), trackWorst,
                kTrackTargetMs);
    missed = missed || trackWorst > kTrackTargetMs;

    const double drawingMb = static_cast<double>(heapBytes() - heapLoaded) / (1024.0 * 1024.0);
    std::printf("heap added by drawing over the loaded data set: %.2f MB (target %.0f MB)\n", drawingMb,
                kMemoryTargetMb);
    missed = missed || drawingMb > kMemoryTargetMb;

    dv_FreeDraw();
    mp_FreeAll();
    fp_Teardown();
    fs::remove_all(folder);
    std::printf("targets: median <= %.0f ms, worst <= %.0f ms per step: %s\n", kMedianTargetMs, kWorstTargetMs,
                missed ? "MISSED" : "met");
    return missed ? 2 : 0;
}
