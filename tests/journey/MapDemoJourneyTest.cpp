// The map demo as a user meets it: a map data set made by citygen and
// mapforge, a recording made by recgen, and the real mapdemo program on a
// virtual display driven by real clicks and keys. The map shows the city's
// roads and the drive's track; the zoom-out control changes the picture; P
// saves a screenshot into the map folder; Esc closes the map and leaves the
// demo's own background. Headless, --screenshot writes a picture of the
// window; a bad map folder or recording ends the program with a message.

#include "VirtualDisplay.h"

#include "ColorTable.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <vector>

// Xlib last: its macros (None, Bool, Status...) clash with other headers.
#include <X11/Xlib.h>
#include <X11/keysym.h>

using namespace kyvo::journey;

namespace {

constexpr char kWindowTitle[] = "Kyvo map demo";
const QSize kMapSize(800, 600);
// The zoom-out control of the map window, in its client pixels.
const QPoint kZoomOut(24, 92);
// The Play button: first in the row of controls under the map.
const QPoint kPlayButton(30, 620);
// The drive's track and the demo's background where no map window is.
constexpr QRgb kTrackColour = 0xFFD17500; // 0x0075D1 as blue-green-red
constexpr QRgb kDemoBackground = 0xFF3A3F4B;

// Map pictures of the generated city hold far more road pixels than these
// (about a fifth of the area); a black, empty or foreign picture holds none.
constexpr double kMinRoadShare = 0.04;
constexpr double kMinBackgroundShare = 0.2;
constexpr int kMinTrackPixels = 30;
constexpr int kTimeoutMs = 30000;

struct Tool {
    int exitCode = -1;
    QString output;
};

Tool runTool(const QString& program, const QStringList& arguments, const QStringList& variables = {}) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString& variable : variables)
        environment.insert(variable.section(QLatin1Char('='), 0, 0), variable.section(QLatin1Char('='), 1));
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    Tool tool;
    if (process.waitForFinished(120000) && process.exitStatus() == QProcess::NormalExit)
        tool.exitCode = process.exitCode();
    tool.output = QString::fromLocal8Bit(process.readAll());
    return tool;
}

bool waitUntil(int timeoutMs, const std::function<bool()>& condition) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < timeoutMs) {
        if (condition())
            return true;
        QThread::msleep(100);
    }
    return condition();
}

QRgb opaque(const cartoframe::TColorEntry& entry) {
    return qRgb(entry.red, entry.green, entry.blue);
}

// What a user reads off a picture of the map: roads, the map's background,
// the track.
struct MapPixels {
    double roadShare = 0;
    double backgroundShare = 0;
    int track = 0;
    double demoBackgroundShare = 0;

    bool showsRoads() const { return roadShare >= kMinRoadShare && backgroundShare >= kMinBackgroundShare; }
};

MapPixels countMapPixels(const QImage& picture, const QRect& area) {
    const std::vector<QRgb> roads{opaque(cartoframe::g_DefaultColorEntry(cartoframe::CT_NORMAL_RD)),
                                  opaque(cartoframe::g_DefaultColorEntry(cartoframe::CT_FREE_WAY)),
                                  opaque(cartoframe::g_DefaultColorEntry(cartoframe::CT_FAST_RD))};
    const QRgb background = opaque(cartoframe::g_DefaultColorEntry(cartoframe::CT_MAP_BK));
    const QImage image = picture.convertToFormat(QImage::Format_RGB32);
    int road = 0, back = 0, demo = 0;
    MapPixels pixels;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb colour = image.pixel(x, y) | 0xFF000000u;
            road += std::find(roads.begin(), roads.end(), colour) != roads.end();
            back += colour == background;
            demo += colour == kDemoBackground;
            pixels.track += colour == kTrackColour;
        }
    }
    const double total = static_cast<double>(area.width()) * area.height();
    pixels.roadShare = road / total;
    pixels.backgroundShare = back / total;
    pixels.demoBackgroundShare = demo / total;
    return pixels;
}

std::ostream& operator<<(std::ostream& out, const MapPixels& p) {
    return out << "roads " << p.roadShare << ", map background " << p.backgroundShare << ", track " << p.track
               << ", demo background " << p.demoBackgroundShare;
}

int differingPixels(const QImage& a, const QImage& b) {
    if (a.size() != b.size())
        return a.width() * a.height();
    int count = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            count += a.pixel(x, y) != b.pixel(x, y);
    return count;
}

// Waits for `count` screenshots in `folder`; each is the map's 800 x 600
// picture with its roads.
void expectScreenshots(const QDir& folder, int count) {
    QStringList bmps;
    EXPECT_TRUE(waitUntil(kTimeoutMs, [&] {
        bmps = folder.entryList({QStringLiteral("*.bmp")}, QDir::Files);
        return bmps.size() >= count;
    })) << bmps.size() << " of " << count << " screenshots in " << folder.path().toStdString();
    EXPECT_EQ(bmps.size(), count);
    for (const QString& name : bmps) {
        SCOPED_TRACE(name.toStdString());
        QImage bmp;
        // The file may still be being written when it shows in the folder.
        EXPECT_TRUE(waitUntil(kTimeoutMs, [&] { return bmp.load(folder.filePath(name)) && bmp.size() == kMapSize; }))
            << bmp.width() << " x " << bmp.height();
        const MapPixels pixels = countMapPixels(bmp, bmp.rect());
        EXPECT_TRUE(pixels.showsRoads()) << pixels;
    }
}

// Where the demo's top-level window stands on the display, once it is shown.
std::optional<QPoint> windowOrigin(const QString& displayName) {
    Display* display = XOpenDisplay(displayName.toLatin1().constData());
    if (!display)
        return std::nullopt;
    std::optional<QPoint> origin;
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count)) {
        for (unsigned i = 0; i < count && !origin; ++i) {
            char* name = nullptr;
            XWindowAttributes attributes;
            if (XFetchName(display, children[i], &name) && name && QByteArray(name) == kWindowTitle &&
                XGetWindowAttributes(display, children[i], &attributes) && attributes.map_state == IsViewable)
                origin = QPoint(attributes.x, attributes.y);
            if (name)
                XFree(name);
        }
        if (children)
            XFree(children);
    }
    XCloseDisplay(display);
    return origin;
}

// A map data set of the generated city and a recording driving through it,
// made once by the real tools for every test here.
class MapDemoJourney : public testing::Test {
protected:
    static void SetUpTestSuite() {
        folder_ = new QTemporaryDir(QDir::tempPath() + QStringLiteral("/kyvomapdemo-XXXXXX"));
        const QString osm = folder_->filePath(QStringLiteral("city.osm"));
        const Tool city = runTool(QStringLiteral(KYVO_CITYGEN_PATH), {osm});
        ASSERT_EQ(city.exitCode, 0) << city.output.toStdString();
        const Tool forge = runTool(QStringLiteral(KYVO_MAPFORGE_PATH), {QStringLiteral("--quiet"), osm, mapFolder()});
        ASSERT_EQ(forge.exitCode, 0) << forge.output.toStdString();
        const Tool recgen = runTool(QStringLiteral(KYVO_RECGEN_PATH),
                                       {QStringLiteral("--length"), QStringLiteral("20"), QStringLiteral("--no-audio"),
                                        QStringLiteral("--preset"), QStringLiteral("ultrafast"),
                                        QStringLiteral("--size"), QStringLiteral("160x90"), recording()});
        ASSERT_EQ(recgen.exitCode, 0) << recgen.output.toStdString();
    }
    static void TearDownTestSuite() {
        delete folder_;
        folder_ = nullptr;
    }

    static QString mapFolder() { return folder_->filePath(QStringLiteral("Map")); }
    static QString recording() { return folder_->filePath(QStringLiteral("drf_20240612_081500.mov")); }
    static QString scratch(const QString& name) { return folder_->filePath(name); }

    // The demo headless: its exit code and what it said.
    static Tool headless(const QStringList& arguments) {
        return runTool(QStringLiteral(KYVO_MAPDEMO_PATH), arguments, {QStringLiteral("QT_QPA_PLATFORM=offscreen")});
    }

private:
    static inline QTemporaryDir* folder_ = nullptr;
};

TEST_F(MapDemoJourney, HeadlessScreenshotShowsTheRoadsAndTheTrack) {
    const QString png = scratch(QStringLiteral("headless.png"));
    const Tool demo = headless({QStringLiteral("--map"), mapFolder(), QStringLiteral("--speed"), QStringLiteral("16"),
                                QStringLiteral("--screenshot"), png, QStringLiteral("--after"), QStringLiteral("3"),
                                recording()});
    ASSERT_EQ(demo.exitCode, 0) << demo.output.toStdString();
    const QImage picture(png);
    ASSERT_FALSE(picture.isNull());
    // The window: the map, and the row of controls under it.
    EXPECT_EQ(picture.width(), kMapSize.width());
    EXPECT_GT(picture.height(), kMapSize.height());
    const MapPixels pixels = countMapPixels(picture, QRect(QPoint(0, 0), kMapSize));
    EXPECT_TRUE(pixels.showsRoads()) << pixels;
    EXPECT_GE(pixels.track, kMinTrackPixels) << pixels;
}

TEST_F(MapDemoJourney, WhatCannotBeReadEndsTheDemoWithAMessage) {
    const QString garbage = scratch(QStringLiteral("garbage.mov"));
    QFile file(garbage);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(4096, 'x'));
    file.close();
    struct Case {
        QStringList arguments;
        QString message;
    };
    const QString png = scratch(QStringLiteral("refused.png"));
    const Case cases[] = {
        {{QStringLiteral("--map"), scratch(QStringLiteral("NoMap"))}, QStringLiteral("does not exist")},
        {{QStringLiteral("--map"), scratch(QString())}, QStringLiteral("no map data set")},
        {{QStringLiteral("--map"), mapFolder(), scratch(QStringLiteral("missing.mov"))}, QStringLiteral("no such file")},
        {{QStringLiteral("--map"), mapFolder(), recording(), garbage}, QStringLiteral("not a recording")},
        {{QStringLiteral("--map"), mapFolder(), QStringLiteral("--speed"), QStringLiteral("8")},
         QStringLiteral("1, 4 or 16")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(QLatin1Char(' ')).toStdString());
        const Tool demo = headless(c.arguments + QStringList{QStringLiteral("--screenshot"), png});
        EXPECT_GT(demo.exitCode, 0) << demo.output.toStdString();
        EXPECT_TRUE(demo.output.contains(c.message)) << demo.output.toStdString();
        EXPECT_FALSE(QFileInfo::exists(png));
    }
}

TEST_F(MapDemoJourney, UserWatchesTheDriveZoomsOutSavesAScreenshotAndClosesTheMap) {
    VirtualDisplay display;
    ASSERT_TRUE(display.ok()) << display.error().toStdString();
    QProcess demo;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.insert(QStringLiteral("DISPLAY"), display.name());
    demo.setProcessEnvironment(environment);
    demo.setProcessChannelMode(QProcess::MergedChannels);
    // At 16x the 20 s drive ends within two seconds; the picture then holds still.
    demo.start(QStringLiteral(KYVO_MAPDEMO_PATH),
               {QStringLiteral("--map"), mapFolder(), QStringLiteral("--speed"), QStringLiteral("16"), recording()});
    ASSERT_TRUE(demo.waitForStarted(10000));
    // What the demo said so far (the pipe is read only while waiting on it).
    QString said;
    const auto output = [&demo, &said] {
        while (demo.waitForReadyRead(10))
            said += QString::fromLocal8Bit(demo.readAll());
        said += QString::fromLocal8Bit(demo.readAll());
        return said.toStdString();
    };

    std::optional<QPoint> origin;
    ASSERT_TRUE(waitUntil(kTimeoutMs, [&] { return (origin = windowOrigin(display.name())).has_value(); }))
        << "the demo's window is shown " << output();
    const QRect mapArea(*origin, kMapSize);

    // The city's roads and the drive's track appear, and the drive ends.
    MapPixels pixels;
    EXPECT_TRUE(waitUntil(kTimeoutMs, [&] {
        pixels = countMapPixels(display.grab(mapArea), QRect(QPoint(0, 0), kMapSize));
        return pixels.showsRoads() && pixels.track >= kMinTrackPixels;
    })) << pixels;
    QImage still;
    EXPECT_TRUE(waitUntil(kTimeoutMs, [&] {
        const QImage now = display.grab(mapArea);
        QThread::msleep(500);
        still = display.grab(mapArea);
        return differingPixels(now, still) == 0;
    })) << "the picture holds still after the drive";

    // The map has the keyboard from the start: F1 saves its picture into the
    // map folder, named after the last position's time.
    const QDir shots(mapFolder() + QStringLiteral("/Screenshot"));
    display.key(XK_F1);
    expectScreenshots(shots, 1);

    // A real click on the zoom-out control shows more of the city, smaller.
    display.click(*origin + kZoomOut);
    QImage zoomed;
    EXPECT_TRUE(waitUntil(kTimeoutMs, [&] {
        zoomed = display.grab(mapArea);
        return differingPixels(still, zoomed) > kMapSize.width() * kMapSize.height() / 10;
    })) << "the zoom-out click changes the picture";
    EXPECT_TRUE(countMapPixels(zoomed, QRect(QPoint(0, 0), kMapSize)).showsRoads());

    // Play (the drive over, it starts again) leaves the keyboard with the map:
    // P saves a second picture, named after an earlier fix.
    display.click(*origin + kPlayButton);
    display.key(XK_p);
    expectScreenshots(shots, 2);

    // Esc closes the map: the demo's own background is left in its place.
    display.key(XK_Escape);
    EXPECT_TRUE(waitUntil(kTimeoutMs, [&] {
        pixels = countMapPixels(display.grab(mapArea), QRect(QPoint(0, 0), kMapSize));
        return pixels.demoBackgroundShare > 0.9;
    })) << pixels;
    EXPECT_EQ(demo.state(), QProcess::Running) << output();

    demo.terminate();
    EXPECT_TRUE(demo.waitForFinished(10000));
}

} // namespace
