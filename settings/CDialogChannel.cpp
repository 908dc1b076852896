#include "CDialogChannel.h"

#include "Fonts.h"
#include "LayoutPainting.h"
#include "MessageBox.h"
#include "SkinButton.h"
#include "SkinIds.h"
#include "StringIds.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace kyvo {

namespace cd = settings::channel_dialog;

namespace {

// The group box places its children in its own coordinates; the layout
// table gives dialog coordinates.
QRect inside(const layout::Rect& group, const layout::Rect& rect) {
    return toQRect(rect).translated(-group.left, -group.top);
}

QRadioButton* makeRadio(QGroupBox* group, const layout::Rect& groupRect, const char* text, int controlId,
                        const layout::Rect& rect) {
    auto* button = new QRadioButton(QString::fromLatin1(text), group);
    button->setObjectName(QString::number(controlId));
    button->setGeometry(inside(groupRect, rect));
    return button;
}

} // namespace

CDialogChannel::CDialogChannel(const settings::ChannelChoice& current, QWidget* parent)
    : QDialog(parent), choice_(current) {
    setObjectName(QString::number(cd::kResourceId));
    setWindowTitle(QString::fromLatin1(cd::kTitle));
    setFixedSize(cd::kSize.width, cd::kSize.height);
    setFont(pointFont(cd::kTextFont, displayScale(this)));
    // The dialog, its groups, buttons and labels: white on black. The edit
    // draws with the base and text roles, which stay as they are.
    QPalette colours = palette();
    colours.setColor(QPalette::Window, toQColor(cd::kBackground));
    colours.setColor(QPalette::WindowText, toQColor(cd::kText));
    setPalette(colours);
    setAutoFillBackground(true);

    auto* channels = new QGroupBox(QString::fromLatin1(cd::kChannelGroupText), this);
    channels->setObjectName(QString::number(cd::kChannelGroup));
    channels->setGeometry(toQRect(cd::kChannelGroupRect));
    oneChannel_ = makeRadio(channels, cd::kChannelGroupRect, cd::kOneChannelText, cd::kOneChannel, cd::kOneChannelRect);
    twoChannels_ =
        makeRadio(channels, cd::kChannelGroupRect, cd::kTwoChannelsText, cd::kTwoChannels, cd::kTwoChannelsRect);

    auto* encryption = new QGroupBox(QString::fromLatin1(cd::kEncryptionGroupText), this);
    encryption->setObjectName(QString::number(cd::kEncryptionGroup));
    encryption->setGeometry(toQRect(cd::kEncryptionGroupRect));
    encryptionNo_ =
        makeRadio(encryption, cd::kEncryptionGroupRect, cd::kEncryptionNoText, cd::kEncryptionNo, cd::kEncryptionNoRect);
    encryptionYes_ = makeRadio(encryption, cd::kEncryptionGroupRect, cd::kEncryptionYesText, cd::kEncryptionYes,
                               cd::kEncryptionYesRect);
    auto* label = new QLabel(QString::fromLatin1(cd::kPasswordLabelText), encryption);
    label->setGeometry(inside(cd::kEncryptionGroupRect, cd::kPasswordLabelRect));
    password_ = new QLineEdit(encryption);
    password_->setObjectName(QString::number(cd::kPasswordEdit));
    password_->setGeometry(inside(cd::kEncryptionGroupRect, cd::kPasswordEditRect));
    password_->setEchoMode(QLineEdit::Password);
    password_->setMaxLength(cd::kPasswordMaxLength);
    password_->setText(QString::fromStdString(settings::passwordOf(current)));

    auto* rear = new QGroupBox(QString::fromLatin1(cd::kRearGroupText), this);
    rear->setObjectName(QString::number(cd::kRearGroup));
    rear->setGeometry(toQRect(cd::kRearGroupRect));
    rearViews_ = {makeRadio(rear, cd::kRearGroupRect, cd::kRearBesideText, cd::kRearBeside, cd::kRearBesideRect),
                  makeRadio(rear, cd::kRearGroupRect, cd::kRearSwappedText, cd::kRearSwapped, cd::kRearSwappedRect),
                  makeRadio(rear, cd::kRearGroupRect, cd::kRearInsideText, cd::kRearInside, cd::kRearInsideRect)};
    rearViews_[static_cast<std::size_t>(current.rearView >= 0 && current.rearView < 3 ? current.rearView : 0)]
        ->setChecked(true);
    // The rear's place matters with two channels only.
    rear->setEnabled(current.channels == 1);
    connect(twoChannels_, &QRadioButton::toggled, rear, &QWidget::setEnabled);

    (current.channels == 1 ? twoChannels_ : oneChannel_)->setChecked(true);
    (current.encrypted == 1 ? encryptionYes_ : encryptionNo_)->setChecked(true);

    ok_ = new SkinButton(cd::kOk, this);
    ok_->loadBitmaps(skin::kPopupOkNormal, skin::kPopupOkPressed);
    ok_->sizeToContent();
    ok_->move(cd::kOkButton.x, cd::kOkButton.y);
    connect(ok_, &QAbstractButton::clicked, this, [this] { onOk(); });
}

QRadioButton* CDialogChannel::radio(int controlId) const {
    switch (controlId) {
    case cd::kOneChannel: return oneChannel_;
    case cd::kTwoChannels: return twoChannels_;
    case cd::kEncryptionNo: return encryptionNo_;
    case cd::kEncryptionYes: return encryptionYes_;
    case cd::kRearBeside: return rearViews_[0];
    case cd::kRearSwapped: return rearViews_[1];
    case cd::kRearInside: return rearViews_[2];
    default: return nullptr;
    }
}

void CDialogChannel::onOk() {
    int view = 0;
    for (std::size_t i = 0; i < rearViews_.size(); ++i)
        if (rearViews_[i]->isChecked())
            view = static_cast<int>(i);
    const settings::ChoiceOutcome outcome =
        settings::confirmChannelChoice(choice_, twoChannels_->isChecked() ? 1 : 0, encryptionYes_->isChecked() ? 1 : 0,
                                       password_->text().toStdString(), view);
    if (outcome.answer == settings::ChoiceAnswer::KeyRefused) {
        messageBox(this, strings::kKeyRefused, MessageIcon::Warning);
        password_->setFocus();
        password_->selectAll();
        return;
    }
    choice_ = outcome.choice;
    accept();
}

void CDialogChannel::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        onOk();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace kyvo
