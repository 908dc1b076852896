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
// The screen is drawn by parts, each owning its state and painting into the
// back buffer: the bars (PlaybackBars), the gauges (GaugePanel), the play
// list and title (PlayListPanel), the map panel (MapPanel) and the password
// screen (PasswordGate). The window translates input and messages into
// changes of the parts and the adapter, and marks what changed with
// invalidate(). Painting happens in one phase: before the window system
// repaints, compose() draws the background and the parts that meet the
// marked region into the back buffer; paintEvent() only copies the back
// buffer to the screen.
//
// GUI thread only. Other threads reach it through postMessage().

#include "AdapterHost.h"
#include "BackupCopy.h"
#include "ChannelChoice.h"
#include "PrintJob.h"
#include "MainLayout.h"
#include "RegistryStore.h"
#include "SkinCanvas.h"
#include "WindowMessage.h"
#include "map/MapView.h"
#include "parts/GaugePanel.h"
#include "parts/MapPanel.h"
#include "parts/PasswordGate.h"
#include "parts/PlayListPanel.h"
#include "parts/PlaybackBars.h"

#include <QBasicTimer>
#include <QPoint>
#include <QRegion>

#include <atomic>
#include <filesystem>
#include <map>
#include <memory>
#include <string>

class QEventLoop;
class QPrinter;
class QLineEdit;
class QPushButton;

namespace kyvo {
class SkinButton;
class SettingPopup;
class InfoPopup;
class FilesOpenPopup;
namespace player {
class ROVUAdap;
}
namespace usbtool {
class UsbToolPopup;
}
} // namespace kyvo

namespace kyvo::app {

class BackupRunner;
class MainVideoPopups;

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
    bool usePassword() const { return gate_.asked(); }
    bool unlockAnimationRunning() const { return gate_.unlocking(); }
    int volumePosition() const { return bars_.volume(); }
    double scale() const { return displayScale_; }
    SettingPopup* settingPopup() const { return settingPopup_; }
    InfoPopup* infoPopup() const { return infoPopup_; }
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
    const PlayList& playList() const { return listPanel_.list(); }
    FilesOpenPopup* filesPopup() const { return filesPopup_; }
    usbtool::UsbToolPopup* usbPopup() const { return usbPopup_; }
    BackupRunner* backupRunner() const { return backup_.get(); }
    // The next file that opens is held at `seconds` of its recording (the
    // last second when it is shorter) as soon as its length is known.
    void holdAtWhenOpened(double seconds) { holdAt_ = seconds; }
    // The play command (also the double click on a row).
    void play();
    player::ROVUAdap* adapter() const { return adapter_.get(); }
    bool playing() const { return playing_; }
    const QString& currentFile() const { return currentFile_; }
    // The map view over the map panel; null until a recording opened with a
    // connection, and in programs without one.
    MapView* mapView() const { return mapView_.get(); }
    // The channel dialog's choice in force, and taking a new one: it reaches
    // the adapter before the next file loads and is kept for the next run
    // (MainWindowChannel.cpp).
    const settings::ChannelChoice& channelChoice() const { return channelChoice_; }
    void takeChannelChoice(const settings::ChannelChoice& choice);
    // The enlarged video popups; null until the library first asked for one.
    MainVideoPopups* videoPopups() const { return videoPopups_; }

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
    // Window creation, the message map, commands and shutdown (MainWindow.cpp).
    void onCreate();
    void createAdapter();
    void readConfiguration();
    void writeConfiguration();
    void createControls();
    void placeControls();
    void showMainScreen();
    void onDestroy();
    void onClose();
    void onSystemSettings();
    void onPopupDone(WParam thirty, LParam captured);
    void onInfo();
    void onUsbTool();

    // Printing (MainWindowPrint.cpp).
    void onPrint();
    QImage pictureOnScreen();
    PrintTexts printTexts() const;

    // Still capture and the backup copy (MainWindowBackup.cpp).
    void onCapture();
    bool captureRunning() const;
    void onSave();
    LResult onBackupRequest();
    void onBackupFinished(CopyResult result);
    void restoreVolumeAfterBackup();

    // The password gate (MainWindowPassword.cpp).
    void setUpPasswordScreen();
    void checkPassword();
    void advanceUnlockAnimation();
    void finishUnlock();

    // The map panel (MainWindowMap.cpp).
    void writeMapPage();
    void openMap();
    void pushPosition(bool online);
    void updateMapShown();

    // The enlarged video popups (MainWindowVideo.cpp).
    LResult onVideoPopupMessage(unsigned message, WParam wParam);
    void destroyVideoPopups();

    // The channel dialog and the encrypted view mode (MainWindowChannel.cpp).
    void onChannelDialog();
    void restoreChannelChoice();
    void applyChannelChoice();
    void refuseWrongKey();

    // Composing the back buffer and repainting (MainWindowPaint.cpp).
    void compose();
    void invalidate(const Rect& rect);
    void invalidateAll();
    void onTimer100();

    // Playback (MainWindowPlayback.cpp).
    bool settingIdle() const;
    void pause();
    void holdPicture();
    void resumePicture();
    void seekTo(float seconds, bool relative);
    void stop();
    void endPlayback();
    void eraseStoppedRegions();
    void resetPlaybackInterface();
    bool atEndBound() const;
    void stepFile(bool next);
    LResult onPlayerEnd(LParam lParam);
    LResult onPlayerFrame();
    void stepSeconds(int seconds);
    void stepFrame();
    void applySpeed();
    void applyVolume();
    bool stepKey(int key);
    // The bars under the mouse (MainWindowBars.cpp).
    bool controlsPress(int x, int y);
    void controlsDrag(int x);
    void controlsRelease();
    void beginDrag(DragTarget target);
    void setVolumeFromX(int x);
    // The play list and opening files (MainWindowPlayList.cpp).
    void onOpenFiles();
    void onClearList();
    LResult onFilesAdd(WParam count, LParam kind);
    void readEventMarks();
    void exportTrip(); // MainWindowTrip.cpp
    std::string rearPictureOf(const std::string& front);
    void skipBrokenFile();
    bool playListPress(int x, int y);
    void playListDoubleClick(int x, int y);

    std::unique_ptr<RegistryStore> store_;
    SkinCanvas canvas_;
    QRegion dirty_;         // marked since the last compose; all of it at first
    double displayScale_ = 1.0;
    QRect windowRect_;

    // The parts of the screen.
    PlaybackBars bars_;
    GaugePanel gauges_;
    PlayListPanel listPanel_;
    MapPanel map_;
    std::unique_ptr<MapView> mapView_; // from the first opening with a connection to shutdown
    std::filesystem::path mapPageFolder_; // where writeMapPage put or found the page
    bool mapActive_ = false;           // a recording is open in the map view
    PasswordGate gate_;

    std::map<int, SkinButton*> buttons_; // owned by Qt as children
    QLineEdit* passwordEdit_ = nullptr;
    std::map<int, QPushButton*> hiddenButtons_;
    SettingPopup* settingPopup_ = nullptr; // owned; destroyed at shutdown
    InfoPopup* infoPopup_ = nullptr;       // owned from its first use to shutdown
    std::unique_ptr<BackupRunner> backup_; // from the first backup; ended before the adapter at shutdown
    int volumeBeforeBackup_ = -1;          // the volume to restore after a backup; -1: none muted
    int savedPosition_ = 0;                // DisplaySecond() when a capture began
    std::unique_ptr<QPrinter> printer_;    // from the first print-out: the printer chosen last
    // A frame of the current file has been shown. Read by the capture worker.
    std::atomic<bool> frameShown_{false};
    std::unique_ptr<player::AdapterHost> adapterHost_;
    std::unique_ptr<player::ROVUAdap> adapter_; // from creation to shutdown
    QString currentFile_;
    bool openPending_ = false; // a file was to be opened before the password was given
    int brokenInARow_ = 0;     // files refused as no recording since the last that played
    settings::ChannelChoice channelChoice_; // the channel dialog's, kept between runs
    FilesOpenPopup* filesPopup_ = nullptr; // owned from its first use to shutdown
    usbtool::UsbToolPopup* usbPopup_ = nullptr; // owned from its first use to shutdown
    MainVideoPopups* videoPopups_ = nullptr;     // owned from the first enlarged view to shutdown
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

    QBasicTimer timer100_;
    QBasicTimer unlockTimer_;

    // Dragging the window by its top strip.
    bool draggingWindow_ = false;
    QPoint dragOffset_;
};

} // namespace kyvo::app
