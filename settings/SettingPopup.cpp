#include "SettingPopup.h"

#include "LayoutPainting.h"
#include "MessageBox.h"
#include "PasswordEntry.h"
#include "PasswordSetting.h"
#include "PopupControlIds.h"
#include "PopupLayout.h"
#include "SettingSavePopup.h"
#include "SkinButton.h"
#include "SkinIds.h"
#include "StringIds.h"
#include "Strings.h"
#include "ViewerMessages.h"

#include <QMouseEvent>

namespace kyvo {

namespace {

using namespace settings::popup;

constexpr OwnerDrawnPopup::Frame kFrame{kSettingSize, kFill, kTitleFont, kSettingRuleRight, kSettingClose,
                                        popup_control::kClose};

} // namespace

SettingPopup::SettingPopup(QWidget* mainWindow) : OwnerDrawnPopup(mainWindow, kFrame), mainWindow_(mainWindow) {
    setWindowTitle(QStringLiteral("SettingPopup"));
    folderButton_ = addButton(popup_control::kChooseFolder, skin::kFolderChooserNormal, skin::kFolderChooserPressed,
                              kFolderChooser);
    confirmButton_ = addButton(popup_control::kConfirm, skin::kPopupOkNormal, skin::kPopupOkPressed, kConfirm);
    exitButton_ = addButton(popup_control::kExit, skin::kPopupExitNormal, skin::kPopupExitPressed, kExit);
    connect(folderButton_, &QAbstractButton::clicked, this, [this] { chooseFolder(); });
    connect(confirmButton_, &QAbstractButton::clicked, this, [this] { confirm(); });
    connect(exitButton_, &QAbstractButton::clicked, this, [this] { exitPopup(); });
    savePopup_ = new SettingSavePopup(mainWindow, store_);
    passwordPopup_ = new PasswordSetting(mainWindow);
}

SettingPopup::~SettingPopup() {
    capture_.stop();
    delete savePopup_;
    delete passwordPopup_;
}

void SettingPopup::place(const QRect& mainWindowRect) {
    mainRect_ = mainWindowRect;
}

void SettingPopup::layOut() {
    placeFrom(mainRect_, kSettingOffset);
    const bool folderMode = mode() == PopupMode::ImageCapture || mode() == PopupMode::Backup;
    folderButton_->setVisible(folderMode);
    if (mode() == PopupMode::ImageCapture)
        confirmButton_->loadBitmaps(skin::kCaptureConfirmNormal, skin::kCaptureConfirmPressed);
    else
        confirmButton_->loadBitmaps(skin::kPopupOkNormal, skin::kPopupOkPressed);
    confirmButton_->setGeometry(toQRect(kConfirm));
    exitButton_->setGeometry(toQRect(kExit));
    redraw();
}

void SettingPopup::showResult(int which) {
    static constexpr int kResults[] = {strings::kCaptureDone, strings::kBackupDone, strings::kPasswordMismatch};
    if (which >= 1 && which <= 3)
        messageBox(this, kResults[which - 1], which == 3 ? MessageIcon::Warning : MessageIcon::Information);
}

void SettingPopup::loadBlock(std::span<const std::uint8_t> block) {
    store_.loadBlock(block);
}

std::array<std::uint8_t, settings::SystemSettings::kSize> SettingPopup::blockBytes() {
    return store_.handOut().toBytes();
}

std::string SettingPopup::buildFragment(std::size_t maxBytes) {
    return store_.buildFragment(maxBytes);
}

void SettingPopup::parseFragment(std::string_view fragment) {
    store_.parseFragment(fragment);
}

int SettingPopup::speedUnit() const {
    return store_.live().speedUnit();
}

bool SettingPopup::childShown() const {
    return savePopup_->shown() || passwordPopup_->shown();
}

std::string SettingPopup::modeFolder() const {
    return mode() == PopupMode::Backup ? store_.backupFolder() : store_.captureFolder();
}

LResult SettingPopup::windowMessage(unsigned message, WParam wParam, LParam lParam) {
    switch (message) {
    case WM_CARD_SETTINGS_WRITE:
        writeCardSettings();
        return 1;
    case WM_PASSWORD_RESULT:
        takePasswordAnswer(wParam, lParam);
        return 1;
    default:
        return MessageWindow::windowMessage(message, wParam, lParam);
    }
}

void SettingPopup::confirm() {
    switch (state_.confirm(childShown(), capturing(), store_)) {
    case settings::ConfirmAction::Ignore:
        return;
    case settings::ConfirmAction::StartCapture:
        startCapture();
        return;
    case settings::ConfirmAction::RequestBackup:
        state_.reset();
        setShown(false);
        sendMessage(mainWindow_, WM_BACKUP_REQUEST, 1, 0);
        return;
    case settings::ConfirmAction::OpenCardSave:
        savePopup_->setOwner(this);
        savePopup_->placeFrom(mainRect_, kSaveOffset);
        savePopup_->setShown(true);
        return;
    }
}

void SettingPopup::exitPopup() {
    const settings::ExitAction action = state_.exit(childShown(), capturing(), store_);
    if (action.kind == settings::ExitAction::Ignore)
        return;
    setShown(false);
    if (action.kind == settings::ExitAction::NotifyDone)
        sendMessage(mainWindow_, WM_POPUP_DONE, action.wParam, action.lParam);
}

void SettingPopup::setCaptureSource(std::shared_ptr<capture::CaptureSource> source, std::string recording) {
    captureSource_ = std::move(source);
    captureRecording_ = std::move(recording);
}

void SettingPopup::startCapture() {
    capture::CaptureRequest request;
    request.folder = store_.captureFolder();
    request.recording = captureRecording_;
    request.thirty = state_.thirtyImages();
    captureCount_ = 0;
    captureTotal_ = 0;
    const bool started = capture_.start(
        captureSource_, request, this,
        [this](int count, int total) {
            captureCount_ = count;
            captureTotal_ = total;
            redraw();
        },
        [this](const capture::CaptureReport& report) { captureFinished(report); });
    showingProgress_ = started;
    if (started)
        redraw();
}

void SettingPopup::captureFinished(const capture::CaptureReport& report) {
    if (report.written > 0)
        state_.markCaptured();
    showingProgress_ = false;
    redraw();
    switch (report.ending) {
    case capture::CaptureReport::NoFolder: messageBox(this, strings::kChooseFolder); return;
    case capture::CaptureReport::NoPicture: messageBox(this, strings::kCaptureNoPicture, MessageIcon::Warning); return;
    case capture::CaptureReport::StepTimedOut:
        messageBox(this, loadString(strings::kCaptureStepTimedOut).arg(report.written), MessageIcon::Warning);
        return;
    case capture::CaptureReport::Stopped: return;
    case capture::CaptureReport::Done: break;
    }
    if (report.failed > 0)
        messageBox(this, loadString(strings::kCaptureWriteFailed).arg(report.failed).arg(report.written),
                   MessageIcon::Warning);
    else
        showResult(1);
}

void SettingPopup::chooseFolder() {
    const auto folder = browseFolder(modeFolder());
    if (!folder)
        return;
    if (mode() == PopupMode::Backup)
        store_.setBackupFolder(*folder);
    else
        store_.setCaptureFolder(*folder);
    redraw();
}

void SettingPopup::writeCardSettings() {
    // A card file that cannot be written would leave the recorder with its old
    // settings while the user believes them changed: say so either way.
    if (store_.writeCardSettings())
        messageBox(this, strings::kCardFileWritten, MessageIcon::Information);
    else
        messageBox(this, strings::kCardFileWriteFailed, MessageIcon::Warning);
}

void SettingPopup::takePasswordAnswer(WParam number, LParam accepted) {
    if (settings::applyPasswordAnswer(store_.live(), {number, accepted != 0}))
        showResult(3);
    redraw();
}

void SettingPopup::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint at = event->position().toPoint();
    const settings::PressOutcome outcome = state_.press(at.x(), at.y(), store_);
    if (outcome.passwordPopup == settings::PasswordPopupChange::Show) {
        passwordPopup_->setOwner(this);
        passwordPopup_->placeAndShow(mainRect_);
    } else if (outcome.passwordPopup == settings::PasswordPopupChange::Hide) {
        passwordPopup_->setShown(false);
    }
    if (outcome.repaint) {
        redraw();
        if (changed_)
            changed_();
    }
}

void SettingPopup::mouseMoveEvent(QMouseEvent* event) {
    if (state_.drag(event->position().toPoint().x(), store_))
        redraw();
}

void SettingPopup::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        state_.release();
}

} // namespace kyvo
