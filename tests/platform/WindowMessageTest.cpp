#include "WindowMessage.h"

#include <QCoreApplication>
#include <QThread>

#include <gtest/gtest.h>

#include <thread>
#include <vector>

using namespace kyvo;

namespace {

constexpr unsigned kMessage = 0x800;

class Recorder : public MessageWindow {
public:
    struct Received {
        unsigned message;
        WParam wParam;
        LParam lParam;
        bool onGuiThread;
    };
    std::vector<Received> received;

protected:
    LResult windowMessage(unsigned message, WParam wParam, LParam lParam) override {
        received.push_back({message, wParam, lParam, QThread::currentThread() == qApp->thread()});
        return static_cast<LResult>(wParam) * 2;
    }
};

} // namespace

TEST(WindowMessage, SendIsSynchronousAndAnswersTheHandlersResult) {
    Recorder window;
    EXPECT_EQ(sendMessage(&window, kMessage, 21, -5), 42);
    ASSERT_EQ(window.received.size(), 1u);
    EXPECT_EQ(window.received[0].message, kMessage);
    EXPECT_EQ(window.received[0].lParam, -5);
    EXPECT_EQ(sendMessage(nullptr, kMessage), 0);
}

TEST(WindowMessage, PointerSizedParametersTravelWhole) {
    Recorder window;
    const auto address = reinterpret_cast<WParam>(&window);
    postMessage(&window, 0x8064, address, static_cast<LParam>(0x123456789ABCLL));
    QCoreApplication::sendPostedEvents(&window);
    ASSERT_EQ(window.received.size(), 1u);
    EXPECT_EQ(window.received[0].wParam, address);
    EXPECT_EQ(window.received[0].lParam, 0x123456789ABCLL);
    EXPECT_EQ(window.received[0].message, 0x8064u);
}

TEST(WindowMessage, PostsFromOtherThreadsArriveInOrderOnTheGuiThread) {
    Recorder window;
    constexpr int kCount = 500;
    std::thread poster([&] {
        for (int i = 0; i < kCount; ++i)
            postMessage(&window, kMessage, static_cast<WParam>(i), 0);
    });
    poster.join();
    EXPECT_TRUE(window.received.empty()); // nothing runs before the GUI thread takes it
    QCoreApplication::sendPostedEvents(&window);
    ASSERT_EQ(window.received.size(), static_cast<std::size_t>(kCount));
    for (int i = 0; i < kCount; ++i) {
        EXPECT_EQ(window.received[static_cast<std::size_t>(i)].wParam, static_cast<WParam>(i));
        EXPECT_TRUE(window.received[static_cast<std::size_t>(i)].onGuiThread);
    }
}
