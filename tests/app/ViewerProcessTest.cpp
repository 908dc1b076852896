// The viewer as a program: headless runs write a picture of the window.

#include "RegistryStore.h"

#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct ViewerRun {
    int exitCode = -1;
    QString output;
    QString errors;
};

ViewerRun runViewer(const QStringList& arguments, const QString& configHome) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome);
    process.setProcessEnvironment(environment);
    // Offline: the web map's browser engine never starts in these runs.
    process.start(QStringLiteral(KYVO_VIEWER_PATH), QStringList{QStringLiteral("--offline")} + arguments);
    ViewerRun run;
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.output = QString::fromLocal8Bit(process.readAllStandardOutput());
    run.errors = QString::fromLocal8Bit(process.readAllStandardError());
    return run;
}

} // namespace

TEST(ViewerProcess, ScreenshotOfTheMainScreen) {
    QTemporaryDir dir;
    const QString shot = dir.filePath(QStringLiteral("main.png"));
    const ViewerRun run = runViewer(
        {QStringLiteral("--screenshot"), shot, dir.filePath("missing.mov"), QStringLiteral("some file.mov")}, dir.path());
    ASSERT_EQ(run.exitCode, 0) << run.errors.toStdString();
    EXPECT_TRUE(run.output.contains(shot)) << run.output.toStdString();
    // Missing files enter the play list but play nothing.
    EXPECT_EQ(QImage(shot).size(), QSize(1020, 780));
}

TEST(ViewerProcess, ScreenshotOfThePasswordScreen) {
    QTemporaryDir dir;
    {
        kyvo::RegistryStore store(dir.filePath(QStringLiteral("Orvanel/Kyvo Viewer.ini")));
        ASSERT_TRUE(store.write(QString::fromLatin1(kyvo::kViewerConfigKey),
                                QString::fromLatin1(kyvo::kViewerConfigValue), QByteArray("2?21?0?1?4321?????128?")));
    }
    const QString shot = dir.filePath(QStringLiteral("password.png"));
    const ViewerRun run = runViewer({QStringLiteral("--screenshot"), shot, QStringLiteral("--after"), QStringLiteral("0.2")},
                              dir.path());
    ASSERT_EQ(run.exitCode, 0) << run.errors.toStdString();
    EXPECT_EQ(QImage(shot).size(), QSize(440, 300));
}

TEST(ViewerProcess, BadArgumentsAndUnwritablePicturesFail) {
    QTemporaryDir dir;
    EXPECT_EQ(runViewer({QStringLiteral("--after")}, dir.path()).exitCode, 2);
    const ViewerRun run = runViewer({QStringLiteral("--screenshot"), dir.filePath(QStringLiteral("no/such/dir/x.png"))},
                              dir.path());
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.errors.contains(QStringLiteral("cannot write")));
}

// Nobody answers a message box in a headless run: the message goes to standard
// error and the run ends as it would after OK (a scrambled recording in the
// general view mode ends the program).
TEST(ViewerProcess, HeadlessMessagesGoToStandardError) {
    QTemporaryDir dir;
    const QString scrambled = dir.filePath(QStringLiteral("drf_20240612_081500.mov"));
    QProcess recgen;
    recgen.start(QStringLiteral(KYVO_RECGEN_PATH), {"--length", "1", "--no-audio", "--preset", "ultrafast", "--size",
                                                    "160x90", "--scrambled", "0x1234", scrambled});
    ASSERT_TRUE(recgen.waitForFinished(60000));
    ASSERT_EQ(recgen.exitCode(), 0);
    const ViewerRun run = runViewer({QStringLiteral("--screenshot"), dir.filePath(QStringLiteral("s.png")),
                                     QStringLiteral("--after"), QStringLiteral("3"), scrambled},
                                    dir.path());
    ASSERT_GE(run.exitCode, 0) << "the run ended";
    EXPECT_TRUE(run.errors.contains(QStringLiteral("General View Mode"))) << run.errors.toStdString();
}
