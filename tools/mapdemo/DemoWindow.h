#pragma once
// The demo's window: the map library's window as a child (800 x 600) and a
// row of controls under it (Play, Pause, Clear, the speed, "Open recording..."
// and the replay's status). A timer on the GUI thread sends every fix that
// has become due to the map window as a position message.
//
// The map window keeps the keyboard focus (none of the controls takes it), so
// P / F1 (screenshot) and Esc (close the map) reach it.

#include "CGISViewerFrame.h"
#include "DemoReplay.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QStringList>
#include <QTimer>
#include <QWidget>

class QAbstractButton;
class QButtonGroup;
class QLabel;
class QPushButton;

namespace kyvo::mapdemo {

class DemoWindow : public QWidget {
public:
    // Opens the map window on `mapFolder` (checked by the caller) at `speed`.
    DemoWindow(const QString& mapFolder, int speed);
    ~DemoWindow() override;
    DemoWindow(const DemoWindow&) = delete;
    DemoWindow& operator=(const DemoWindow&) = delete;

    // Takes the drive of these recordings (already read, in order): clears
    // the map's track, starts from the first fix and plays.
    void startDrive(ReplayTrack track, const QStringList& names);

    void play();
    void pause();
    // Clears the map's track and starts the drive again from its first fix.
    void clear();
    void setSpeed(int speed);

    // The map window while it exists (Esc closes it), otherwise null.
    QWidget* mapWindow();
    const Replay& replay() const { return replay_; }

private:
    void buildControls();
    double now() const;
    // Sends the fixes that are due; notices when the map window has gone.
    void tick();
    void sendClear();
    void openRecordings();
    void updateStatus();
    void keepMapFocus();

    CGISViewerFrame frame_;
    QByteArray mapFolder_; // kept alive: the map library reads it while opening
    ReplayTrack track_;
    Replay replay_;
    QStringList names_;
    bool mapGone_ = false;

    QElapsedTimer clock_;
    QTimer timer_;
    QWidget* mapArea_ = nullptr;
    QLabel* closedNote_ = nullptr;
    QPushButton* playButton_ = nullptr;
    QPushButton* pauseButton_ = nullptr;
    QPushButton* clearButton_ = nullptr;
    QPushButton* openButton_ = nullptr;
    QButtonGroup* speedGroup_ = nullptr;
    QLabel* status_ = nullptr;
};

} // namespace kyvo::mapdemo
