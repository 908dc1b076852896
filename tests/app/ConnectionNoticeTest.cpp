// The connection probe through its caller, the main window: at each tick of
// its slow timer the window asks whether the computer is online, shows the
// "no Internet" notice on the main screen while it is not, and puts the screen
// back as it was once the connection returns.

#include "CJXQ_PCMgrDlg.h"
#include "Network.h"
#include "QtTempFolder.h"
#include "RegistryStore.h"
#include "Skin.h"
#include "SkinIds.h"

#include <QImage>
#include <QTest>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace kyvo::app {
namespace {

// Longer than one tick of the window's slow timer (1.2 s).
constexpr int kMoreThanATickMs = 1500;
// Only a broken window waits this long.
constexpr int kPatienceMs = 10000;

// The smallest rectangle holding every pixel that differs.
QRect changedArea(const QImage& before, const QImage& after) {
    QRect area;
    const auto rowBytes = static_cast<std::size_t>(before.bytesPerLine());
    for (int y = 0; y < before.height(); ++y) {
        if (std::memcmp(before.constScanLine(y), after.constScanLine(y), rowBytes) == 0)
            continue;
        for (int x = 0; x < before.width(); ++x)
            if (before.pixel(x, y) != after.pixel(x, y))
                area |= QRect(x, y, 1, 1);
    }
    return area;
}

class ConnectionNoticeTest : public ::testing::Test {
protected:
    void SetUp() override { setConnectionProbe([this] { return online; }); }
    void TearDown() override { setConnectionProbe({}); }

    std::unique_ptr<CJXQ_PCMgrDlg> openDialog() const {
        auto dialog = std::make_unique<CJXQ_PCMgrDlg>(
            std::make_unique<RegistryStore>(folder.filePath(QStringLiteral("viewer.ini"))));
        dialog->initDialog();
        dialog->show();
        return dialog;
    }

    bool online = true;
    test::QtTempFolder folder{"kyvonotice"};
};

TEST_F(ConnectionNoticeTest, OfflineShowsOneNoticeAndOnlinePutsTheScreenBack) {
    auto dialog = openDialog();
    ASSERT_TRUE(dialog->unlocked());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    QTest::qWait(kMoreThanATickMs); // a tick online
    const QImage clean = dialog->backBuffer().copy();

    online = false;
    ASSERT_TRUE(QTest::qWaitFor([&] { return dialog->backBuffer() != clean; }, kPatienceMs));
    const QRect notice = changedArea(clean, dialog->backBuffer());
    EXPECT_GT(notice.width(), 40) << "a line of text";
    EXPECT_LE(notice.height(), 80) << "one line of text";
    // Online, the screen there was the bare main background: no notice.
    const QImage background = skinImage(bitmap::kMainBackground).convertToFormat(clean.format());
    EXPECT_EQ(clean.copy(notice), background.copy(notice));

    // Drawn once: later ticks offline leave it as it is, rather than drawing
    // the anti-aliased text over itself.
    const QImage withNotice = dialog->backBuffer().copy();
    QTest::qWait(kMoreThanATickMs);
    EXPECT_EQ(dialog->backBuffer(), withNotice);

    online = true;
    EXPECT_TRUE(QTest::qWaitFor([&] { return dialog->backBuffer() == clean; }, kPatienceMs))
        << "the notice is gone and the screen under it restored";
}

} // namespace
} // namespace kyvo::app
