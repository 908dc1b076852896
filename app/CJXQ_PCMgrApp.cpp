#include "CJXQ_PCMgrApp.h"

#include "CJXQ_PCMgrDlg.h"
#include "FolderArguments.h"
#include "MessageBox.h"
#include "Network.h"

#include <QApplication>
#include <QFileInfo>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

#include <unistd.h>

namespace kyvo::app {

namespace {

constexpr char kUsage[] =
    "usage: tessaro-viewer [--screenshot FILE] [--after SECONDS] [--at TIME] [--offline] [FILE|FOLDER...]\n"
    "  --screenshot FILE  run headless, write a PNG of the window to FILE and exit\n"
    "  --after SECONDS    take the picture after SECONDS of running (default 0.5)\n"
    "  --at TIME          open the first file held at TIME (seconds, M:SS or H:MM:SS)\n"
    "  --offline          never use the network: no web map, its notice instead\n"
    "  FILE|FOLDER...     recordings for the play list; a folder (a memory card) gives its recordings\n";

bool displayAvailable() {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform && *platform)
        return true; // the caller chose the platform
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x11 && *x11) || (wayland && *wayland);
}

} // namespace

int CJXQ_PCMgrApp::run(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    LaunchOptions options = parseLaunchOptions(args);
    if (!options.error.empty()) {
        std::fprintf(stderr, "tessaro-viewer: %s\n%s", options.error.c_str(), kUsage);
        return 2;
    }
    if (options.showHelp) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    const bool headless = options.screenshotPath.has_value() || !displayAvailable();
    if (headless) {
        if (!options.screenshotPath)
            options.screenshotPath = kDefaultScreenshotName;
        if (!std::getenv("QT_QPA_PLATFORM"))
            setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }

    // The skin is drawn in device pixels and texts keep their pixel size at
    // every DPI: fractional display scales (120, 144 DPI) are not applied to
    // the window, only whole ones (a 192 DPI screen doubles it).
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::Floor);
    // The map's browser engine ends the whole program when run as root with
    // its sandbox on; turned off only then, before the engine can start.
    if (geteuid() == 0 && !std::getenv("QTWEBENGINE_DISABLE_SANDBOX"))
        setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 1);
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    // The framework's own profile key; the viewer's settings live elsewhere.
    QCoreApplication::setOrganizationName(QStringLiteral("RO Zuvare"));
    QCoreApplication::setApplicationName(QStringLiteral("Kyvo Viewer"));
    QApplication::setApplicationDisplayName(QStringLiteral("Kyvo Viewer"));
    // The desktop matches the windows to the menu entry (and its icon) by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("com.orvanel.KyvoViewer"));


    // Nobody can answer a message box in a headless run: its text goes to
    // standard error and the run goes on, as if OK had been pressed.
    if (headless)
        setMessageBoxSink([](const MessageBoxRequest& request) {
            std::fprintf(stderr, "tessaro-viewer: message: %s\n", request.text.toLocal8Bit().constData());
            return kAnswerOk;
        });

    if (options.offline)
        setConnectionProbe([] { return false; });

    int exitCode = 0;
    {
        CJXQ_PCMgrDlg dialog;
        dialog.initDialog();
        // Files of the command line, and the recordings of folders named
        // there, enter the play list in sorted order; the first plays.
        std::vector<std::u16string> paths;
        for (const std::string& file : options.files)
            paths.push_back(QFileInfo(QString::fromLocal8Bit(file.c_str())).absoluteFilePath().toStdU16String());
        paths = recordings::expandFolderArguments(paths);
        if (paths.empty() && !options.files.empty())
            std::fprintf(stderr, "tessaro-viewer: the folders given hold no recordings\n");
        if (!paths.empty()) {
            dialog.addToPlayList(std::move(paths), true);
            if (options.heldAtSeconds)
                dialog.holdAtWhenOpened(*options.heldAtSeconds);
            dialog.openSelectedFile();
        }
        if (options.screenshotPath) {
            const QString path = QString::fromStdString(*options.screenshotPath);
            QTimer::singleShot(static_cast<int>(options.afterSeconds * 1000), &dialog, [&dialog, &exitCode, path] {
                const QImage picture = dialog.grab().toImage();
                if (picture.save(path, "PNG")) {
                    std::printf("tessaro-viewer: window written to %s\n",
                                QFileInfo(path).absoluteFilePath().toLocal8Bit().constData());
                } else {
                    std::fprintf(stderr, "tessaro-viewer: cannot write %s\n", path.toLocal8Bit().constData());
                    exitCode = 1;
                }
                std::fflush(stdout);
                dialog.endDialog(1);
            });
        }
        dialog.doModal();
    }
    setMessageBoxSink({});
    return exitCode;
}

} // namespace kyvo::app
