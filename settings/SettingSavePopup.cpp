#include "SettingSavePopup.h"

#include "FolderText.h"
#include "MessageBox.h"
#include "PopupControlIds.h"
#include "PopupLayout.h"
#include "SkinButton.h"
#include "SkinIds.h"
#include "StringIds.h"
#include "Strings.h"
#include "SystemSettingsStore.h"
#include "ViewerMessages.h"

namespace kyvo {

namespace {

using namespace settings::popup;

constexpr OwnerDrawnPopup::Frame kFrame{kSaveSize, kFill, kSmallTitleFont, kSaveRuleRight, kSaveClose,
                                        popup_control::kClose};

} // namespace

SettingSavePopup::SettingSavePopup(QWidget* parent, settings::SystemSettingsStore& store)
    : OwnerDrawnPopup(parent, kFrame), store_(store) {
    setWindowTitle(QStringLiteral("SettingSavePopup"));
    folderButton_ = addButton(popup_control::kChooseFolder, skin::kFolderChooserNormal, skin::kFolderChooserPressed,
                              kSaveFolderChooser);
    okButton_ = addButton(popup_control::kConfirm, skin::kPopupOkNormal, skin::kPopupOkPressed, kSaveOk);
    exitButton_ = addButton(popup_control::kExit, skin::kPopupExitNormal, skin::kPopupExitPressed, kSaveExit);
    connect(folderButton_, &QAbstractButton::clicked, this, [this] { chooseFolder(); });
    connect(okButton_, &QAbstractButton::clicked, this, [this] { confirm(); });
    connect(exitButton_, &QAbstractButton::clicked, this, [this] { setShown(false); });
}

QString SettingSavePopup::title() const {
    return loadString(strings::kSave);
}

void SettingSavePopup::drawContent(QPainter& painter) {
    drawText(painter, kSaveFolderLabelAt, loadString(strings::kSaveFolder), kTextFont, kLabelColour);
    drawBox(painter, kSaveFolderBox, kBorder);
    drawText(painter, {kSaveFolderTextAt.x, kSaveFolderTextAt.y + 3},
             QString::fromStdString(settings::folderBoxText(store_.cardDrive())), kTextFont, kValueColour);
    setToolTip(QString::fromStdString(store_.cardDrive()));
}

void SettingSavePopup::confirm() {
    if (store_.cardDrive().empty()) {
        messageBox(this, strings::kChooseFolder, MessageIcon::Warning);
        return;
    }
    setShown(false);
    if (owner_)
        sendMessage(owner_, WM_CARD_SETTINGS_WRITE);
}

// The card is a mounted folder here, kept whole: the file is written into it.
void SettingSavePopup::chooseFolder() {
    if (const auto folder = browseFolder(store_.cardDrive())) {
        store_.setCardDrive(*folder);
        redraw();
    }
}

} // namespace kyvo
