// mapdemo: a host of the map library. It replays the GPS track of recordings
// on the offline road map; with --screenshot it runs headless for a while,
// writes a picture of its window and exits.
#include "DemoOptions.h"
#include "DemoWindow.h"

#include <QApplication>
#include <QMessageBox>
#include <QPixmap>
#include <QTimer>

#include <cmath>
#include <cstdlib>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;
constexpr double kMillisecondsPerSecond = 1000.0;

int fail(const std::string& message, bool interactive) {
    std::fprintf(stderr, "mapdemo: %s\n", message.c_str());
    if (interactive)
        QMessageBox::critical(nullptr, QStringLiteral("Kyvo map demo"), QString::fromStdString(message));
    return kExitFailure;
}

} // namespace

int main(int argc, char** argv) {
    using namespace kyvo::mapdemo;
    // The options are read before the toolkit starts: help and usage errors
    // need no display, and a screenshot run chooses the headless platform.
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const ParsedOptions parsed = parseDemoOptions(arguments);
    if (!parsed.options) {
        std::fprintf(stderr, "mapdemo: %s\n%s", parsed.error.c_str(), demoUsage().c_str());
        return kExitUsage;
    }
    const DemoOptions& options = *parsed.options;
    if (options.help) {
        std::fputs(demoUsage().c_str(), stdout);
        return 0;
    }
    const bool interactive = options.screenshot.empty();
    if (!interactive && !std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    if (const std::string problem = checkMapFolder(options.mapFolder); !problem.empty())
        return fail(problem, interactive);
    LoadedDrive drive = loadDrive(options.recordings);
    if (!drive.ok())
        return fail(drive.error, interactive);
    if (!options.recordings.empty() && drive.track.points.empty())
        std::fprintf(stderr, "mapdemo: the recordings hold no valid GPS fix; the map shows no track\n");

    DemoWindow window(QString::fromStdString(options.mapFolder), options.speed);
    window.show();
    if (!options.recordings.empty()) {
        QStringList names;
        for (const std::string& recording : options.recordings)
            names.push_back(QString::fromStdString(recording));
        window.startDrive(std::move(drive.track), names);
    }

    if (!interactive) {
        const int delayMs = static_cast<int>(std::lround(options.afterSeconds * kMillisecondsPerSecond));
        // A precise timer: a coarse one may fire some percent early.
        QTimer::singleShot(delayMs, Qt::PreciseTimer, &window, [&window, &options] {
            const QString file = QString::fromStdString(options.screenshot);
            if (!window.grab().save(file)) {
                std::fprintf(stderr, "mapdemo: cannot write the screenshot %s\n", options.screenshot.c_str());
                QCoreApplication::exit(kExitFailure);
                return;
            }
            std::printf("mapdemo: screenshot written to %s\n", options.screenshot.c_str());
            QCoreApplication::exit(0);
        });
    }
    return app.exec();
}
