// Keeping evidence of a drive: thirty stills of consecutive frames captured
// from a held recording, and a playing recording backed up, both through the
// buttons of the main window, the settings popup and the folder browser, and
// checked in the files they write.

#include "PopupLayout.h"
#include "Screen.h"
#include "SkinIds.h"
#include "ViewerProcess.h"
#include "VirtualDisplay.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <cmath>

#include <X11/keysym.h>

using namespace kyvo;
using namespace kyvo::journey;
namespace popup = kyvo::settings::popup;

namespace {

constexpr int kTimeoutMs = 20000;
const QPoint kSaveButton(159, 745);
const QPoint kCaptureButton(99, 745);
const QPoint kPrintButton(39, 745);
const QPoint kSettingOrigin(popup::kSettingOffset.x, popup::kSettingOffset.y);

// The frame number recgen burns in (--frame-code) read from a still of a
// 640 x 360 recording: twelve blocks of 32 pixels at mid-height, in the
// 640 x 480 picture whose video starts 60 rows down.
int frameCodeOf(const QImage& still) {
    constexpr int kBlock = 32;
    constexpr int kCentreY = 60 + (360 - kBlock) / 2 + kBlock / 2;
    int code = 0;
    for (int bit = 0; bit < 12; ++bit)
        if (qGray(still.pixel(bit * kBlock + kBlock / 2, kCentreY)) > 128)
            code |= 1 << bit;
    return code;
}

// Chooses `folder` in the popup's folder browser.
void chooseFolder(VirtualDisplay& display, const QString& folder) {
    const QImage before = display.grab();
    display.click(centreOf(kSettingOrigin, popup::kFolderChooser));
    // The folder browser takes the folder typed into its name field.
    ASSERT_TRUE(waitUntil(kTimeoutMs, [&] { return differingPixels(display.grab(), before, QRect(180, 140, 620, 420)) > 5000; }));
    display.type(folder);
    display.key(XK_Return);
    ASSERT_TRUE(waitUntil(kTimeoutMs, [&] {
        return differingPixels(display.grab(), before,
                               QRect(topLeftOf(kSettingOrigin, popup::kFolderBox), QSize(190, 25))) > 30;
    })) << "the popup shows the chosen folder";
}

// The peak signal-to-noise ratio, in dB, of the luminance of the video inside
// `still` against ffmpeg's decode of frame `frame` (0 first) of the 640 x 360
// `recording`. Luminance only: the two decoders fill in the recording's
// quarter-size colour planes differently at testsrc2's sharp colour edges.
double psnrAgainstFfmpeg(const QImage& still, const QString& recording, int frame, const QString& scratch) {
    const QString png = scratch + QStringLiteral("/frame-%1.png").arg(frame);
    QProcess ffmpeg;
    ffmpeg.start(QStringLiteral("ffmpeg"),
                 {QStringLiteral("-nostdin"), QStringLiteral("-loglevel"), QStringLiteral("error"), QStringLiteral("-y"),
                  QStringLiteral("-i"), recording, QStringLiteral("-vf"),
                  QStringLiteral("select=eq(n\\,%1)").arg(frame), QStringLiteral("-frames:v"), QStringLiteral("1"),
                  png});
    if (!ffmpeg.waitForFinished(60000))
        return 0;
    const QImage reference = QImage(png).convertToFormat(QImage::Format_RGB32);
    if (reference.size() != QSize(640, 360))
        return 0;
    auto luma = [](QRgb c) { return 0.299 * qRed(c) + 0.587 * qGreen(c) + 0.114 * qBlue(c); };
    double squared = 0;
    for (int y = 0; y < 360; ++y)
        for (int x = 0; x < 640; ++x) {
            const double d = luma(still.pixel(x, y + 60)) - luma(reference.pixel(x, y));
            squared += d * d;
        }
    const double mse = squared / (640.0 * 360.0);
    return mse == 0 ? 99.0 : 10.0 * std::log10(255.0 * 255.0 / mse);
}

QByteArray contentsOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST(EvidenceJourney, APlayingRecordingIsBackedUpIntoTheChosenFolderAndItsTripExportedThere) {
    QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/kyvoevidence-XXXXXX"));
    VirtualDisplay display;
    ASSERT_TRUE(display.ok()) << display.error().toStdString();
    const QString recording =
        makeRecording(dir.filePath(QStringLiteral("card/drf_20240612_081500.mov")), 8, QStringLiteral("320x180"));
    // The next piece of the same drive, and one after a long stop.
    ASSERT_FALSE(makeRecording(dir.filePath(QStringLiteral("card/drf_20240612_081508.mov")), 2,
                               QStringLiteral("64x36"), {QStringLiteral("--route-offset"), QStringLiteral("8")})
                     .isEmpty());
    ASSERT_FALSE(
        makeRecording(dir.filePath(QStringLiteral("card/drf_20240612_093000.mov")), 2, QStringLiteral("64x36")).isEmpty());
    const QString backups = dir.filePath(QStringLiteral("backups"));
    QDir().mkpath(backups);

    ViewerProcess viewer(display, dir.filePath(QStringLiteral("config")), dir.path(),
                         {QStringLiteral("--offline"), recording});
    ASSERT_TRUE(viewer.waitForMainScreen()) << viewer.output().toStdString();
    ASSERT_TRUE(waitUntil(kTimeoutMs, [&] { return progressPosition(display.grab()) >= 1; })) << "the recording plays";
    const int volume = volumePosition(display.grab());

    display.click(kSaveButton);
    ASSERT_TRUE(waitUntil(kTimeoutMs, [&] {
        return showsSkinImage(display.grab(), skin::kFolderChooserNormal, topLeftOf(kSettingOrigin, popup::kFolderChooser));
    })) << "the backup popup opens";
    EXPECT_EQ(progressPosition(display.grab()), 0) << "the save button stops playback";

    chooseFolder(display, backups);
    if (HasFatalFailure())
        return;

    display.click(centreOf(kSettingOrigin, popup::kConfirm));
    const QString copy = backups + QStringLiteral("/copy_drf_20240612_081500.mov");
    ASSERT_TRUE(waitUntil(kTimeoutMs, [&] { return QFileInfo(copy).size() == QFileInfo(recording).size(); }))
        << "the copy lands in the folder";
    EXPECT_TRUE(contentsOf(copy) == contentsOf(recording));
    EXPECT_EQ(QDir(backups).entryList(QDir::Files | QDir::Hidden).size(), 1) << "no temporary file is left";
    EXPECT_EQ(QFileInfo(copy).lastModified(), QFileInfo(recording).lastModified());

    // The message that the backup is saved; Enter answers it.
    QThread::msleep(800);
    display.moveTo(kMainWindowArea.center());
    display.key(XK_Return);
    EXPECT_TRUE(waitUntil(kTimeoutMs, [&] { return volumePosition(display.grab()) == volume; }))
        << "the sound comes back as it was";

    // Ctrl+E: the trip (this recording and the next piece) as GPX beside the copy.
    const QImage before = display.grab();
    display.controlKey(XK_e);
    const QString gpx = backups + QStringLiteral("/trip_drf_20240612_081500.gpx");
    ASSERT_TRUE(waitUntil(kTimeoutMs, [&] { return QFileInfo::exists(gpx); })) << "the trip's GPX file";
    const QByteArray track = contentsOf(gpx);
    EXPECT_EQ(track.count("<trkseg>"), 2) << "two pieces of one trip";
    EXPECT_EQ(track.count("drf_20240612_093000"), 0) << "the drive after the long stop is another trip";
    EXPECT_TRUE(waitUntil(kTimeoutMs, [&] { return differingPixels(display.grab(), before, kMainWindowArea) > 500; }))
        << "the message names the file";
    display.key(XK_Return);
    display.click(kCloseButton);
    EXPECT_TRUE(viewer.waitForExit());
}

TEST(EvidenceJourney, ThirtyStillsOfConsecutiveFramesAndPlaybackGoesOn) {
    QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/kyvoevidence-XXXXXX"));
    VirtualDisplay display;
    ASSERT_TRUE(display.ok()) << display.error().toStdString();
    const QString recording =
        makeRecording(dir.filePath(QStringLiteral("card/drf_20240612_081500.mov")), 8, QStringLiteral("640x360"),
                      {QStringLiteral("--frame-code")});
    const QString stills = dir.filePath(QStringLiteral("stills"));
    QDir().mkpath(stills);

    ViewerProcess viewer(display, dir.filePath(QStringLiteral("config")), dir.path(),
                         {QStringLiteral("--offline"), QStringLiteral("--at"), QStringLiteral("2"), recording});
    ASSERT_TRUE(viewer.waitForMainScreen()) << viewer.output().toStdString();
    ASSERT_TRUE(waitUntil(kTimeoutMs, [&] { return progressPosition(display.grab()) > 0; })) << "held at 2 s";
    QThread::msleep(1000);

    display.click(kCaptureButton);
    ASSERT_TRUE(waitUntil(kTimeoutMs, [&] {
        return showsSkinImage(display.grab(), skin::kCaptureConfirmNormal, topLeftOf(kSettingOrigin, popup::kConfirm));
    })) << "the capture popup opens";
    chooseFolder(display, stills);
    if (HasFatalFailure())
        return;
    display.click(centreOf(kSettingOrigin, popup::kCheckBox));
    ASSERT_TRUE(waitUntil(kTimeoutMs, [&] {
        return showsSkinImage(display.grab(), skin::kCheckBoxOn, topLeftOf(kSettingOrigin, popup::kCheckBox));
    })) << "thirty stills are chosen";
    display.click(centreOf(kSettingOrigin, popup::kConfirm));

    ASSERT_TRUE(waitUntil(kTimeoutMs * 3, [&] { return QDir(stills).entryList(QDir::Files).size() >= 30; }))
        << "thirty stills are written";
    QThread::msleep(1500); // the end message stands
    display.moveTo(kMainWindowArea.center());
    display.key(XK_Return);

    const QStringList files = QDir(stills).entryList(QDir::Files, QDir::Name);
    ASSERT_EQ(files.size(), 30);
    std::vector<int> codes;
    for (int n = 1; n <= 30; ++n) {
        const QStringList named = QDir(stills).entryList(
            {QStringLiteral("drf_20240612_081500_000?_%1.jpg").arg(n)}, QDir::Files);
        ASSERT_EQ(named.size(), 1) << "still " << n;
        QImage still(stills + QLatin1Char('/') + named.front());
        ASSERT_EQ(still.size(), QSize(640, 480)) << named.front().toStdString();
        codes.push_back(frameCodeOf(still));
        if (n == 1 || n == 30) {
            EXPECT_GE(psnrAgainstFfmpeg(still, recording, codes.back(), dir.path()), 30.0)
                << named.front().toStdString() << " shows frame " << codes.back();
        }
    }
    for (std::size_t i = 1; i < codes.size(); ++i)
        EXPECT_EQ(codes[i], codes[i - 1] + 1) << "still " << i + 1;
    EXPECT_NEAR(codes.front(), 60, 3) << "the first still is the held frame";

    // Leaving the popup goes back to where the capture began and plays on.
    display.click(centreOf(kSettingOrigin, popup::kExit));
    QImage before = display.grab(kVideoArea);
    EXPECT_TRUE(waitUntil(kTimeoutMs, [&] {
        const QImage now = display.grab(kVideoArea);
        const bool moved = now != before;
        before = now;
        return moved && !showsSkinImage(display.grab(), skin::kPopupExitNormal, topLeftOf(kSettingOrigin, popup::kExit));
    })) << "playback goes on after the popup closes";
    display.click(kCloseButton);
    EXPECT_TRUE(viewer.waitForExit());
}

// Without a printer the dialog offers a PDF file in the home folder; the
// page names the frame's date and holds its picture.
TEST(EvidenceJourney, TheFrameIsPrintedToAPdfThroughThePrinterDialog) {
    QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/kyvoevidence-XXXXXX"));
    VirtualDisplay display;
    ASSERT_TRUE(display.ok()) << display.error().toStdString();
    const QString recording =
        makeRecording(dir.filePath(QStringLiteral("card/drf_20240612_081500.mov")), 8, QStringLiteral("320x180"));
    ViewerProcess viewer(display, dir.filePath(QStringLiteral("config")), dir.path(),
                         {QStringLiteral("--offline"), QStringLiteral("--at"), QStringLiteral("3"), recording},
                         {QStringLiteral("HOME=") + dir.path()});
    ASSERT_TRUE(viewer.waitForMainScreen()) << viewer.output().toStdString();
    ASSERT_TRUE(waitUntil(kTimeoutMs, [&] { return progressPosition(display.grab()) > 0; }));
    QThread::msleep(1000);
    const QImage before = display.grab();
    display.click(kPrintButton);
    ASSERT_TRUE(waitUntil(kTimeoutMs, [&] { return differingPixels(display.grab(), before, kMainWindowArea) > 20000; }))
        << "the printer dialog opens";
    QThread::msleep(500);
    display.key(XK_Return);
    const QString pdf = dir.filePath(QStringLiteral("JXQ.pdf"));
    ASSERT_TRUE(waitUntil(kTimeoutMs, [&] { return QFileInfo(pdf).size() > 1000; })) << "the page is printed";
    QThread::msleep(500);

    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    ASSERT_TRUE(pdftotext.waitForFinished(30000));
    const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput());
    EXPECT_TRUE(text.contains(QStringLiteral("2024/06/12"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("GSensor X:"))) << text.toStdString();
    QProcess pdftoppm;
    pdftoppm.start(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("72"), QStringLiteral("-png"),
                                                QStringLiteral("-singlefile"), pdf, dir.filePath(QStringLiteral("page"))});
    ASSERT_TRUE(pdftoppm.waitForFinished(30000));
    const QImage page(dir.filePath(QStringLiteral("page.png")));
    ASSERT_EQ(page.size(), QSize(842, 595));
    // The picture fills the middle of the page: colourful, not paper white.
    const QColor middle = page.pixelColor(421, 297);
    EXPECT_NE(middle, QColor(Qt::white));
    display.click(kCloseButton);
    EXPECT_TRUE(viewer.waitForExit());
}
