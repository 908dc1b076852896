// Map canvas benchmark: filled polygons, thick lines and text on an 800 x 600
// canvas, each beside QPainter on a QImage of the same size drawing the same
// shapes, with antialiasing off and on, in the same run. Shapes are made from
// a fixed seed: concave stars partly outside the picture (as lakes are at a
// close scale), lines of widths 2 to 10 (the road widths), and labels of road
// names in the map's 15-pixel font. Times are the median of the runs, thread
// CPU time per pass over all shapes of a kind.
//
//   canvas_bench [RUNS]
// The target: the canvas no slower than QPainter with antialiasing on, for
// lines and for polygons; the exit code is 2 when it is missed.

#include "Canvas.h"
#include "ColorTable.h"
#include "Diagnostics.h"
#include "FileProcess.h"
#include "Text.h"

#include <QApplication>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPolygon>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <numbers>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace cartoframe;

constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr int kDefaultRuns = 15;
constexpr int kPolygons = 300;
constexpr int kLines = 1000;
constexpr int kLabels = 300;
constexpr TColor kWater = 0xCEB69C;
constexpr TColor kRoad = 0x46C4FF;
constexpr TColor kText = 0x000000;

double threadCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

double medianMs(int runs, const std::function<void()>& work) {
    work(); // warm
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const double start = threadCpuMs();
        work();
        times.push_back(threadCpuMs() - start);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

struct Shapes {
    std::vector<std::vector<TPoint>> polygons;
    struct Line {
        TPoint from, to;
        int width;
    };
    std::vector<Line> lines;
    struct Label {
        TPoint at;
        std::string big5;
        QString text;
    };
    std::vector<Label> labels;
};

Shapes makeShapes() {
    std::mt19937 random(20261209);
    const auto uniform = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    Shapes shapes;
    for (int p = 0; p < kPolygons; ++p) {
        const int points = uniform(12, 40);
        const int cx = uniform(-100, kWidth + 100), cy = uniform(-100, kHeight + 100);
        const int outer = uniform(20, 120);
        std::vector<TPoint> polygon;
        for (int k = 0; k < points; ++k) {
            const double angle = 2 * std::numbers::pi * k / points;
            const int radius = k % 2 == 0 ? outer : outer / 2;
            polygon.push_back({cx + static_cast<int>(radius * std::cos(angle)),
                               cy + static_cast<int>(radius * std::sin(angle))});
        }
        shapes.polygons.push_back(std::move(polygon));
    }
    for (int l = 0; l < kLines; ++l) {
        const TPoint from{uniform(-50, kWidth + 50), uniform(-50, kHeight + 50)};
        const TPoint to{from.x + uniform(-150, 150), from.y + uniform(-150, 150)};
        shapes.lines.push_back({from, to, uniform(2, 10)});
    }
    // Road names: "中山路" (Big5 A4A4 A473 B8F4) and "Route 9".
    const std::string big5Names[] = {"\xA4\xA4\xA4\x73\xB8\xF4", "Route 9"};
    const QString names[] = {QString::fromUtf8("中山路"), QStringLiteral("Route 9")};
    for (int t = 0; t < kLabels; ++t) {
        const int which = t % 2;
        shapes.labels.push_back({{uniform(0, kWidth - 60), uniform(0, kHeight - 20)}, big5Names[which], names[which]});
    }
    return shapes;
}

QPolygon toQPolygon(const std::vector<TPoint>& points) {
    QPolygon polygon;
    for (const TPoint& p : points)
        polygon << QPoint(p.x, p.y);
    return polygon;
}

QColor toQColor(TColor colour) { return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF); }

struct Row {
    double canvasMs;
    double plainMs;
    double antialiasedMs;
};

void printRow(const char* what, const Row& row) {
    std::printf("  %-16s %9.2f ms %11.2f ms %11.2f ms %9.2f\n", what, row.canvasMs, row.plainMs, row.antialiasedMs,
                row.canvasMs / row.antialiasedMs);
}

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : kDefaultRuns;
    dbg_SetSink([](const char*, void*) {}, nullptr);
    const Shapes shapes = makeShapes();

    TCanvas canvas;
    g_CreateCanvas(&canvas, kWidth, kHeight);
    QImage image(kWidth, kHeight, QImage::Format_RGB32);

    const auto painterMs = [&](bool antialiased, const std::function<void(QPainter&)>& draw) {
        return medianMs(runs, [&] {
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing, antialiased);
            painter.setRenderHint(QPainter::TextAntialiasing, antialiased);
            draw(painter);
        });
    };

    Row polygons{};
    polygons.canvasMs = medianMs(runs, [&] {
        for (const auto& polygon : shapes.polygons)
            g_FillPolygon(&canvas, polygon.data(), static_cast<int>(polygon.size()), kWater);
    });
    const auto drawPolygons = [&](QPainter& painter) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(toQColor(kWater));
        for (const auto& polygon : shapes.polygons)
            painter.drawPolygon(toQPolygon(polygon), Qt::OddEvenFill);
    };
    polygons.plainMs = painterMs(false, drawPolygons);
    polygons.antialiasedMs = painterMs(true, drawPolygons);

    Row lines{};
    lines.canvasMs = medianMs(runs, [&] {
        for (const auto& line : shapes.lines)
            g_ThickLine(&canvas, line.from.x, line.from.y, line.to.x, line.to.y, kRoad, line.width);
    });
    const auto drawLines = [&](QPainter& painter) {
        for (const auto& line : shapes.lines) {
            painter.setPen(QPen(toQColor(kRoad), line.width, Qt::SolidLine, Qt::FlatCap));
            painter.drawLine(line.from.x, line.from.y, line.to.x, line.to.y);
        }
    };
    lines.plainMs = painterMs(false, drawLines);
    lines.antialiasedMs = painterMs(true, drawLines);

    // Text needs the map fonts made at build time.
    Row text{};
    bool haveText = fp_Setup(KYVO_MAP_FONT_DIR) == 0;
    TText mapText{};
    if (haveText) {
        g_CreateText(&mapText, "MingTi15", 1);
        haveText = !dbg_IsMapStopped();
    }
    if (haveText) {
        g_SetTextStyle(&mapText, 0, kText, 0, 0x808080);
        text.canvasMs = medianMs(runs, [&] {
            for (const auto& label : shapes.labels)
                g_DrawText(&canvas, &mapText, label.at.x, label.at.y, label.big5.c_str());
        });
        QFont font(QStringLiteral("AR PL UMing TW"));
        font.setPixelSize(15);
        const auto drawText = [&](QPainter& painter) {
            painter.setFont(font);
            painter.setPen(toQColor(kText));
            for (const auto& label : shapes.labels)
                painter.drawText(label.at.x, label.at.y + 15, label.text);
        };
        text.plainMs = painterMs(false, drawText);
        text.antialiasedMs = painterMs(true, drawText);
        g_DestroyText(&mapText);
    }

    std::printf("Map canvas against QPainter, %d x %d, median of %d runs, thread CPU time per pass\n", kWidth,
                kHeight, runs);
    std::printf("  %-16s %12s %14s %14s %9s\n", "", "canvas", "QPainter", "QPainter AA", "ratio AA");
    printRow("polygons (300)", polygons);
    printRow("thick lines (1000)", lines);
    if (haveText)
        printRow("labels (300)", text);
    else
        std::printf("  labels: the map fonts in %s could not be loaded\n", KYVO_MAP_FONT_DIR);
    g_DestroyCanvas(&canvas);
    fp_Teardown();
    const bool met = polygons.canvasMs <= polygons.antialiasedMs && lines.canvasMs <= lines.antialiasedMs;
    std::printf("  target: canvas no slower than QPainter with antialiasing for lines and polygons: %s\n",
                met ? "met" : "MISSED");
    return met ? 0 : 2;
}
