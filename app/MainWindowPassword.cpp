// The password gate of the main window: the password screen, the check of
// the entry and the unlock animation.

#include "CJXQ_PCMgrDlg.h"

#include "Fonts.h"
#include "SettingPopup.h"
#include "Skin.h"
#include "SkinButton.h"
#include "StringIds.h"
#include "Strings.h"

#include <QLineEdit>
#include <QPainter>

#include <utility>

namespace kyvo::app {

void CJXQ_PCMgrDlg::setUpPasswordScreen() {
    canvas_.selectPasswordBackground();
    passwordEdit_->setFont(pixelFont(kPasswordEditFontHeight));
    passwordEdit_->setMaxLength(static_cast<int>(kPasswordLength));
    passwordEdit_->show();
    passwordEdit_->setFocus();
    buttons_.at(control::kPasswordOk)->show();
    SkinButton* close = buttons_.at(control::kClose);
    close->move(kPasswordCloseButton.x, kPasswordCloseButton.y);
    close->show();
    // Everything else waits for the main screen.
    for (auto& [id, button] : buttons_)
        if (id != control::kPasswordOk && id != control::kClose)
            button->hide();
}

// The entry is padded to four digits and compared with the stored password.
// A wrong entry ends the program; the right one plays the unlock animation
// and then shows the main screen.
void CJXQ_PCMgrDlg::checkPassword() {
    if (unlocked_ || gate_.unlocking() || ended_)
        return;
    if (!gate_.accepts(passwordEdit_->text().toStdString())) {
        endDialog(1);
        return;
    }
    unlocked_ = true;
    passwordEdit_->hide();
    buttons_.at(control::kPasswordOk)->setEnabled(false);
    // Nine frames, twice over, 100 ms each; the window stays responsive.
    gate_.startUnlock();
    invalidate(Rect::sized(kUnlockAnimation, kUnlockFrameSize));
    unlockTimer_.start(kUnlockFrameMs, this);
}

void CJXQ_PCMgrDlg::advanceUnlockAnimation() {
    if (!gate_.unlocking())
        return;
    if (!gate_.advanceUnlock()) {
        unlockTimer_.stop();
        finishUnlock();
        return;
    }
    invalidate(Rect::sized(kUnlockAnimation, kUnlockFrameSize));
}

void CJXQ_PCMgrDlg::finishUnlock() {
    SkinButton* ok = buttons_.at(control::kPasswordOk);
    ok->hide();
    ok->setEnabled(true);
    canvas_.selectMainBackground();
    const QSize skin = canvas_.skinSize();
    // Centred for a skin of another size; (0, 0) for the standard one.
    const QPoint at((skin.width() - kMainSize.width) / 2, (skin.height() - kMainSize.height) / 2);
    setFixedSize(skin);
    move(at);
    raise();
    windowRect_ = QRect(at, skin);
    settingPopup_->place(windowRect_);
    buttons_.at(control::kClose)->move(kCloseButton.x, kCloseButton.y);
    for (auto& [id, button] : buttons_)
        if (id != control::kPasswordOk)
            button->show();
    invalidateAll();
    if (std::exchange(openPending_, false))
        openSelectedFile();
}

} // namespace kyvo::app
