// The channel dialog as a user meets it: the choice in force on its controls,
// white texts on black, OK with a password that is no key (message, dialog
// stays), then Enter with a key.

#include "CDialogChannel.h"

#include "MessageBox.h"
#include "SkinButton.h"
#include "StringIds.h"
#include "Strings.h"

#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace kyvo;
namespace cd = kyvo::settings::channel_dialog;

namespace {

class ChannelDialogTest : public testing::Test {
protected:
    ChannelDialogTest() {
        setMessageBoxSink([this](const MessageBoxRequest& request) {
            shown.push_back(request.text);
            return kAnswerOk;
        });
    }
    ~ChannelDialogTest() override { setMessageBoxSink({}); }

    static void clickOk(CDialogChannel& dialog) {
        QTest::mouseClick(dialog.okButton(), Qt::LeftButton, {}, dialog.okButton()->rect().center());
    }
    static void typePassword(CDialogChannel& dialog, const QString& text) {
        dialog.passwordEdit()->clear();
        QTest::keyClicks(dialog.passwordEdit(), text);
    }

    std::vector<QString> shown;
};

// Pixels inside `rect` of the grabbed dialog whose grey lies in [low, high].
int countPixels(const QImage& image, const QRect& rect, int low, int high) {
    int n = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x) {
            const int grey = qGray(image.pixel(x, y));
            n += grey >= low && grey <= high ? 1 : 0;
        }
    return n;
}

} // namespace

TEST_F(ChannelDialogTest, OpensOnTheChoiceInForceWhiteOnBlack) {
    CDialogChannel dialog(settings::ChannelChoice{1, 1, 0x5A17C0DEu});
    dialog.show();
    EXPECT_EQ(dialog.size(), QSize(cd::kSize.width, cd::kSize.height));
    EXPECT_TRUE(dialog.radio(cd::kTwoChannels)->isChecked());
    EXPECT_FALSE(dialog.radio(cd::kOneChannel)->isChecked());
    EXPECT_TRUE(dialog.radio(cd::kEncryptionYes)->isChecked());
    EXPECT_TRUE(dialog.radio(cd::kRearBeside)->isChecked());
    EXPECT_TRUE(dialog.radio(cd::kRearSwapped)->isEnabled()) << "two channels: the rear's place can be chosen";
    dialog.radio(cd::kOneChannel)->click();
    EXPECT_FALSE(dialog.radio(cd::kRearSwapped)->isEnabled());
    dialog.radio(cd::kTwoChannels)->click();
    QLineEdit* edit = dialog.passwordEdit();
    EXPECT_EQ(edit->echoMode(), QLineEdit::Password);
    EXPECT_EQ(edit->maxLength(), 8);
    EXPECT_EQ(edit->text(), QStringLiteral("5A17C0DE"));
    typePassword(dialog, QStringLiteral("123456789ABC"));
    EXPECT_EQ(edit->text(), QStringLiteral("12345678")) << "at most eight characters";

    const QImage image = dialog.grab().toImage().convertToFormat(QImage::Format_RGB32);
    constexpr int kDark = 0;
    constexpr int kLight = 230;
    EXPECT_EQ(image.pixel(2, 2), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(image.width() - 3, image.height() - 3), qRgb(0, 0, 0));
    // The texts of the radio buttons and the "P/W" label: white on black.
    for (const layout::Rect& r : {cd::kOneChannelRect, cd::kTwoChannelsRect, cd::kEncryptionNoRect,
                                  cd::kPasswordLabelRect, cd::kRearSwappedRect}) {
        const QRect area(r.left, r.top, r.width(), r.height());
        EXPECT_GT(countPixels(image, area, kLight, 255), 5) << r.left << "," << r.top;
        EXPECT_GT(countPixels(image, area, kDark, kDark), area.width() * area.height() / 2);
    }
    // The edit keeps its own light field (right of the dots).
    const QRect field(cd::kPasswordEditRect.right - 14, cd::kPasswordEditRect.top + 6, 8, 8);
    EXPECT_EQ(countPixels(image, field, kDark, kDark), 0);
}

TEST_F(ChannelDialogTest, ARefusedPasswordKeepsTheDialogOpenAndAKeyCloses) {
    const settings::ChannelChoice before{};
    CDialogChannel dialog(before);
    dialog.show();
    dialog.radio(cd::kTwoChannels)->click();
    dialog.radio(cd::kEncryptionYes)->click();
    for (const QString& refused : {QString(), QStringLiteral("0"), QStringLiteral("12G4")}) {
        SCOPED_TRACE(refused.toStdString());
        typePassword(dialog, refused);
        clickOk(dialog);
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(dialog.result(), 0);
        EXPECT_EQ(dialog.choice(), before);
    }
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0], loadString(strings::kKeyRefused));

    // Enter in the edit is OK.
    typePassword(dialog, QStringLiteral("80000000"));
    dialog.radio(cd::kRearInside)->click();
    QTest::keyClick(dialog.passwordEdit(), Qt::Key_Return);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.choice(), (settings::ChannelChoice{1, 1, 0x80000000u, 2}));
    EXPECT_EQ(shown.size(), 3u);
}
