// Journeys through the real viewer: its own process on a virtual X display,
// driven by real mouse and key events, checked on the screen it draws and in
// the files it writes. Each journey is what a user does, start to end.

#include "RegistryStore.h"
#include "Screen.h"
#include "SkinIds.h"
#include "ViewerProcess.h"
#include "VirtualDisplay.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <X11/keysym.h>

using namespace kyvo;
using namespace kyvo::journey;

namespace {

constexpr int kPlayTimeoutMs = 20000;   // a recording starts, a file advances
constexpr int kHeldForMs = 700;         // a held picture stays the same this long
constexpr int kStepPixels = 18;         // one second of a 20 s recording on the progress bar

class Journey : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(display.ok()) << display.error().toStdString();
        QDir().mkpath(configHome());
    }

    QString configHome() const { return dir.filePath(QStringLiteral("config")); }

    // A recording made by recgen at `path` (its name sets kind and start).
    QString record(const QString& path, int seconds, const QStringList& extra = {}) {
        QString error;
        EXPECT_FALSE(makeRecording(path, seconds, QStringLiteral("320x180"), extra, &error).isEmpty())
            << error.toStdString();
        return path;
    }

    std::unique_ptr<ViewerProcess> start(const QStringList& files = {}) {
        auto viewer = std::make_unique<ViewerProcess>(display, configHome(), dir.path(), files);
        EXPECT_TRUE(viewer->waitForMainScreen()) << viewer->output().toStdString();
        // Keys go to the window under the pointer: rest it on the video.
        display.moveTo(QPoint(300, 200));
        return viewer;
    }

    QImage screen() { return display.grab(); }
    QImage picture() { return display.grab(kVideoArea); }

    // The picture moves on: a new frame shows within the time limit.
    bool picturePlays() {
        QImage before = picture();
        return waitUntil(kPlayTimeoutMs, [&] {
            const QImage now = picture();
            if (now != before)
                return true;
            before = now;
            return false;
        });
    }

    // The picture stands still: it stays the same for kHeldForMs (after any
    // frame already on its way has arrived).
    bool pictureHeld() {
        return waitUntil(kPlayTimeoutMs, [&] {
            const QImage before = picture();
            QThread::msleep(kHeldForMs);
            return picture() == before;
        });
    }

    // A message box stands centred on the main window: Enter answers it.
    void answerMessageBox() {
        QThread::msleep(500);
        display.moveTo(kMainWindowArea.center());
        display.key(XK_Return);
    }

    // Pause holds the picture and play resumes it: they have not swapped.
    void expectPauseThenPlay() {
        display.click(kPauseButton);
        EXPECT_TRUE(pictureHeld()) << "pause holds the picture";
        display.click(kPlayButton);
        EXPECT_TRUE(picturePlays()) << "play resumes it";
    }

    bool waitForProgressAtLeast(int position) {
        return waitUntil(kPlayTimeoutMs, [&] { return progressPosition(screen()) >= position; });
    }

    QTemporaryDir dir{QDir::tempPath() + QStringLiteral("/kyvojourney-XXXXXX")};
    VirtualDisplay display;
};

} // namespace

// A new user: the file selector opens a card folder through the folder
// browser, every recording joins the play list, a double click plays a row,
// pause and play hold and resume the picture, next and previous walk the
// list around, stop returns the bar to its start.
TEST_F(Journey, OpenACardPlayAndWalkTheList) {
    const QString card = dir.filePath(QStringLiteral("card"));
    for (const char* name : {"drf_20240612_081500.mov", "drf_20240612_081520.mov", "drf_20240612_081540.mov"})
        record(card + QLatin1Char('/') + QLatin1String(name), 20);
    auto viewer = start();
    const QImage clean = screen();

    display.click(kOpenFilesButton);
    ASSERT_TRUE(waitUntil(10000, [&] { return screen().pixel(kSelectorFolderButton) != clean.pixel(kSelectorFolderButton); }));
    const QImage selector = screen();
    display.click(kSelectorFolderButton);
    // The folder browser takes the folder typed into its name field.
    ASSERT_TRUE(waitUntil(10000, [&] { return differingPixels(screen(), selector, QRect(180, 140, 620, 420)) > 5000; }));
    display.type(card);
    display.key(XK_Return);
    ASSERT_TRUE(waitUntil(10000, [&] {
        return differingPixels(screen(), selector, QRect(kSelectorFirstRow - QPoint(90, 10), QSize(280, 20))) > 50;
    })) << "the selector lists the card";
    display.click(kSelectorSelectAll);
    display.click(kSelectorAddToList);
    ASSERT_TRUE(waitUntil(10000, [&] {
        const QImage s = screen();
        return rowFilled(s, 0) && rowFilled(s, 1) && rowFilled(s, 2) && !rowFilled(s, 3);
    })) << "three rows in the play list";
    EXPECT_EQ(selectedRow(screen()), 0);

    // A double click on the second row plays it.
    display.doubleClick(playListRow(1));
    ASSERT_TRUE(waitUntil(10000, [&] { return selectedRow(screen()) == 1; }));
    ASSERT_TRUE(picturePlays());
    ASSERT_TRUE(waitForProgressAtLeast(1));
    EXPECT_GT(differingPixels(screen(), clean, kTitleStrip), 50) << "the title names the file";

    // Pause holds the picture, a second pause changes nothing, play resumes.
    display.click(kPauseButton);
    ASSERT_TRUE(pictureHeld());
    const int pausedAt = progressPosition(screen());
    display.click(kPauseButton);
    EXPECT_TRUE(pictureHeld());
    EXPECT_EQ(progressPosition(screen()), pausedAt);
    display.click(kPlayButton);
    EXPECT_TRUE(picturePlays());
    expectPauseThenPlay();

    // Next, next (around to the first), previous (back around to the last).
    display.click(kNextButton);
    EXPECT_TRUE(waitUntil(10000, [&] { return selectedRow(screen()) == 2; }));
    EXPECT_TRUE(picturePlays());
    display.click(kNextButton);
    EXPECT_TRUE(waitUntil(10000, [&] { return selectedRow(screen()) == 0; }));
    EXPECT_TRUE(picturePlays());
    display.click(kPrevButton);
    EXPECT_TRUE(waitUntil(10000, [&] { return selectedRow(screen()) == 2; }));
    EXPECT_TRUE(picturePlays());

    // Stop: the bar goes back to its start and stays there.
    ASSERT_TRUE(waitForProgressAtLeast(1));
    display.click(kStopButton);
    EXPECT_TRUE(waitUntil(10000, [&] { return progressPosition(screen()) == 0; }));
    QThread::msleep(kHeldForMs);
    EXPECT_EQ(progressPosition(screen()), 0);
    EXPECT_TRUE(viewer->running());
}

// Seeking by a click on the bar as drawn, on the strip above it, and by
// dragging the knob: the picture plays on from the new second, and pause and
// play keep their meaning afterwards. The recording's name holds a quote, a
// backslash and Chinese folder names: it plays with its telemetry.
TEST_F(Journey, SeekByClickAndDragPlaysOn) {
    const QString file =
        record(dir.filePath(QStringLiteral("行車紀錄/drf_20240612_081500 \"a\\b\".mov")), 20);
    auto viewer = start();
    const QImage clean = screen();
    viewer.reset();
    viewer = start({file});
    ASSERT_TRUE(picturePlays()) << viewer->output().toStdString();
    ASSERT_TRUE(waitUntil(kPlayTimeoutMs, [&] { return differingPixels(screen(), clean, kGSensorPanel) > 100; }))
        << "the G-sensor values arrive";

    // A click on the drawn bar, right of the knob, seeks there and plays on.
    ASSERT_TRUE(waitForProgressAtLeast(1));
    display.click(QPoint(kProgressKnobCentre + 180, kProgressBarY + 8));
    EXPECT_TRUE(waitUntil(5000, [&] {
        const int p = progressPosition(screen());
        return p >= 180 - kStepPixels && p <= 180 + 3 * kStepPixels;
    })) << progressPosition(screen());
    EXPECT_TRUE(picturePlays()) << "the picture plays on after the seek";

    // A click on the strip above the bar, back towards the start.
    display.click(QPoint(kProgressKnobCentre + 40, 489));
    EXPECT_TRUE(waitUntil(5000, [&] { return progressPosition(screen()) < 120; })) << progressPosition(screen());
    EXPECT_TRUE(picturePlays());

    expectPauseThenPlay();

    // Dragging the knob to 300: held while it moves, playing after the release.
    const int from = progressPosition(screen());
    ASSERT_GE(from, 0);
    display.drag(QPoint(kProgressKnobCentre + from + 2, kProgressBarY), QPoint(kProgressKnobCentre + 300, kProgressBarY));
    EXPECT_TRUE(waitUntil(5000, [&] {
        const int p = progressPosition(screen());
        return p >= 300 - kStepPixels && p <= 300 + 3 * kStepPixels;
    })) << progressPosition(screen());
    EXPECT_TRUE(picturePlays());
    expectPauseThenPlay();
}

// The arrow keys step a second and "." a frame; each leaves the picture held
// until play resumes it, and pause in between does not resume it.
TEST_F(Journey, StepKeysHoldThePicture) {
    const QString file = record(dir.filePath(QStringLiteral("drf_20240612_081500.mov")), 20);
    auto viewer = start({file});
    ASSERT_TRUE(picturePlays());
    ASSERT_TRUE(waitForProgressAtLeast(2 * kStepPixels));

    display.key(XK_Right);
    ASSERT_TRUE(pictureHeld());
    const int afterRight = progressPosition(screen());
    display.key(XK_Right);
    EXPECT_TRUE(pictureHeld());
    EXPECT_TRUE(waitUntil(3000, [&] { return progressPosition(screen()) >= afterRight + kStepPixels - 1; }));
    display.key(XK_Left);
    EXPECT_TRUE(pictureHeld());
    EXPECT_TRUE(waitUntil(3000, [&] { return progressPosition(screen()) <= afterRight + 1; }));

    // One frame on, then held again.
    const QImage before = picture();
    display.key(XK_period);
    EXPECT_TRUE(waitUntil(5000, [&] { return picture() != before; })) << "the frame step shows the next frame";
    EXPECT_TRUE(pictureHeld());

    display.click(kPauseButton);
    EXPECT_TRUE(pictureHeld()) << "pause keeps a stepped picture held";
    display.click(kPlayButton);
    EXPECT_TRUE(picturePlays());
    expectPauseThenPlay();
}

// The speed slider by a click on its strip and by its knob; the volume by a
// click on its bar and by its knob; the volume is kept when the viewer closes.
TEST_F(Journey, SpeedAndVolumeSlidersAndClosing) {
    const QString file = record(dir.filePath(QStringLiteral("drf_20240612_081500.mov")), 30);
    auto viewer = start({file});
    ASSERT_TRUE(picturePlays());
    ASSERT_EQ(speedPosition(screen()), 56);
    ASSERT_EQ(volumePosition(screen()), 128);

    // Six times normal speed: the 30 s recording reaches three quarters of the
    // bar long before the 22 s it would take at normal speed.
    display.click(QPoint(780, kSliderY));
    EXPECT_TRUE(waitUntil(3000, [&] { return speedPosition(screen()) == 107; }));
    QElapsedTimer fast;
    fast.start();
    EXPECT_TRUE(waitUntil(kPlayTimeoutMs, [&] { return progressPosition(screen()) >= 270; }));
    EXPECT_LT(fast.elapsed(), 12000);
    // Back to normal by dragging the knob.
    display.drag(QPoint(kSpeedKnobCentre + 107, kSliderY), QPoint(kSpeedKnobCentre + 56, kSliderY));
    EXPECT_TRUE(waitUntil(3000, [&] { return speedPosition(screen()) == 56; }));
    EXPECT_TRUE(picturePlays());

    // A click on the volume bar left of its knob mutes; the knob drags it up.
    display.click(QPoint(kVolumeKnobCentre - 5, kSliderY));
    EXPECT_TRUE(waitUntil(3000, [&] { return volumePosition(screen()) == 0; }));
    EXPECT_TRUE(showsSkinImage(screen(), skin::kVolumeMutedIcon, {810, 499}));
    display.drag(QPoint(kVolumeKnobCentre, kSliderY), QPoint(kVolumeKnobCentre + 64, kSliderY));
    EXPECT_TRUE(waitUntil(3000, [&] { return volumePosition(screen()) == 64; }));
    EXPECT_TRUE(showsSkinImage(screen(), skin::kVolumeOnIcon, {810, 499}));

    // The close button ends the viewer, which writes its configuration.
    display.click(kCloseButton);
    ASSERT_TRUE(viewer->waitForExit());
    EXPECT_FALSE(viewer->crashed());
    EXPECT_EQ(viewer->exitCode(), 0);
    RegistryStore store(viewer->configFile());
    const auto config = store.read(QString::fromLatin1(kViewerConfigKey), QString::fromLatin1(kViewerConfigValue));
    ASSERT_TRUE(config.has_value());
    EXPECT_TRUE(config->contains("??64?")) << config->toStdString();
}

// The list plays in a loop: the end of the last file plays the first again.
TEST_F(Journey, TheEndOfTheLastFilePlaysTheFirst) {
    const QString first = record(dir.filePath(QStringLiteral("drf_20240612_081500.mov")), 3);
    const QString second = record(dir.filePath(QStringLiteral("drf_20240612_081503.mov")), 3);
    auto viewer = start({first, second});
    ASSERT_TRUE(picturePlays());
    EXPECT_EQ(selectedRow(screen()), 0);
    EXPECT_TRUE(waitUntil(kPlayTimeoutMs, [&] { return selectedRow(screen()) == 1; }));
    EXPECT_TRUE(waitUntil(kPlayTimeoutMs, [&] { return selectedRow(screen()) == 0; }));
    EXPECT_TRUE(picturePlays());
}

// Event marks come with an event recording and go with stop and with the
// list; clearing the list leaves the screen as clean as a new start.
TEST_F(Journey, ClearingTheListLeavesACleanScreen) {
    const QString event =
        record(dir.filePath(QStringLiteral("NO_NAME/evt_20240612_081500.mov")), 20, {QStringLiteral("--events"), QStringLiteral("2")});
    auto viewer = start();
    const QImage clean = screen();
    viewer.reset();
    viewer = start({event});
    ASSERT_TRUE(picturePlays());
    ASSERT_TRUE(waitUntil(kPlayTimeoutMs, [&] { return eventMarkCount(screen()) >= 1; }))
        << "the events show on the bar, though the card's folder has a '_'";
    ASSERT_TRUE(waitUntil(kPlayTimeoutMs, [&] { return differingPixels(screen(), clean, kGSensorPanel) > 100; }));

    display.click(kStopButton);
    EXPECT_TRUE(waitUntil(5000, [&] { return eventMarkCount(screen()) == 0; })) << "stop takes the marks";
    display.click(kPlayButton);
    ASSERT_TRUE(picturePlays());
    EXPECT_TRUE(waitUntil(kPlayTimeoutMs, [&] { return eventMarkCount(screen()) >= 1; }));
    ASSERT_TRUE(waitForProgressAtLeast(1));

    display.click(kClearListButton);
    EXPECT_TRUE(waitUntil(5000, [&] {
        const QImage s = screen();
        return differingPixels(s, clean, kTitleStrip) == 0 && differingPixels(s, clean, kGSensorPanel) == 0 &&
               differingPixels(s, clean, kEventMarkRow) == 0 && differingPixels(s, clean, kPlayListRows) == 0 &&
               progressPosition(s) == 0;
    }));
    const QImage cleared = screen();
    EXPECT_EQ(differingPixels(cleared, clean, kTitleStrip), 0);
    EXPECT_EQ(differingPixels(cleared, clean, kGSensorPanel), 0);
    EXPECT_EQ(differingPixels(cleared, clean, kEventMarkRow), 0);
    EXPECT_EQ(differingPixels(cleared, clean, kPlayListRows), 0);
}

// A zero-filled file between two recordings (what a power loss leaves on a
// card): the viewer says so, skips it and plays on; it does not end.
TEST_F(Journey, ABrokenFileIsSkipped) {
    const QString first = record(dir.filePath(QStringLiteral("drf_20240612_081500.mov")), 3);
    const QString broken = dir.filePath(QStringLiteral("drf_20240612_081503.mov"));
    {
        QFile zeros(broken);
        ASSERT_TRUE(zeros.open(QIODevice::WriteOnly));
        zeros.write(QByteArray(512 * 1024, '\0'));
    }
    const QString third = record(dir.filePath(QStringLiteral("drf_20240612_081506.mov")), 20);
    auto viewer = start({first, broken, third});
    ASSERT_TRUE(picturePlays());
    // The message box comes up when the first file ends; Enter answers it.
    ASSERT_TRUE(waitUntil(kPlayTimeoutMs, [&] { return viewer->output().contains(QStringLiteral("not a recording")); }))
        << viewer->output().toStdString();
    answerMessageBox();
    EXPECT_TRUE(waitUntil(kPlayTimeoutMs, [&] { return selectedRow(screen()) == 2; }));
    EXPECT_TRUE(picturePlays());
    EXPECT_TRUE(viewer->running()) << viewer->output().toStdString();
}

// A recording whose path is longer than the player takes: a message, and what
// played plays on under its own title.
TEST_F(Journey, APathTooLongIsRefused) {
    const QString first = record(dir.filePath(QStringLiteral("drf_20240612_081500.mov")), 20);
    const QString folder = dir.filePath(QString(80, QChar(0x884C)) + QStringLiteral("紀錄")); // 3 bytes a character
    const QString tooLong = record(folder + QStringLiteral("/drf_20240612_081520.mov"), 2);
    ASSERT_GT(tooLong.toUtf8().size(), 255);
    auto viewer = start({first, tooLong});
    ASSERT_TRUE(picturePlays());
    const QImage title = display.grab(kTitleStrip);

    display.click(kNextButton);
    ASSERT_TRUE(waitUntil(10000, [&] { return viewer->output().contains(QStringLiteral("too long")); }))
        << viewer->output().toStdString();
    answerMessageBox();
    EXPECT_TRUE(picturePlays());
    EXPECT_EQ(display.grab(kTitleStrip), title);
    EXPECT_EQ(selectedRow(screen()), 0);
}

// The skin's texts do not depend on the platform's font settings: the real
// display shows the idle main screen and the password screen pixel for pixel
// as the headless rendering does, at 96, 120 and 144 DPI.
TEST_F(Journey, TheRealDisplayShowsWhatTheHeadlessRenderingShows) {
    for (const char* dpi : {"96", "120", "144"}) {
        SCOPED_TRACE(dpi);
        const QStringList environment{QStringLiteral("QT_FONT_DPI=") + QLatin1String(dpi)};
        const QImage headless = ViewerProcess::offscreenPicture(configHome(), dir.filePath(QStringLiteral("main.png")),
                                                                1.5, environment);
        ASSERT_EQ(headless.size(), kMainWindowArea.size());
        {
            ViewerProcess viewer(display, configHome(), dir.path(), {}, environment);
            ASSERT_TRUE(viewer.waitForMainScreen());
            QThread::msleep(1500); // the first tick of the window's timer has drawn
            EXPECT_EQ(differingPixels(display.grab(kMainWindowArea), headless, kMainWindowArea.adjusted(0, 0, -1, -1)), 0);
        }
    }

    // The password screen stands centred on the screen.
    {
        RegistryStore store(configHome() + QStringLiteral("/Orvanel/Kyvo Viewer.ini"));
        ASSERT_TRUE(store.write(QString::fromLatin1(kViewerConfigKey), QString::fromLatin1(kViewerConfigValue),
                                QByteArray("2?21?0?1?4321?????128?")));
    }
    const QImage headless =
        ViewerProcess::offscreenPicture(configHome(), dir.filePath(QStringLiteral("password.png")), 0.5);
    ASSERT_EQ(headless.size(), QSize(440, 300));
    ViewerProcess viewer(display, configHome(), dir.path());
    const QRect centred(QPoint((VirtualDisplay::kWidth - 440) / 2, (VirtualDisplay::kHeight - 300) / 2), QSize(440, 300));
    // Everything but the inside of the password edit, whose text cursor
    // blinks while the edit has the focus.
    const QRect edit(165, 204, 95, 18);
    auto outsideEditDiffers = [&](const QImage& shown) {
        int differing = 0;
        for (int y = 0; y < centred.height(); ++y)
            for (int x = 0; x < centred.width(); ++x)
                if (!edit.contains(x, y) && shown.pixel(x, y) != headless.pixel(x, y))
                    ++differing;
        return differing;
    };
    EXPECT_TRUE(waitUntil(10000, [&] { return outsideEditDiffers(display.grab(centred)) == 0; }))
        << outsideEditDiffers(display.grab(centred)) << " pixels differ";
}

// A recording opened held at a known moment (--at): the real display shows its
// title, time, bars, position, speed, heading and G-sensor values pixel for
// pixel as the headless rendering does, at 96, 120 and 144 DPI. Left out: the
// picture (a busy machine may hold it a frame or two after the moment, within
// the same telemetry entry), the G-sensor trace (its length counts the frames
// shown before the hold) and the web map, which loads its tiles in its own time.
TEST_F(Journey, AHeldFrameLooksTheSameOnTheRealDisplay) {
    // South and west of the equator and Greenwich: the longest position lines.
    const QString file = record(dir.filePath(QStringLiteral("card/drf_20240612_081500.mov")), 8,
                                {QStringLiteral("--lat"), QStringLiteral("-33.8"), QStringLiteral("--lon"),
                                 QStringLiteral("-151.2")});
    const QStringList arguments{QStringLiteral("--at"), QStringLiteral("5"), file};
    auto differing = [](const QImage& shown, const QImage& expected) {
        int count = 0;
        for (int y = 0; y < kMainWindowArea.height(); ++y)
            for (int x = 0; x < kMainWindowArea.width(); ++x)
                if (!kGSensorTrace.contains(x, y) && !kMapPanel.contains(x, y) && !kVideoArea.contains(x, y) &&
                    shown.pixel(x, y) != expected.pixel(x, y))
                    ++count;
        return count;
    };
    for (const char* dpi : {"96", "120", "144"}) {
        SCOPED_TRACE(dpi);
        const QStringList environment{QStringLiteral("QT_FONT_DPI=") + QLatin1String(dpi)};
        const QImage headless = ViewerProcess::offscreenPicture(configHome(), dir.filePath(QStringLiteral("held.png")),
                                                                4, environment, arguments);
        ASSERT_EQ(headless.size(), kMainWindowArea.size());
        ViewerProcess viewer(display, configHome(), dir.path(), arguments, environment);
        ASSERT_TRUE(viewer.waitForMainScreen());
        EXPECT_TRUE(waitUntil(kPlayTimeoutMs, [&] { return differing(screen(), headless) == 0; }))
            << differing(screen(), headless) << " pixels differ";
    }
}
