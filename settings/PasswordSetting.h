#pragma once
// The password popup: the new password typed twice into two masked edits
// that take at most four digits. OK (or Enter in the second edit) hides the
// popup and answers WM_PASSWORD_RESULT (number, accepted) to its owner:
// (n, 1) when both entries are equal and not empty, (1, 0) otherwise. The
// close button answers (0, 0). Both edits are cleared either way.
//
// GUI thread only.

#include "OwnerDrawnPopup.h"

class QLineEdit;

namespace kyvo {

class SkinButton;

class PasswordSetting : public OwnerDrawnPopup {
public:
    explicit PasswordSetting(QWidget* parent);

    void setOwner(QObject* owner) { owner_ = owner; }
    // Places the popup over the main window's rectangle, shows it on top and
    // puts the focus into the first edit.
    void placeAndShow(const QRect& mainWindowRect);

    QLineEdit* newPasswordEdit() const { return newEdit_; }
    QLineEdit* verifyPasswordEdit() const { return verifyEdit_; }
    SkinButton* okButton() const { return okButton_; }

protected:
    QString title() const override;
    void drawContent(QPainter& painter) override;
    void onClose() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void confirm();
    void answer(WParam number, LParam accepted);

    QObject* owner_ = nullptr;
    QLineEdit* newEdit_ = nullptr;
    QLineEdit* verifyEdit_ = nullptr;
    SkinButton* okButton_ = nullptr;
};

} // namespace kyvo
