// The main window's side of the adapter: messages and moves reach the
// library's live video windows only. A handle of a window that is gone reaches
// nothing, also when its message was posted before it went; reports to an
// owner window that goes with them still queued are dropped (under
// AddressSanitizer a message to a deleted window is caught at once).

#include "MainAdapterHost.h"

#include "OrvPlayerAbi.h"
#include "ViewerMessages.h"
#include "WindowMessage.h"

#include <QCoreApplication>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>
#include <thread>
#include <utility>
#include <vector>

namespace kyvo::app {
namespace {

constexpr int kPatienceMs = 10000; // only a broken host waits this long

// Stands for a video window of the library: named as one, it records the
// messages it gets (GUI thread).
class FakeVideoWindow : public QWidget {
public:
    FakeVideoWindow(QWidget* parent, std::vector<unsigned>& received) : QWidget(parent), received_(received) {
        setObjectName(QLatin1String(orv::kVideoWindowObjectName) + QLatin1Char('0'));
    }

protected:
    bool event(QEvent* event) override {
        if (auto* message = dynamic_cast<WindowMessage*>(event)) {
            received_.push_back(message->message());
            message->result = 1;
            return true;
        }
        return QWidget::event(event);
    }

private:
    std::vector<unsigned>& received_;
};

// Stands for the main window: records the reports of the adapter, into a log
// that outlives it.
class RecordingOwner : public MessageWindow {
public:
    explicit RecordingOwner(std::vector<std::pair<unsigned, WParam>>& log) : log_(log) {}

protected:
    LResult windowMessage(unsigned message, WParam wParam, LParam) override {
        log_.emplace_back(message, wParam);
        return 1;
    }

private:
    std::vector<std::pair<unsigned, WParam>>& log_;
};

// What the player's thread does: report frames and the end of the file.
void reportFromAnotherThread(MainAdapterHost& host, int frames) {
    std::thread([&] {
        for (int i = 1; i <= frames; ++i)
            host.notifyOwner(WM_PLAYER_FRAME, static_cast<WParam>(i), 0);
        host.notifyOwner(WM_PLAYER_END, 0, 0);
    }).join();
}

// What the library's thread does: post from a thread of its own.
void postFromAnotherThread(MainAdapterHost& host, std::intptr_t window, unsigned message) {
    std::thread([&] { host.postToWindow(window, message, 0, 0); }).join();
}

TEST(MainAdapterHostTest, MessagesAndMovesReachLiveVideoWindowsOnly) {
    QWidget owner;
    MainAdapterHost host(&owner, [] {});
    std::vector<unsigned> received;
    auto* window = new FakeVideoWindow(&owner, received);
    const auto handle = reinterpret_cast<std::intptr_t>(window);

    EXPECT_EQ(host.sendToWindow(handle, orv::kMsgPlaced, 0, 0), 1);
    EXPECT_TRUE(host.moveWindow(handle, 1, 2, 30, 40));
    EXPECT_EQ(window->geometry(), QRect(1, 2, 30, 40));
    postFromAnotherThread(host, handle, orv::kMsgGetTimeLength);
    ASSERT_TRUE(QTest::qWaitFor([&] { return received.size() == 2; }, kPatienceMs));
    EXPECT_EQ(received, (std::vector<unsigned>{orv::kMsgPlaced, orv::kMsgGetTimeLength}));

    // Any other widget is no video window.
    QWidget other(&owner);
    const auto otherHandle = reinterpret_cast<std::intptr_t>(&other);
    EXPECT_EQ(host.sendToWindow(otherHandle, orv::kMsgPlaced, 0, 0), 0);
    EXPECT_FALSE(host.moveWindow(otherHandle, 1, 2, 3, 4));
    EXPECT_EQ(host.sendToWindow(0, orv::kMsgPlaced, 0, 0), 0);
}

TEST(MainAdapterHostTest, AWindowThatIsGoneGetsNothing) {
    QWidget owner;
    MainAdapterHost host(&owner, [] {});
    std::vector<unsigned> received;
    auto* window = new FakeVideoWindow(&owner, received);
    const auto handle = reinterpret_cast<std::intptr_t>(window);

    postFromAnotherThread(host, handle, orv::kMsgGetTimeLength); // still queued as the window goes
    delete window;
    EXPECT_EQ(host.sendToWindow(handle, orv::kMsgFrameStep, 0, 0), 0);
    EXPECT_EQ(host.sendToWindow(handle, orv::kMsgRedrawPrepare, 0, 0), 0);
    EXPECT_FALSE(host.moveWindow(handle, 1, 2, 3, 4));
    postFromAnotherThread(host, handle, orv::kMsgGetTimeLength);
    QCoreApplication::sendPostedEvents();
    EXPECT_TRUE(received.empty());
}

// The main window closes while the player's thread has just reported frames:
// the queued reports go with the window, none runs on it, and a window made
// after it (possibly at the same address) does not get them. The next
// window's own reports arrive whole and in order.
TEST(MainAdapterHostTest, ReportsQueuedWhenTheOwnerGoesAreDropped) {
    std::vector<std::pair<unsigned, WParam>> log;
    auto owner = std::make_unique<RecordingOwner>(log);
    {
        MainAdapterHost host(owner.get(), [] {});
        reportFromAnotherThread(host, 3);
    }
    owner.reset();
    RecordingOwner next(log);
    QCoreApplication::sendPostedEvents();
    EXPECT_TRUE(log.empty());

    MainAdapterHost nextHost(&next, [] {});
    reportFromAnotherThread(nextHost, 2);
    QCoreApplication::sendPostedEvents();
    using Report = std::pair<unsigned, WParam>;
    EXPECT_EQ(log, (std::vector<Report>{{WM_PLAYER_FRAME, 1}, {WM_PLAYER_FRAME, 2}, {WM_PLAYER_END, 0}}));
}

} // namespace
} // namespace kyvo::app
