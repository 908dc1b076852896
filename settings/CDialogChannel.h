#pragma once
// The channel dialog: "1. Channel Selection" ("1 Channel" / "2 Channel") and
// "2. Encryption File View Mode" ("No" / "Yes  ->" with the password "P/W",
// at most eight characters, shown as dots), and the viewer's own "3. Rear
// Picture" ("Beside" / "Swapped" / "Inside"), enabled while "2 Channel" is. Black, with white texts; the
// password edit and the OK button keep their own looks.
//
// The main window runs it modally with the choice in force. OK (or Enter)
// takes the fields through confirmChannelChoice (ChannelChoice.h): a
// password that is no key shows the message and keeps the dialog open;
// otherwise the dialog is accepted and choice() holds the new choice. Escape
// or the window's close leave the choice as it was.
//
// GUI thread only.

#include "ChannelChoice.h"

#include <QDialog>

#include <array>

class QLineEdit;
class QRadioButton;

namespace kyvo {

class SkinButton;

class CDialogChannel : public QDialog {
public:
    explicit CDialogChannel(const settings::ChannelChoice& current, QWidget* parent = nullptr);

    // The choice OK accepted; before that, the one the dialog opened with.
    const settings::ChannelChoice& choice() const { return choice_; }

    // A radio button by its control id (1092, 1093, 1238, 1239, 1251 to
    // 1253), or nullptr.
    QRadioButton* radio(int controlId) const;
    QLineEdit* passwordEdit() const { return password_; }
    SkinButton* okButton() const { return ok_; }

    // OK: takes the fields, or keeps the dialog open after the message.
    void onOk();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    settings::ChannelChoice choice_;
    QRadioButton* oneChannel_ = nullptr;
    QRadioButton* twoChannels_ = nullptr;
    QRadioButton* encryptionNo_ = nullptr;
    QRadioButton* encryptionYes_ = nullptr;
    QLineEdit* password_ = nullptr;
    std::array<QRadioButton*, 3> rearViews_{}; // beside, swapped, inside
    SkinButton* ok_ = nullptr;
};

} // namespace kyvo
