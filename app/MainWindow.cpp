// The main window's life: creation, initialisation, the message map, the
// commands of its controls and the shutdown.

#include "CJXQ_PCMgrDlg.h"

#include "BackupRunner.h"
#include "Fonts.h"
#include "MainAdapterHost.h"
#include "OrvPlayerAbi.h"
#include "FilesOpenPopup.h"
#include "InfoPopup.h"
#include "ROVUAdap.h"
#include "RegistryStore.h"
#include "SettingPopup.h"
#include "Skin.h"
#include "SkinButton.h"
#include "StringIds.h"
#include "ViewerConfig.h"
#include "MessageBox.h"
#include "ViewerMessages.h"
#include "UsbToolPopup.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QEventLoop>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScreen>

#include <cstdio>

namespace kyvo::app {

// The library sends this one; its header holds the value.
static_assert(static_cast<unsigned>(WM_VIDEO_POPUP_OPEN) == static_cast<unsigned>(orv::kMsgVideoPopupOpen));

namespace {
constexpr int kDialogOk = 1;
constexpr int kDialogCancel = 2;
} // namespace

CJXQ_PCMgrDlg::CJXQ_PCMgrDlg(std::unique_ptr<RegistryStore> store)
    : MessageWindow(nullptr, Qt::Window | Qt::FramelessWindowHint),
      store_(store ? std::move(store) : std::make_unique<RegistryStore>()) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    onCreate();
}

CJXQ_PCMgrDlg::~CJXQ_PCMgrDlg() {
    if (!ended_)
        endDialog(kDialogCancel);
}

// Window creation: display scale, state, the settings popup, the
// configuration and the skin.
void CJXQ_PCMgrDlg::onCreate() {
    displayScale_ = displayScale(this);
    createAdapter();
    adapter_->stepping.store(0);
    settingPopup_ = new SettingPopup(this);
    // A speed unit chosen in the popup shows at once, not only when it closes.
    settingPopup_->setChangeListener([this] {
        for (const Rect& r : GaugePanel::kRegions)
            invalidate(r);
    });
    readConfiguration();
    canvas_.load();
    dirty_ = QRegion(QRect(QPoint(0, 0), canvas_.backBuffer().size()));
}

// The adapter, its video rectangle and the playback library. A library that
// cannot be loaded is not fatal: playback then fails inside the adapter.
void CJXQ_PCMgrDlg::createAdapter() {
    if (adapter_)
        return;
    adapterHost_ = std::make_unique<MainAdapterHost>(this, [this] { endDialog(0); });
    adapter_ = std::make_unique<player::ROVUAdap>(*adapterHost_);
    adapter_->operate(&player::ROVUState::SetVideoRect, 0, static_cast<std::int16_t>(kVideo.left),
                      static_cast<std::int16_t>(kVideo.top), static_cast<std::int16_t>(kVideo.width()),
                      static_cast<std::int16_t>(kVideo.height()));
    adapter_->operate(&player::ROVUState::Load, orv::kLibraryFileName);
    adapter_->current()->Yield(); // a loaded library starts its threads: one more pause for them
}

void CJXQ_PCMgrDlg::readConfiguration() {
    const auto value = store_->read(QString::fromLatin1(kViewerConfigKey), QString::fromLatin1(kViewerConfigValue));
    const QByteArray bytes = value.value_or(QByteArray());
    const ViewerConfigRead config = readViewerConfig(
        std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()), static_cast<std::size_t>(bytes.size())));
    gate_.configure(config.usePassword != 0, config.storedPassword);
    bars_.setVolume(config.volumePosition);
    if (!config.wasEmpty)
        settingPopup_->parseFragment(config.fragment);
    const auto block = config.block.toBytes();
    settingPopup_->loadBlock(block);
}

void CJXQ_PCMgrDlg::writeConfiguration() {
    settings::SystemSettings block{};
    if (settingPopup_)
        block = settings::SystemSettings::fromBytes(settingPopup_->blockBytes());
    const std::string text =
        buildViewerConfig(block, bars_.volume(), settingPopup_ ? &settingPopup_->store() : nullptr);
    store_->write(QString::fromLatin1(kViewerConfigKey), QString::fromLatin1(kViewerConfigValue),
                  QByteArray(text.data(), static_cast<qsizetype>(text.size())));
}

void CJXQ_PCMgrDlg::initDialog() {
    if (initialised_)
        return;
    initialised_ = true;
    setWindowTitle(QStringLiteral("Kyvo Viewer"));
    setWindowIcon(QIcon(QPixmap::fromImage(skinImage(bitmap::kAppIcon))));

    const QSize skin = canvas_.skinSize();
    windowRect_ = QRect(QPoint(0, 0), skin);
    setFixedSize(kPasswordSize.width, kPasswordSize.height);

    // One channel, general view mode.
    adapter_->channelMode.store(1);
    adapter_->encryptedViewMode.store(0);
    restoreChannelChoice(); // unless the channel dialog chose otherwise in an earlier run

    createControls();
    placeControls();
    writeMapPage();

    if (gate_.asked()) {
        setUpPasswordScreen();
        if (const QScreen* screen = this->screen())
            move(screen->availableGeometry().center() - rect().center());
    } else {
        showMainScreen();
    }
    timer100_.start(kTimer100PeriodMs, this);
}

void CJXQ_PCMgrDlg::createControls() {
    for (const BitmapButtonSpec& entry : kBitmapButtons) {
        auto* button = new SkinButton(entry.id, this);
        button->loadBitmaps(entry.normalImage, entry.pressedImage);
        button->sizeToContent();
        const int id = entry.id;
        connect(button, &QAbstractButton::clicked, this, [this, id] { onCommand(id); });
        buttons_[entry.id] = button;
    }
    for (const PushButtonSpec& entry : kHiddenStepButtons) {
        auto* button = new QPushButton(QString::fromLatin1(entry.text), this);
        button->hide();
        const int id = entry.id;
        connect(button, &QPushButton::clicked, this, [this, id] { onCommand(id); });
        hiddenButtons_[entry.id] = button;
    }

    passwordEdit_ = new QLineEdit(this);
    passwordEdit_->setObjectName(QStringLiteral("passwordEdit"));
    passwordEdit_->setEchoMode(QLineEdit::Password);
    passwordEdit_->setMaxLength(static_cast<int>(kPasswordLength));
    passwordEdit_->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,4}")),
                                                                passwordEdit_));
    passwordEdit_->setFrame(false);
    passwordEdit_->setStyleSheet(QStringLiteral("QLineEdit { color: #FFFFFF; background: #000000; border: none; }"));
    passwordEdit_->hide();
    passwordEdit_->installEventFilter(this);
    qApp->installEventFilter(this);
}

void CJXQ_PCMgrDlg::placeControls() {
    for (const BitmapButtonSpec& entry : kBitmapButtons)
        buttons_.at(entry.id)->move(entry.place.x, entry.place.y);
    for (const PushButtonSpec& entry : kHiddenStepButtons)
        hiddenButtons_.at(entry.id)->setGeometry(toQRect(entry.rect));
    // The edit sits inset inside its frame.
    const Rect& f = kPasswordEditFrame;
    passwordEdit_->setGeometry(f.left + 5, f.top + 5, f.width() - 5, f.height() - 7);
    buttons_.at(control::kPasswordOk)->raise();
}

// Without a password, or after the right one: the whole skin at (0, 0).
void CJXQ_PCMgrDlg::showMainScreen() {
    const QSize skin = canvas_.skinSize();
    setFixedSize(skin);
    move(0, 0);
    windowRect_ = QRect(QPoint(0, 0), skin);
    settingPopup_->place(windowRect_);
    buttons_.at(control::kClose)->move(kCloseButton.x, kCloseButton.y);
    passwordEdit_->hide();
    buttons_.at(control::kPasswordOk)->hide();
    for (auto& [id, button] : buttons_)
        if (id != control::kPasswordOk)
            button->show();
    canvas_.selectMainBackground();
    unlocked_ = true;
    invalidateAll();
}

SkinButton* CJXQ_PCMgrDlg::button(int controlId) const {
    const auto it = buttons_.find(controlId);
    return it == buttons_.end() ? nullptr : it->second;
}

int CJXQ_PCMgrDlg::doModal() {
    initDialog();
    show();
    if (gate_.asked() && passwordEdit_->isVisible())
        passwordEdit_->setFocus();
    if (!ended_) {
        QEventLoop loop;
        modalLoop_ = &loop;
        loop.exec();
        modalLoop_ = nullptr;
    }
    return result_;
}

void CJXQ_PCMgrDlg::endDialog(int result) {
    if (ended_)
        return;
    ended_ = true;
    result_ = result;
    onDestroy();
    hide();
    if (modalLoop_)
        modalLoop_->quit();
}

// Shutdown: stop the timers, write the configuration, destroy the popups.
void CJXQ_PCMgrDlg::onDestroy() {
    timer100_.stop();
    unlockTimer_.stop();
    qApp->removeEventFilter(this);
    mapView_.reset();
    backup_.reset(); // cancels a running copy and joins its worker
    restoreVolumeAfterBackup();
    if (settingPopup_)
        settingPopup_->stopCapture(); // the worker reads the adapter's library
    // The adapter ends its player and threads before anything they use goes.
    adapter_.reset();
    adapterHost_.reset();
    destroyVideoPopups();
    if (filesPopup_)
        filesPopup_->shutDown();
    playing_ = false;
    writeConfiguration();
    delete settingPopup_;
    settingPopup_ = nullptr;
    delete infoPopup_;
    infoPopup_ = nullptr;
    listPanel_.list().clear();
    delete filesPopup_;
    filesPopup_ = nullptr;
    delete usbPopup_; // waits for an exchange still running
    usbPopup_ = nullptr;
}

LResult CJXQ_PCMgrDlg::windowMessage(unsigned message, WParam wParam, LParam lParam) {
    switch (message) {
    case WM_FILES_POPUP_CLOSED:
        if (wParam == 1 && filesPopup_)
            filesPopup_->setShown(false);
        return 0;
    case WM_FILES_ADD:
        return onFilesAdd(wParam, lParam);
    case WM_PLAYER_FRAME:
        return onPlayerFrame();
    case WM_PLAYER_END:
        return onPlayerEnd(lParam);
    case WM_POPUP_DONE:
        onPopupDone(wParam, lParam);
        return 0;
    case WM_BACKUP_REQUEST:
        return onBackupRequest();
    case WM_VIDEO_POPUP_OPEN:
    case WM_POPUP_CLOSED:
        return onVideoPopupMessage(message, wParam);
    default:
        return MessageWindow::windowMessage(message, wParam, lParam);
    }
}

void CJXQ_PCMgrDlg::onCommand(int controlId) {
    if (ended_)
        return;
    switch (controlId) {
    case control::kMinimise:
        showMinimized();
        break;
    case control::kClose:
        onClose();
        break;
    case control::kPasswordOk:
        checkPassword();
        break;
    case control::kSetting:
        onSystemSettings();
        break;
    case control::kPlay:
        play();
        break;
    case control::kPause:
        pause();
        break;
    case control::kStop:
        stop();
        break;
    case control::kPrevFile:
        stepFile(false);
        break;
    case control::kNextFile:
        stepFile(true);
        break;
    case control::kForwardSeek:
        stepSeconds(1);
        break;
    case control::kBackSeek:
        stepSeconds(-1);
        break;
    case control::kFrameStep:
        stepFrame();
        break;
    case control::kOpenFiles:
        onOpenFiles();
        break;
    case control::kClearList:
        onClearList();
        break;
    case control::kUsb:
        onUsbTool();
        break;
    case control::kInfo:
        onInfo();
        break;
    case control::kSave:
        onSave();
        break;
    case control::kCapture:
        onCapture();
        break;
    case control::kPrint:
        onPrint();
        break;
    case control::kChannel:
        onChannelDialog();
        break;
    default:
        // Playback and play list commands are handled by their own parts of
        // the window.
        break;
    }
}

void CJXQ_PCMgrDlg::onClose() {
    if (settingPopup_ && !settingPopup_->idle())
        return;
    timer100_.stop();
    stop();
    endDialog(kDialogOk);
}

// The system settings: playback holds while the popup is open; closing it
// resumes (WM_POPUP_DONE).
void CJXQ_PCMgrDlg::onSystemSettings() {
    if (!settingPopup_ || !settingPopup_->idle())
        return;
    createAdapter();
    pause();
    settingPopup_->setMode(PopupMode::SystemSettingsMode);
    settingPopup_->place(windowRect_);
    settingPopup_->layOut();
    settingPopup_->setShown(true);
    updateMapShown();
}

// The settings popup closed: the map comes back and playback resumes, or
// holds when it was running. After thirty stills the picture goes back to
// the second the capture began and plays on (the seek resumes it: nothing
// holds it for steps). The speed unit may have changed.
void CJXQ_PCMgrDlg::onPopupDone(WParam thirty, LParam captured) {
    updateMapShown();
    if (thirty == 1 && captured != 0 && adapter_ && playing_) {
        savedPosition_ = std::max(savedPosition_ - 1, 0);
        adapter_->stepping.store(0);
        seekTo(static_cast<float>(savedPosition_), false);
        paused_ = false;
    } else if (paused_) {
        play();
    } else {
        pause();
    }
    for (const Rect& r : GaugePanel::kRegions)
        invalidate(r);
}

// The information popup, created on first use.
void CJXQ_PCMgrDlg::onInfo() {
    if (!infoPopup_)
        infoPopup_ = new InfoPopup(this);
    infoPopup_->place(windowRect_);
    infoPopup_->setShown(true);
}

// The USB tool is created on first use, sharing the window's store; later
// uses show it again where the user left it.
void CJXQ_PCMgrDlg::onUsbTool() {
    if (!usbPopup_) {
        usbPopup_ = new usbtool::UsbToolPopup(this, store_.get());
        usbPopup_->place(windowRect_);
    }
    usbPopup_->show();
    usbPopup_->raise();
    usbPopup_->activateWindow();
}

void CJXQ_PCMgrDlg::timerEvent(QTimerEvent* event) {
    if (event->timerId() == timer100_.timerId())
        onTimer100();
    else if (event->timerId() == unlockTimer_.timerId())
        advanceUnlockAnimation();
    else
        MessageWindow::timerEvent(event);
}

// Alt+F4 or the window manager's close: the dialog's cancel.
void CJXQ_PCMgrDlg::closeEvent(QCloseEvent* event) {
    endDialog(kDialogCancel);
    event->accept();
}

} // namespace kyvo::app
