// An installed viewer: `cmake --install` puts the build under a fresh prefix
// and the user starts the viewer from its menu entry, with a memory card's
// folder dropped on it. The installed viewer draws its skin, lists the card's
// recordings, plays them through its own playback library and closes from its
// close button; nothing of the build tree is in reach of it.

#include "Screen.h"
#include "SkinIds.h"
#include "ViewerProcess.h"
#include "VirtualDisplay.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace kyvo;
using namespace kyvo::journey;

namespace {

constexpr int kTimeoutMs = 20000;
const QString kDesktopEntry = QStringLiteral("share/applications/com.orvanel.KyvoViewer.desktop");

// `cmake --install` of this build under `prefix`; cmake's complaint when it fails.
QString installInto(const QString& prefix) {
    QProcess install;
    install.setProcessChannelMode(QProcess::MergedChannels);
    install.start(QStringLiteral(KYVO_CMAKE_COMMAND),
                  {QStringLiteral("--install"), QStringLiteral(KYVO_BINARY_DIR), QStringLiteral("--prefix"), prefix});
    if (!install.waitForFinished(120000) || install.exitStatus() != QProcess::NormalExit || install.exitCode() != 0)
        return QStringLiteral("cmake --install failed: ") + QString::fromLocal8Bit(install.readAll());
    return {};
}

// The command line of the menu entry's Exec key with `folder` for its file
// field codes, its program found in the prefix's bin folder.
QStringList desktopCommand(const QString& prefix, const QString& folder) {
    QFile entry(prefix + QLatin1Char('/') + kDesktopEntry);
    if (!entry.open(QIODevice::ReadOnly))
        return {};
    for (const QByteArray& line : entry.readAll().split('\n')) {
        if (!line.startsWith("Exec="))
            continue;
        QStringList command;
        for (const QString& word : QString::fromUtf8(line.mid(5)).split(QLatin1Char(' '), Qt::SkipEmptyParts))
            command << (word == QLatin1String("%F") || word == QLatin1String("%f") ? folder : word);
        if (!command.isEmpty())
            command.first() = prefix + QStringLiteral("/bin/") + command.first();
        return command;
    }
    return {};
}

} // namespace

TEST(InstalledJourney, TheMenuEntryStartsTheInstalledViewerOnACardFolderAndItPlays) {
    QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/kyvoinstalled-XXXXXX"));
    ASSERT_TRUE(dir.isValid());
    const QString prefix = dir.filePath(QStringLiteral("prefix"));
    const QString failure = installInto(prefix);
    ASSERT_TRUE(failure.isEmpty()) << failure.toStdString();

    const QString card = dir.filePath(QStringLiteral("card"));
    QString error;
    for (const char* name : {"drf_20240612_081500.mov", "evt_20240612_082000.mov"})
        ASSERT_FALSE(makeRecording(card + QLatin1Char('/') + QLatin1String(name), 20, QStringLiteral("320x180"), {},
                                   &error)
                         .isEmpty())
            << error.toStdString();

    const QStringList command = desktopCommand(prefix, card);
    ASSERT_EQ(command.size(), 2) << "the entry runs the viewer on the files and folders given";
    ASSERT_TRUE(QFileInfo(command.first()).isExecutable()) << command.first().toStdString();

    VirtualDisplay display;
    ASSERT_TRUE(display.ok()) << display.error().toStdString();
    const QString work = dir.filePath(QStringLiteral("elsewhere"));
    QDir().mkpath(work);
    ViewerProcess viewer(display, dir.filePath(QStringLiteral("config")), work, command.mid(1),
                         {QStringLiteral("XDG_DATA_HOME=") + dir.filePath(QStringLiteral("data"))}, command.first());
    ASSERT_TRUE(viewer.waitForMainScreen()) << "the installed viewer draws its skin: "
                                            << viewer.output().toStdString();

    // Both recordings of the card are in the play list, sorted: normal, then event.
    EXPECT_TRUE(waitUntil(kTimeoutMs, [&] {
        const QImage screen = display.grab();
        return showsSkinImage(screen, skin::kKindNormal, QPoint(700, 610)) &&
               showsSkinImage(screen, skin::kKindEvent, QPoint(700, 628));
    })) << "the card's recordings join the play list";
    // The first plays through the installed playback library.
    EXPECT_TRUE(waitUntil(kTimeoutMs, [&] { return progressPosition(display.grab()) >= 30; }))
        << "the recording plays: " << viewer.output().toStdString();

    display.click(kCloseButton);
    ASSERT_TRUE(viewer.waitForExit()) << "the close button ends the viewer";
    EXPECT_FALSE(viewer.crashed());
    EXPECT_EQ(viewer.exitCode(), 0);
    EXPECT_FALSE(viewer.output().contains(QStringLiteral("cannot load"))) << viewer.output().toStdString();
    // The page came with the install: nothing was written for the user.
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("data/Orvanel/Kyvo Viewer/map"))));
}
