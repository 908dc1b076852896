#pragma once
// The USB management tool: a fixed 427 x 435 window, centred on the desktop,
// whose six tab pages edit the recorder's configuration record and whose
// "Data Transmission" exchanges the record with the recorder over USB.
//
// The record (recorderConfig()) is read from the store when the window is
// created; each page loads from it then and writes it only through its own
// "Save". "Data Transmission" sends a copy of the record on the
// ExchangeRunner's worker thread while the window shows that it is busy (the
// pages and both buttons disabled, an indeterminate progress bar and the wait
// cursor) and keeps handling events. The answer comes back on the GUI
// thread: it replaces the record, a missing recorder is reported, and the
// record is stored whatever happened. The pages are not re-read, so they keep
// showing what they showed. Hiding the window meanwhile is allowed; the
// answer still lands and is stored.
//
// Cancel and the window's close button only hide it; nothing is stored.
// Enter, Escape and F4 (with or without Alt) are swallowed. The left button
// on the window's background drags the window.
//
// GUI thread only; the completion of an exchange only queues work to it.

#include "RecorderConfig.h"
#include "UsbExchange.h"

#include <QPoint>
#include <QWidget>

#include <array>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

class QLabel;
class QProgressBar;
class QPushButton;
class QTabWidget;

namespace kyvo {
class RegistryStore;
}

namespace kyvo::usbtool {

class ExchangeRunner;
class UsbTabPage;

class UsbToolPopup : public QWidget {
public:
    // Tab positions.
    enum Tab : int { kRecorderTab, kRecSetTab, kViewerTab, kDisplayTab, kSettingTab, kEtcTab, kTabCount };

    // `store` keeps the record between runs (null: the user's store); it
    // must outlive the window. `libraryFile` is the USB library to bind
    // (empty: defaultLibusbLibrary()).
    explicit UsbToolPopup(QWidget* parent = nullptr, RegistryStore* store = nullptr, std::string libraryFile = {});
    // Waits for a running exchange; its answer is still taken and stored.
    ~UsbToolPopup() override;

    // The main window hands over its rectangle; the tool does not use it and
    // centres itself on the primary screen's available area.
    void place(const QRect& mainWindowRect);

    bool transmitting() const { return transmitting_; }
    QTabWidget* tabs() const { return tabs_; }
    UsbTabPage* page(int tab) const;
    QPushButton* transmitButton() const { return transmitButton_; }
    QPushButton* cancelButton() const { return cancelButton_; }
    QProgressBar* busyBar() const { return busyBar_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    struct Answer {
        RecorderConfig record;
        ExchangeResult result;
    };

    void buildWindow();
    void readStore();
    void writeStore();
    void transmit();
    void startExchange();
    void takeAnswer();
    void finishTransmission(const Answer& answer);
    void showBusy(bool busy);

    std::unique_ptr<RegistryStore> ownStore_; // when none was given
    RegistryStore* store_ = nullptr;
    std::unique_ptr<ExchangeRunner> runner_;

    QTabWidget* tabs_ = nullptr;
    std::array<UsbTabPage*, kTabCount> pages_{};
    QPushButton* transmitButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QProgressBar* busyBar_ = nullptr;
    QLabel* busyText_ = nullptr;
    bool transmitting_ = false;

    // The answer of the running exchange: written by the worker thread's
    // completion, taken on the GUI thread.
    std::mutex answerMutex_;
    std::optional<Answer> answer_; // guarded by answerMutex_

    // Dragging the window by its background.
    bool dragging_ = false;
    QPoint dragStart_; // pointer position (global) minus the window's position when the drag began
};

} // namespace kyvo::usbtool
