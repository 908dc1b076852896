// The playback controls and telemetry gauges of the main window, through clicks
// and pixels, and one recording played end to end.

#include "CJXQ_PCMgrDlg.h"
#include "MessageBox.h"
#include "PlaybackControls.h"
#include "ROVUAdap.h"
#include "RegistryStore.h"
#include "Skin.h"
#include "Telemetry.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace kyvo;
using namespace kyvo::app;

namespace {

class PlaybackWidgetTest : public ::testing::Test {
protected:
    QTemporaryDir dir{QDir::tempPath() + QStringLiteral("/kyvoplay-XXXXXX")};

    std::unique_ptr<CJXQ_PCMgrDlg> openDialog() {
        auto dialog =
            std::make_unique<CJXQ_PCMgrDlg>(std::make_unique<RegistryStore>(dir.filePath(QStringLiteral("s.ini"))));
        dialog->initDialog();
        dialog->show();
        return dialog;
    }

    QImage grab(CJXQ_PCMgrDlg& dialog) { return dialog.grab().toImage().convertToFormat(QImage::Format_RGB32); }

    // A recording made by recgen in the test folder, with `options`.
    QString record(const QStringList& options) {
        const QString recording = dir.filePath(QStringLiteral("drf_20240612_081500.mov"));
        QProcess recgen;
        recgen.start(QStringLiteral(KYVO_RECGEN_PATH),
                     QStringList{"--no-audio", "--preset", "ultrafast"} + options + QStringList{recording});
        EXPECT_TRUE(recgen.waitForFinished(120000));
        EXPECT_EQ(recgen.exitCode(), 0) << recgen.readAllStandardError().constData();
        return recording;
    }
};

bool showsImage(const QImage& window, int bitmapId, QPoint at) {
    const QImage image = skinImage(bitmapId);
    return !image.isNull() && window.copy(QRect(at, image.size())) == image;
}

} // namespace

TEST_F(PlaybackWidgetTest, NextAndPreviousWrapAroundTheList) {
    auto dialog = openDialog();
    std::vector<std::u16string> paths;
    for (const char* name : {"drf_20240612_081500.mov", "drf_20240612_081600.mov", "drf_20240612_081700.mov"})
        paths.push_back(dir.filePath(QLatin1String(name)).toStdU16String()); // missing: nothing plays
    dialog->addToPlayList(paths, false);
    std::vector<int> visited;
    for (int i = 0; i < 4; ++i) {
        dialog->onCommand(control::kNextFile);
        visited.push_back(dialog->playList().playingIndex());
    }
    EXPECT_EQ(visited, (std::vector<int>{0, 1, 2, 0}));
    dialog->onCommand(control::kPrevFile);
    EXPECT_EQ(dialog->playList().playingIndex(), 2); // previous on the first goes to the last
    EXPECT_EQ(dialog->playList().selected(), 2);
}

TEST_F(PlaybackWidgetTest, ARecordingDrivesTheGaugesAndTheBars) {
    const QString recording = record({"--length", "8"});
    ASSERT_FALSE(HasFailure());
    setMessageBoxSink([](const MessageBoxRequest&) { return kAnswerOk; });

    auto dialog = openDialog();
    const QImage before = grab(*dialog);
    dialog->addToPlayList({recording.toStdU16String()}, false);
    dialog->openSelectedFile();
    // Timer 100 (1.2 s) draws the position lines once a fix has arrived.
    ASSERT_TRUE(QTest::qWaitFor([&] { return dialog->adapter()->frameIndex.load() > 45; }, 20000));
    const QRect position(23, 660, 142, 34);
    const QRect time(435, 500, 140, 16);
    ASSERT_TRUE(QTest::qWaitFor([&] { return grab(*dialog).copy(position) != before.copy(position); }, 20000));
    dialog->onCommand(control::kPause);
    const QImage playing = grab(*dialog);
    // The progress knob left position 0; the time texts are drawn.
    EXPECT_FALSE(showsImage(playing, bitmap::kProgressKnob, {23, 501}));
    EXPECT_NE(playing.copy(time), before.copy(time));

    // Once the picture is held, the next timer tick shows the speed of the
    // fix the last frame carried (a void fix keeps the last valid speed).
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            std::array<char, player::kGpsRecordSize> gps{};
            std::array<float, 3> sensor{};
            RmcFix fix{};
            if (!dialog->adapter()->telemetry(gps, sensor) || !decodeRmc(std::string_view(gps.data()), fix))
                return false;
            if (fixVoid(fix))
                return true;
            const auto digits = digitsOf(speedIn(fix, kDisplayUnitKmh, "").value);
            const QImage shown = grab(*dialog);
            return showsImage(shown, bitmap::kDigitFirst + digits[0], {210, 600}) &&
                   showsImage(shown, bitmap::kDigitFirst + digits[1], {225, 600}) &&
                   showsImage(shown, bitmap::kDigitFirst + digits[2], {240, 600});
        },
        10000));

    // A click on the volume bar left of its knob sets the volume.
    QTest::mouseClick(dialog.get(), Qt::LeftButton, {}, QPoint(855, 507));
    EXPECT_EQ(dialog->volumePosition(), 0);
    EXPECT_TRUE(showsImage(grab(*dialog), bitmap::kVolumeMutedIcon, {810, 499}));

    // Stop: the progress returns to 0 and nothing plays.
    dialog->onCommand(control::kStop);
    EXPECT_FALSE(dialog->playing());
    EXPECT_TRUE(showsImage(grab(*dialog), bitmap::kProgressKnob, {23, 501}));
    setMessageBoxSink({});
}

TEST_F(PlaybackWidgetTest, TheHeadingNeedleDoesNotThickenWhenRepainted) {
    auto dialog = openDialog();
    const QRect heading(38, 541, 108, 109);
    const QImage first = grab(*dialog).copy(heading);
    for (int i = 0; i < 5; ++i)
        dialog->repaint();
    EXPECT_EQ(grab(*dialog).copy(heading), first);
}

// The longest position lines (three-digit degrees, every part negative, "W")
// stay inside their region in the GPS well, so nothing of them is cut or left
// behind when they are erased.
TEST_F(PlaybackWidgetTest, TheLongestPositionLinesStayInsideTheirRegion) {
    const QString recording =
        record({"--length", "4", "--size", "160x90", "--lat", "-79.9999", "--lon", "-179.9995"});
    ASSERT_FALSE(HasFailure());
    setMessageBoxSink([](const MessageBoxRequest&) { return kAnswerOk; });
    auto dialog = openDialog();
    const QImage before = grab(*dialog);
    dialog->addToPlayList({recording.toStdU16String()}, false);
    dialog->openSelectedFile();
    const QRect region(20, 657, 202, 40); // (20, 657)-(222, 697)
    ASSERT_TRUE(QTest::qWaitFor([&] { return grab(*dialog).copy(region) != before.copy(region); }, 20000));
    dialog->onCommand(control::kPause);
    const QImage shown = grab(*dialog);
    setMessageBoxSink({});

    const QRect well(16, 655, 206, 45); // the GPS well left of its caption
    QRect drawn;
    for (int y = well.top(); y <= well.bottom(); ++y)
        for (int x = well.left(); x <= well.right(); ++x)
            if (shown.pixel(x, y) != before.pixel(x, y))
                drawn |= QRect(x, y, 1, 1);
    ASSERT_FALSE(drawn.isEmpty());
    // Inside the region with a pixel to spare on every side: nothing was cut.
    EXPECT_TRUE(region.adjusted(1, 1, -1, -1).contains(drawn)) << drawn.x() << "," << drawn.y() << " "
                                                               << drawn.width() << "x" << drawn.height();
}
