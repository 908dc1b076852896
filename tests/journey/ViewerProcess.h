#pragma once
// The real viewer as a user starts it: its own process on a virtual display,
// with a configuration folder of its own, seen only through the screen and
// the files it writes.

#include <QImage>
#include <QProcess>
#include <QString>
#include <QStringList>

namespace kyvo::journey {

class VirtualDisplay;

// A recording made by recgen at `path` (its name sets kind and start; the
// folder is made): `seconds` long, no sound, `size` pictures, and `extra`
// options. Empty, with recgen's complaint in `error`, when it failed.
QString makeRecording(const QString& path, int seconds, const QString& size = QStringLiteral("320x180"),
                      const QStringList& extra = {}, QString* error = nullptr);

class ViewerProcess {
public:
    // Starts the viewer on `display` with `arguments`; its settings live under
    // `configHome` and it runs in `workFolder` (where folder dialogs open).
    // `environment` adds or replaces variables (KEY=VALUE). `program` is the
    // build's viewer unless another (an installed one) is named.
    ViewerProcess(VirtualDisplay& display, const QString& configHome, const QString& workFolder,
                  const QStringList& arguments = {}, const QStringList& environment = {},
                  const QString& program = QStringLiteral(KYVO_VIEWER_PATH));
    ~ViewerProcess();

    // Waits until the main screen is on the display (its close button drawn at
    // its place).
    bool waitForMainScreen(int timeoutMs = 30000);
    // Waits for the process to end; false when it still runs.
    bool waitForExit(int timeoutMs = 20000);
    bool running() const { return process_.state() != QProcess::NotRunning; }
    int exitCode() const { return process_.exitCode(); }
    bool crashed() const { return process_.exitStatus() == QProcess::CrashExit; }
    // What it wrote to standard output and standard error so far.
    QString output();

    // The configuration file of the viewer.
    QString configFile() const;

    // The same viewer headless (the offscreen platform): the PNG it writes of
    // its window after `seconds`, or a null image. `arguments` follow the
    // screenshot options.
    static QImage offscreenPicture(const QString& configHome, const QString& pngPath, double seconds,
                                   const QStringList& environment = {}, const QStringList& arguments = {});

private:
    VirtualDisplay& display_;
    QString configHome_;
    QProcess process_;
    QString output_;
};

} // namespace kyvo::journey
