#include "PasswordSetting.h"

#include "Fonts.h"
#include "PasswordEntry.h"
#include "PopupControlIds.h"
#include "PopupLayout.h"
#include "SkinButton.h"
#include "SkinIds.h"
#include "StringIds.h"
#include "Strings.h"
#include "ViewerMessages.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpressionValidator>

namespace kyvo {

namespace {

using namespace settings::popup;

constexpr OwnerDrawnPopup::Frame kFrame{kPasswordSize, kPasswordFill, kSmallTitleFont, kPasswordRuleRight,
                                        kPasswordClose, popup_control::kClose};

QLineEdit* makeEdit(QWidget* parent, layout::Rect at) {
    auto* edit = new QLineEdit(parent);
    edit->setGeometry(at.left, at.top, at.width(), at.height());
    edit->setEchoMode(QLineEdit::Password);
    edit->setMaxLength(static_cast<int>(settings::SystemSettings::kPasswordMaxLength));
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,4}")), edit));
    edit->setFrame(false);
    edit->setFont(pixelFont(kEditFontPixels));
    edit->setStyleSheet(QStringLiteral("QLineEdit { color: white; background: black; border: none; }"));
    edit->setContextMenuPolicy(Qt::NoContextMenu); // no pasting of other text
    return edit;
}

} // namespace

PasswordSetting::PasswordSetting(QWidget* parent) : OwnerDrawnPopup(parent, kFrame) {
    setWindowTitle(QStringLiteral("PasswordSetting"));
    newEdit_ = makeEdit(this, kNewPasswordEdit);
    verifyEdit_ = makeEdit(this, kVerifyPasswordEdit);
    newEdit_->installEventFilter(this);
    verifyEdit_->installEventFilter(this);
    okButton_ = addButton(popup_control::kConfirm, skin::kPopupOkNormal, skin::kPopupOkPressed, kPasswordOk);
    connect(okButton_, &QAbstractButton::clicked, this, [this] { confirm(); });
}

void PasswordSetting::placeAndShow(const QRect& mainWindowRect) {
    placeFrom(mainWindowRect, kPasswordOffset);
    setShown(true);
    newEdit_->setFocus();
}

QString PasswordSetting::title() const {
    return loadString(strings::kPassword);
}

void PasswordSetting::drawContent(QPainter& painter) {
    drawCentredText(painter, kNewPasswordLabelY, loadString(strings::kNewPassword), kLabelFont, kLabelColour);
    drawCentredText(painter, kVerifyPasswordLabelY, loadString(strings::kConfirmPassword), kLabelFont, kLabelColour);
    drawBox(painter, kNewPasswordFrame, kEditFrameColour);
    drawBox(painter, kVerifyPasswordFrame, kEditFrameColour);
}

void PasswordSetting::confirm() {
    const settings::PasswordAnswer result =
        settings::passwordAnswer(newEdit_->text().toStdString(), verifyEdit_->text().toStdString());
    newEdit_->clear();
    verifyEdit_->clear();
    setShown(false);
    answer(result.number, result.accepted ? 1 : 0);
}

void PasswordSetting::onClose() {
    newEdit_->clear();
    verifyEdit_->clear();
    answer(settings::kPasswordCancelled.number, 0);
    setShown(false);
}

void PasswordSetting::answer(WParam number, LParam accepted) {
    if (owner_)
        sendMessage(owner_, WM_PASSWORD_RESULT, number, accepted);
}

// Enter in the second edit is OK; Enter in the first, Escape and F4 do
// nothing (an edit would otherwise pass them on).
bool PasswordSetting::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && watched == verifyEdit_) {
            confirm();
            return true;
        }
        if (isSwallowedPopupKey(key))
            return true;
    }
    return OwnerDrawnPopup::eventFilter(watched, event);
}

} // namespace kyvo
