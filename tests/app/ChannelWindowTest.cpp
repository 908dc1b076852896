// The channel dialog from the main window's top strip: its choice reaches the
// adapter before the next file loads, goes into the settings block's last
// word and comes back at the next run; a scrambled recording plays with its
// key through the real library, and another key is refused with a message.

#include "CDialogChannel.h"
#include "CJXQ_PCMgrDlg.h"
#include "MessageBox.h"
#include "ROVUAdap.h"
#include "RegistryStore.h"
#include "SettingPopup.h"
#include "SkinButton.h"
#include "StringIds.h"
#include "Strings.h"
#include "SystemSettings.h"

#include <QApplication>
#include <QLineEdit>
#include <QProcess>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <array>
#include <functional>

using namespace kyvo;
using namespace kyvo::app;
namespace cd = kyvo::settings::channel_dialog;

namespace {

constexpr std::uint32_t kKey = 0x5A17C0DEu;

class ChannelWindowTest : public testing::Test {
protected:
    ChannelWindowTest() {
        setMessageBoxSink([this](const MessageBoxRequest& request) {
            shown.push_back(request.text);
            return kAnswerOk;
        });
    }
    ~ChannelWindowTest() override { setMessageBoxSink({}); }

    std::unique_ptr<CJXQ_PCMgrDlg> openWindow() {
        auto window = std::make_unique<CJXQ_PCMgrDlg>(
            std::make_unique<RegistryStore>(dir.filePath(QStringLiteral("viewer.ini"))));
        window->initDialog();
        window->show();
        return window;
    }

    static void expectAdapterHas(CJXQ_PCMgrDlg& window, int channelMode, int encrypted, std::uint32_t key) {
        EXPECT_EQ(window.adapter()->channelMode.load(), channelMode);
        EXPECT_EQ(window.adapter()->encryptedViewMode.load(), encrypted);
        EXPECT_EQ(window.adapter()->key.load(), key);
        const auto block = settings::SystemSettings::fromBytes(window.settingPopup()->blockBytes());
        EXPECT_EQ(static_cast<std::uint32_t>(block.key()), key) << "the settings block's last word";
    }

    QTemporaryDir dir;
    std::vector<QString> shown;
};

// Acts on the dialog the main window runs modally, as soon as it is up (the
// main window's click waits inside the dialog meanwhile).
class WhenTheDialogOpens {
public:
    explicit WhenTheDialogOpens(std::function<void(CDialogChannel&)> action) : action_(std::move(action)) {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                if (auto* dialog = dynamic_cast<CDialogChannel*>(widget); dialog && dialog->isVisible()) {
                    timer_.stop();
                    action_(*dialog);
                    acted_ = true;
                    return;
                }
            }
        });
        timer_.start(10);
    }
    bool acted() const { return acted_; }

private:
    std::function<void(CDialogChannel&)> action_;
    QTimer timer_;
    bool acted_ = false;
};

} // namespace

TEST_F(ChannelWindowTest, TheDialogsChoiceReachesTheAdapterAndSurvivesARestart) {
    {
        auto window = openWindow();
        expectAdapterHas(*window, 1, 0, 0);
        WhenTheDialogOpens choose([](CDialogChannel& dialog) {
            dialog.radio(cd::kTwoChannels)->click();
            dialog.radio(cd::kEncryptionYes)->click();
            dialog.passwordEdit()->setText(QStringLiteral("5a17c0de"));
            dialog.radio(cd::kRearInside)->click();
            dialog.onOk();
        });
        QTest::mouseClick(window->button(control::kChannel), Qt::LeftButton);
        EXPECT_TRUE(choose.acted());
        EXPECT_EQ(window->channelChoice(), (settings::ChannelChoice{1, 1, kKey, 2}));
        expectAdapterHas(*window, 2, 1, kKey);
        EXPECT_EQ(window->adapter()->rearView.load(), orv::kRearInside);
        window->endDialog(2);
    }
    {
        auto window = openWindow();
        EXPECT_EQ(window->channelChoice(), (settings::ChannelChoice{1, 1, kKey, 2}));
        expectAdapterHas(*window, 2, 1, kKey);
        EXPECT_EQ(window->adapter()->rearView.load(), orv::kRearInside);

        // Leaving the dialog with Escape changes nothing.
        WhenTheDialogOpens leave([](CDialogChannel& dialog) {
            dialog.radio(cd::kOneChannel)->click();
            QTest::keyClick(&dialog, Qt::Key_Escape);
        });
        QTest::mouseClick(window->button(control::kChannel), Qt::LeftButton);
        EXPECT_TRUE(leave.acted());
        expectAdapterHas(*window, 2, 1, kKey);
    }
    EXPECT_TRUE(shown.empty());
}

TEST_F(ChannelWindowTest, AScrambledRecordingPlaysWithItsKeyAndAnotherKeyIsRefused) {
    const QString recording = dir.filePath(QStringLiteral("drf_20240612_081500.mov"));
    QProcess recgen;
    recgen.start(QStringLiteral(KYVO_RECGEN_PATH), {"--no-audio", "--preset", "ultrafast", "--length", "2", "--size",
                                                    "160x90", "--scrambled", "0x5A17C0DE", recording});
    ASSERT_TRUE(recgen.waitForFinished(120000));
    ASSERT_EQ(recgen.exitCode(), 0) << recgen.readAllStandardError().constData();

    auto window = openWindow();
    window->addToPlayList({recording.toStdU16String()}, false);
    window->takeChannelChoice({0, 1, kKey ^ 1u});
    window->openSelectedFile();
    EXPECT_FALSE(window->playing());
    EXPECT_FALSE(window->ended());
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], loadString(strings::kWrongKey));
    EXPECT_FALSE(window->adapter()->playerThreadRunning()) << "nothing reached the library";

    // The right key, taken between two files: the next opening plays it.
    window->takeChannelChoice({0, 1, kKey});
    window->openSelectedFile();
    EXPECT_TRUE(window->playing());
    EXPECT_TRUE(QTest::qWaitFor([&] { return window->adapter()->frameIndex.load() >= 11; }, 30000))
        << "no frames from the scrambled recording";
    EXPECT_EQ(shown.size(), 1u);
    EXPECT_FALSE(window->ended());
}

TEST_F(ChannelWindowTest, TwoChannelsPutTheRearInTheMapsPanelAndARecordingWithoutOneSaysSoAndPlays) {
    const QString recording = dir.filePath(QStringLiteral("drf_20240612_081500.mov"));
    QProcess recgen;
    recgen.start(QStringLiteral(KYVO_RECGEN_PATH),
                 {"--no-audio", "--preset", "ultrafast", "--length", "2", "--size", "160x90", recording});
    ASSERT_TRUE(recgen.waitForFinished(120000));
    ASSERT_EQ(recgen.exitCode(), 0) << recgen.readAllStandardError().constData();

    auto window = openWindow();
    window->addToPlayList({recording.toStdU16String()}, false);
    EXPECT_EQ(window->adapter()->videoRects().rect[1][2], 0) << "no rear rectangle in one channel";
    window->takeChannelChoice({1, 0, 0});
    const std::int16_t* rear = window->adapter()->videoRects().rect[1];
    EXPECT_EQ((std::array<int, 4>{rear[0], rear[1], rear[2], rear[3]}), (std::array<int, 4>{689, 52, 310, 410}));

    window->openSelectedFile();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], loadString(strings::kRecordedIn1Channel));
    EXPECT_TRUE(window->playing());
    EXPECT_TRUE(QTest::qWaitFor([&] { return window->adapter()->frameIndex.load() >= 11; }, 30000))
        << "the front plays alone";
    EXPECT_FALSE(window->ended());
}
