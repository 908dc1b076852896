#pragma once
// The card-file popup of the system settings: the folder where the
// recorder's memory card is mounted, chosen with the folder browser, and OK,
// which has the owner (the settings popup) write "jxq_config.dat" there
// through WM_CARD_SETTINGS_WRITE. Exit and close only hide it. OK without a
// card folder asks for one (string 111) and stays open: the file would
// otherwise land in whatever the working folder happens to be.
//
// The card folder lives in the settings store, which the settings popup
// owns and which outlives this popup.
//
// GUI thread only.

#include "OwnerDrawnPopup.h"

namespace kyvo {

namespace settings {
class SystemSettingsStore;
}
class SkinButton;

class SettingSavePopup : public OwnerDrawnPopup {
public:
    SettingSavePopup(QWidget* parent, settings::SystemSettingsStore& store);

    void setOwner(QObject* owner) { owner_ = owner; }
    SkinButton* okButton() const { return okButton_; }
    SkinButton* exitButton() const { return exitButton_; }
    SkinButton* folderButton() const { return folderButton_; }

protected:
    QString title() const override;
    void drawContent(QPainter& painter) override;
    void onClose() override { setShown(false); }

private:
    void confirm();
    void chooseFolder();

    settings::SystemSettingsStore& store_;
    QObject* owner_ = nullptr;
    SkinButton* okButton_ = nullptr;
    SkinButton* exitButton_ = nullptr;
    SkinButton* folderButton_ = nullptr;
};

} // namespace kyvo
