#pragma once
// The viewer's main window: a borderless, fixed-size window painted entirely
// from the skin, with its bitmap buttons, the video area, the map panel, the
// play-list panel and the telemetry gauges. It owns the popups and is the
// target of every notification they and the player send.
//
// Life: the constructor does the window-creation work (display scale, the
// settings popup, the configuration, the skin); initDialog() lays out the
// controls and shows either the password screen or the main screen;
// doModal() runs until the dialog ends. Ending the dialog (close button, a
// wrong password, Alt+F4) runs the shutdown once: the configuration is written
// and every popup destroyed.
//
// GUI thread only. Other threads reach it through postMessage().

#include "MainLayout.h"
#include "PasswordCheck.h"
#include "EventMarks.h"
#include "PlaybackControls.h"
#include "PlayList.h"
#include "Telemetry.h"
#include "AdapterHost.h"
#include "RegistryStore.h"
#include "SkinCanvas.h"
#include "WindowMessage.h"

#include <QBasicTimer>
#include <QPoint>

#include <map>
#include <memory>
#include <string>

class QEventLoop;
class QLineEdit;
class QPushButton;

namespace kyvo {
class SkinButton;
class SettingPopup;
class FilesOpenPopup;
namespace player {
class ROVUAdap;
}
namespace usbtool {
class UsbToolPopup;
}
} // namespace kyvo

namespace kyvo::app {

class CJXQ_PCMgrDlg : public MessageWindow {
public:
    // `store` keeps the configuration; null: the user's store.
    explicit CJXQ_PCMgrDlg(std::unique_ptr<RegistryStore> store = nullptr);
    ~CJXQ_PCMgrDlg() override;

    // Lays out the window (once). doModal() calls it when it has not run yet.
    void initDialog();
    // Shows the window and runs until the dialog ends; answers its result.
    int doModal();
    // Ends the dialog with `result`: shutdown runs once, the window hides.
    void endDialog(int result);

    bool ended() const { return ended_; }
    int result() const { return result_; }
    bool unlocked() const { return unlocked_; }
    bool usePassword() const { return usePassword_ != 0; }
    bool unlockAnimationRunning() const { return unlockFrame_ >= 0; }
    int volumePosition() const { return volumePosition_; }
    double scale() const { return displayScale_; }
    SettingPopup* settingPopup() const { return settingPopup_; }
    SkinButton* button(int controlId) const;
    QLineEdit* passwordEdit() const { return passwordEdit_; }
    const QImage& backBuffer() const { return canvas_.backBuffer(); }

    // A control's command (WM_COMMAND).
    void onCommand(int controlId);

    // Opens the play list's selected recording (the common step of play,
    // next, previous and the automatic advance). Before the password is given
    // it waits.
    void openSelectedFile();
    // Appends recordings to the play list (sorted first when `sorted`).
    void addToPlayList(std::vector<std::u16string> paths, bool sorted);
    const PlayList& playList() const { return playList_; }
    FilesOpenPopup* filesPopup() const { return filesPopup_; }
    usbtool::UsbToolPopup* usbPopup() const { return usbPopup_; }
    // The next file that opens is held at `seconds` of its recording (the
    // last second when it is shorter) as soon as its length is known.
    void holdAtWhenOpened(double seconds) { holdAt_ = seconds; }
    // The play command (also the double click on a row).
    void play();
    player::ROVUAdap* adapter() const { return adapter_.get(); }
    bool playing() const { return playing_; }
    const QString& currentFile() const { return currentFile_; }

protected:
    LResult windowMessage(unsigned message, WParam wParam, LParam lParam) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Window creation and initialisation (MainWindow.cpp).
    void onCreate();
    void createAdapter();
    void readConfiguration();
    void writeConfiguration();
    void createControls();
    void placeControls();
    void showMainScreen();
    void onDestroy();

    // The password gate (MainWindowPassword.cpp).
    void setUpPasswordScreen();
    void checkPassword();
    void advanceUnlockAnimation();
    void finishUnlock();
    void paintPasswordScreen();

    // Painting of the main screen (MainWindowPaint.cpp).
    void paintMainScreen();
    void drawListHeader();
    void drawProgressBar();
    void drawSpeedUnitSign();
    void drawHeadingNeedle();
    void drawSliders();
    void drawSpeedDigits();
    void drawListRows();
    void drawTitle();
    void erasePlayListPanel();
    void drawConnectionNotice();
    void removeConnectionNotice();
    void invalidate(const Rect& rect);

    // Timer 100.
    void onTimer100();

    // Commands (MainWindow.cpp).
    void onClose();
    void onSystemSettings();
    void onOpenFiles();
    void onClearList();
    void onUsbTool();
    LResult onFilesAdd(WParam count, LParam kind);
    void resetPlaybackInterface();
    bool atEndBound() const;
    // Playback controls (MainWindowPlayback.cpp).
    bool settingIdle() const;
    void pause();
    void holdPicture();
    void resumePicture();
    void seekTo(float seconds, bool relative);
    void stop();
    void eraseStoppedRegions();
    void stepFile(bool next);
    LResult onPlayerEnd(LParam lParam);
    void stepSeconds(int seconds);
    void stepFrame();
    void applySpeed();
    void applyVolume();
    void readEventMarks();
    void drawEventMarks();
    void drawTimeTexts();
    void eraseGauges();
    bool controlsPress(int x, int y);
    void controlsDrag(int x);
    void controlsRelease();
    void beginDrag(DragTarget target);
    void setVolumeFromX(int x);
    bool stepKey(int key);
    // Telemetry gauges (MainWindowTelemetry.cpp).
    LResult onPlayerFrame();
    void updateGSensor(double x, double y, double z);
    void drawPositionTexts();
    void refreshSpeedDigits();
    // The play-list panel's part of the mouse (MainWindowInput.cpp).
    bool playListPress(int x, int y);
    void playListDoubleClick(int x, int y);
    void skipBrokenFile();

    std::unique_ptr<RegistryStore> store_;
    SkinCanvas canvas_;
    double displayScale_ = 1.0;
    QRect windowRect_;

    std::map<int, SkinButton*> buttons_; // owned by Qt as children
    QLineEdit* passwordEdit_ = nullptr;
    std::map<int, QPushButton*> hiddenButtons_;
    SettingPopup* settingPopup_ = nullptr; // owned; destroyed at shutdown
    std::unique_ptr<player::AdapterHost> adapterHost_;
    std::unique_ptr<player::ROVUAdap> adapter_; // from creation to shutdown
    QString currentFile_;
    bool openPending_ = false; // a file was to be opened before the password was given
    int brokenInARow_ = 0;     // files refused as no recording since the last that played
    PlayList playList_;
    FilesOpenPopup* filesPopup_ = nullptr; // owned from its first use to shutdown
    usbtool::UsbToolPopup* usbPopup_ = nullptr; // owned from its first use to shutdown
    QString title_;
    // A knob or the list thumb being dragged, and which.
    bool dragInProgress_ = false;
    DragTarget dragTarget_ = DragTarget::Progress;

    // Flags.
    QEventLoop* modalLoop_ = nullptr; // the loop of doModal() while it runs
    bool initialised_ = false;
    bool ended_ = false;
    int result_ = 0;
    bool unlocked_ = false;
    bool playing_ = false;
    // The picture is held: by the pause button, during a progress-knob drag, or
    // by the step keys. The library's pause command toggles, so every command
    // that changes the hold goes through holdPicture(), resumePicture() or
    // seekTo(), which keep this flag equal to the library's state; play and
    // pause then never swap meaning.
    bool paused_ = false;
    bool videoPopupsActive_ = false;
    double holdAt_ = -1; // seconds the next opened file is held at; -1: none
    bool noticeShown_ = false;
    Rect noticeRect_{};

    // Password gate.
    int usePassword_ = 0;
    StoredPassword storedPassword_{};
    int unlockFrame_ = -1; // frame index of the running unlock animation, -1 when idle
    QBasicTimer unlockTimer_;

    // Playback interface state shown on the skin.
    int progressPosition_ = 0;
    int speedPosition_ = 56;
    int speedStep_ = 4;
    int volumePosition_ = 128;

    // Telemetry shown on the gauges.
    RmcFix fix_{};
    SpeedDigits speedDigits_;
    int shownSpeed_ = 0;
    Point headingVector_{0, 0};
    GSensorGraph graph_;
    int frameCounter_ = 0; // frames since the graph last wrapped
    std::vector<EventRecord> eventRecords_;
    bool eventMarksPresent_ = false;

    QBasicTimer timer100_;

    // Dragging the window by its top strip.
    bool draggingWindow_ = false;
    QPoint dragOffset_;
};

} // namespace kyvo::app
