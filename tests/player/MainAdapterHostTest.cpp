// The main window's side of the adapter: messages and moves reach the
// library's live video windows only. A handle of a window that is gone reaches
// nothing, also when its message was posted before it went (under
// AddressSanitizer a message to a deleted window is caught at once).

#include "MainAdapterHost.h"

#include "OrvPlayerAbi.h"
#include "WindowMessage.h"

#include <QCoreApplication>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <thread>
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

} // namespace
} // namespace kyvo::app
