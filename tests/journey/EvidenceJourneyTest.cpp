// Keeping evidence of a drive: a playing recording is backed up through the
// save button, the backup popup and the folder browser, and lands in the
// chosen folder byte for byte, with the viewer's sound back as it was.

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

#include <X11/keysym.h>

using namespace kyvo;
using namespace kyvo::journey;
namespace popup = kyvo::settings::popup;

namespace {

constexpr int kTimeoutMs = 20000;
const QPoint kSaveButton(159, 745);
const QPoint kSettingOrigin(popup::kSettingOffset.x, popup::kSettingOffset.y);

QPoint topLeftOf(QPoint origin, layout::Rect r) {
    return origin + QPoint(r.left, r.top);
}
QPoint centreOf(QPoint origin, layout::Rect r) {
    return origin + QPoint(r.left + r.width() / 2, r.top + r.height() / 2);
}

QByteArray contentsOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST(EvidenceJourney, APlayingRecordingIsBackedUpIntoTheChosenFolder) {
    QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/kyvoevidence-XXXXXX"));
    VirtualDisplay display;
    ASSERT_TRUE(display.ok()) << display.error().toStdString();
    const QString recording = dir.filePath(QStringLiteral("card/drf_20240612_081500.mov"));
    const QString backups = dir.filePath(QStringLiteral("backups"));
    QDir().mkpath(QFileInfo(recording).absolutePath());
    QDir().mkpath(backups);
    QProcess recgen;
    recgen.start(QStringLiteral(KYVO_RECGEN_PATH),
                 {QStringLiteral("--length"), QStringLiteral("8"), QStringLiteral("--no-audio"), QStringLiteral("--preset"),
                  QStringLiteral("ultrafast"), QStringLiteral("--size"), QStringLiteral("320x180"), recording});
    ASSERT_TRUE(recgen.waitForFinished(120000));

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

    const QImage popupShown = display.grab();
    display.click(centreOf(kSettingOrigin, popup::kFolderChooser));
    // The folder browser takes the folder typed into its name field.
    ASSERT_TRUE(waitUntil(kTimeoutMs, [&] { return differingPixels(display.grab(), popupShown, QRect(180, 140, 620, 420)) > 5000; }));
    display.type(backups);
    display.key(XK_Return);
    ASSERT_TRUE(waitUntil(kTimeoutMs, [&] {
        return differingPixels(display.grab(), popupShown,
                               QRect(topLeftOf(kSettingOrigin, popup::kFolderBox), QSize(190, 25))) > 30;
    })) << "the popup shows the chosen folder";

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
    display.click(kCloseButton);
    EXPECT_TRUE(viewer.waitForExit());
}
