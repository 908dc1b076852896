#include "ViewerProcess.h"

#include "Screen.h"
#include "VirtualDisplay.h"

#include <QDir>
#include <QFileInfo>
#include <QProcessEnvironment>

namespace kyvo::journey {

QString makeRecording(const QString& path, int seconds, const QString& size, const QStringList& extra,
                      QString* error) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QProcess recgen;
    recgen.start(QStringLiteral(KYVO_RECGEN_PATH),
                 QStringList{QStringLiteral("--length"), QString::number(seconds), QStringLiteral("--no-audio"),
                             QStringLiteral("--preset"), QStringLiteral("ultrafast"), QStringLiteral("--size"), size} +
                     extra + QStringList{path});
    const bool made = recgen.waitForFinished(120000) && recgen.exitStatus() == QProcess::NormalExit &&
                      recgen.exitCode() == 0;
    if (!made && error)
        *error = QString::fromUtf8(recgen.readAllStandardError());
    return made ? path : QString();
}

namespace {

void addVariables(QProcessEnvironment& environment, const QStringList& variables) {
    for (const QString& variable : variables) {
        const qsizetype equals = variable.indexOf(QLatin1Char('='));
        if (equals > 0)
            environment.insert(variable.left(equals), variable.mid(equals + 1));
    }
}

} // namespace

ViewerProcess::ViewerProcess(VirtualDisplay& display, const QString& configHome, const QString& workFolder,
                             const QStringList& arguments, const QStringList& variables, const QString& program)
    : display_(display), configHome_(configHome) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // A real window on the virtual display: none of the test runner's headless settings.
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.remove(QStringLiteral("QT_QPA_PLATFORMTHEME"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.insert(QStringLiteral("DISPLAY"), display.name());
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome);
    addVariables(environment, variables);
    process_.setProcessEnvironment(environment);
    process_.setWorkingDirectory(workFolder);
    process_.setProcessChannelMode(QProcess::MergedChannels);
    process_.start(program, arguments);
    process_.waitForStarted(10000);
}

ViewerProcess::~ViewerProcess() {
    if (running()) {
        process_.terminate();
        if (!process_.waitForFinished(5000)) {
            process_.kill();
            process_.waitForFinished(5000);
        }
    }
}

bool ViewerProcess::waitForMainScreen(int timeoutMs) {
    return waitUntil(timeoutMs, [this] {
        if (!running())
            return true;
        return showsMainScreen(display_.grab(kMainWindowArea));
    }) && running();
}

bool ViewerProcess::waitForExit(int timeoutMs) {
    return process_.waitForFinished(timeoutMs);
}

QString ViewerProcess::output() {
    // The pipe is read when this process looks at it: no event loop runs here.
    while (process_.waitForReadyRead(10))
        output_ += QString::fromLocal8Bit(process_.readAll());
    output_ += QString::fromLocal8Bit(process_.readAll());
    return output_;
}

QString ViewerProcess::configFile() const {
    return configHome_ + QStringLiteral("/Orvanel/Kyvo Viewer.ini");
}

} // namespace kyvo::journey

namespace kyvo::journey {

QImage ViewerProcess::offscreenPicture(const QString& configHome, const QString& pngPath, double seconds,
                                       const QStringList& variables, const QStringList& arguments) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome);
    addVariables(environment, variables);
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(KYVO_VIEWER_PATH),
                  QStringList{QStringLiteral("--screenshot"), pngPath, QStringLiteral("--after"),
                              QString::number(seconds)} + arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return {};
    return QImage(pngPath).convertToFormat(QImage::Format_RGB32);
}

} // namespace kyvo::journey
