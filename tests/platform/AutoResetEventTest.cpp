#include "AutoResetEvent.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

using namespace std::chrono_literals;

TEST(AutoResetEvent, ASetBeforeTheWaitIsKeptAndResetsAfterOneWaiter) {
    kyvo::AutoResetEvent event;
    event.set();
    event.set(); // still one signal
    EXPECT_TRUE(event.waitFor(0ms));
    EXPECT_FALSE(event.waitFor(10ms));
}

TEST(AutoResetEvent, WakesAWaitingThread) {
    kyvo::AutoResetEvent event;
    std::atomic<int> woken{0};
    std::thread waiter([&] {
        event.wait();
        woken = 1;
    });
    event.set();
    waiter.join();
    EXPECT_EQ(woken.load(), 1);
}
