// Per-frame cost of the main window: a recording with telemetry plays at six
// times normal speed (a 30 fps recording brings 180 WM_PLAYER_FRAME a second);
// each message is timed from its arrival through the handler (GPS decoding,
// G-sensor graph, invalidation) and the repaint it causes. Target: median <= 1 ms.
//
//   frame_bench [SECONDS]

#include "CJXQ_PCMgrDlg.h"
#include "MessageBox.h"
#include "RegistryStore.h"
#include "ViewerMessages.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

class FrameTimer : public QObject {
public:
    std::vector<double> ms;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (inside_ || static_cast<unsigned>(event->type()) != kyvo::WM_PLAYER_FRAME)
            return false;
        inside_ = true;
        QElapsedTimer timer;
        timer.start();
        QCoreApplication::sendEvent(watched, event);
        // The repaint the message caused, now rather than at the next pass of the loop.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
        ms.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
        inside_ = false;
        return true;
    }

private:
    bool inside_ = false;
};

double percentile(std::vector<double> v, double p) {
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, static_cast<std::size_t>(p * static_cast<double>(v.size() - 1) + 0.5))];
}

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;
    QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/kyvoframes-XXXXXX"));
    const QString recording = dir.filePath(QStringLiteral("drf_20240612_081500.mov"));
    QProcess recgen;
    recgen.start(QStringLiteral(KYVO_RECGEN_PATH), {"--length", QString::number(seconds * 6), "--no-audio", "--preset",
                                                    "ultrafast", recording});
    if (!recgen.waitForFinished(600000) || recgen.exitCode() != 0) {
        std::fprintf(stderr, "frame_bench: recgen failed: %s\n", recgen.readAllStandardError().constData());
        return 1;
    }
    kyvo::setMessageBoxSink([](const kyvo::MessageBoxRequest&) { return kyvo::kAnswerOk; });
    kyvo::app::CJXQ_PCMgrDlg dialog(std::make_unique<kyvo::RegistryStore>(dir.filePath(QStringLiteral("store.ini"))));
    dialog.initDialog();
    dialog.show();
    FrameTimer timer;
    dialog.installEventFilter(&timer);
    dialog.addToPlayList({recording.toStdU16String()}, false);
    dialog.openSelectedFile();
    // Six times normal speed: the speed strip's right end.
    if (!QTest::qWaitFor([&] { return !timer.ms.empty(); }, 20000)) {
        std::fprintf(stderr, "frame_bench: no frame arrived\n");
        return 1;
    }
    QTest::mouseClick(&dialog, Qt::LeftButton, {}, QPoint(783, 508));
    timer.ms.clear();
    QElapsedTimer wall;
    wall.start();
    if (!QTest::qWaitFor([&] { return !dialog.playing() || wall.elapsed() > seconds * 1000; }, seconds * 1000 + 5000))
        std::fprintf(stderr, "frame_bench: still playing\n");
    const double elapsed = static_cast<double>(wall.elapsed()) / 1000.0;
    std::printf("recording: 640x360 30 fps with telemetry, played at 6x for %.1f s\n", elapsed);
    std::printf("%-52s %8zu (%.0f a second)\n", "WM_PLAYER_FRAME handled", timer.ms.size(),
                static_cast<double>(timer.ms.size()) / elapsed);
    std::printf("%-52s %8.3f ms (target <= 1 ms)\n", "handling + repaint, median", percentile(timer.ms, 0.5));
    std::printf("%-52s %8.3f ms\n", "handling + repaint, 99th percentile", percentile(timer.ms, 0.99));
    dialog.endDialog(0);
    return 0;
}
