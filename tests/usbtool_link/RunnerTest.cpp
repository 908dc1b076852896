// The runner: exchanges off the caller's thread, one at a time and in order,
// the completion on the worker, and a destructor that waits. Runs under
// ThreadSanitizer too.

#include "DoubleLibrary.h"
#include "ExchangeRunner.h"
#include "LibusbBinding.h"
#include "ThreadStartFailures.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace kyvo::usbtool {
namespace {

using namespace std::chrono_literals;
using usblink_test::DoubleLibrary;

constexpr auto kPatience = 10s; // only a broken runner waits this long

struct Answer {
    RecorderConfig record;
    ExchangeResult result;
    std::thread::id thread;
    std::vector<std::string> diagnostics;
};

// Collects completions as they arrive on the worker.
class Answers {
public:
    ExchangeRunner::Completion completion() {
        return [this](const RecorderConfig& record, ExchangeResult result) {
            std::lock_guard lock(mutex_);
            pending_.record = record;
            pending_.result = result;
            pending_.thread = std::this_thread::get_id();
            answers_.push_back(pending_);
            pending_ = {};
            changed_.notify_all();
        };
    }
    DiagnosticSink sink() {
        return [this](std::string_view line) {
            std::lock_guard lock(mutex_);
            pending_.diagnostics.emplace_back(line);
        };
    }
    bool waitFor(std::size_t count) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, kPatience, [&] { return answers_.size() >= count; });
    }
    std::vector<Answer> all() {
        std::lock_guard lock(mutex_);
        return answers_;
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    Answer pending_;
    std::vector<Answer> answers_;
};

RecorderConfig recordWithYear(int year) {
    RecorderConfig record;
    record.set(field::kYear, year);
    return record;
}

bool waitUntilIdle(const ExchangeRunner& runner) {
    const auto end = std::chrono::steady_clock::now() + kPatience;
    while (runner.running()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(1ms);
    }
    return true;
}

class ExchangeRunnerTest : public ::testing::Test {
protected:
    void SetUp() override { recorder_.reset(); }
    void slowRead(int result) {
        RecorderDoubleScript s = recorder_.defaults();
        s.read_delay_ms = 500; // keeps the exchange in flight on a loaded machine
        s.read_result = result;
        recorder_.configure(s);
    }
    DoubleLibrary recorder_{USB_RECORDER_DOUBLE_PATH};
};

TEST_F(ExchangeRunnerTest, RunsExchangesInTurnOnAWorkerWithTheirOwnRecords) {
    Answers answers; // outlives the runner, whose worker reports to it
    ExchangeRunner runner(USB_RECORDER_DOUBLE_PATH);
    const int years[] = {2001, 2002, 2003};
    for (std::size_t i = 0; i < std::size(years); ++i) {
        ASSERT_TRUE(waitUntilIdle(runner));
        ASSERT_TRUE(runner.start(recordWithYear(years[i]), answers.completion(), answers.sink()));
        ASSERT_TRUE(answers.waitFor(i + 1));
    }
    const std::vector<Answer> all = answers.all();
    ASSERT_EQ(all.size(), std::size(years));
    for (std::size_t i = 0; i < all.size(); ++i) {
        EXPECT_EQ(all[i].result.outcome, ExchangeOutcome::Completed);
        EXPECT_TRUE(all[i].result.read);
        EXPECT_EQ(all[i].record.get(field::kYear), years[i]); // echoed back
        EXPECT_EQ(all[i].record.bytes()[field::kUntouched], 0xA5);
        EXPECT_NE(all[i].thread, std::this_thread::get_id());
        EXPECT_TRUE(all[i].diagnostics.empty());
    }
    // Each exchange binds and rescans afresh.
    std::size_t scans = 0;
    for (const std::string& call : recorder_.log())
        scans += call == "usb_init()";
    EXPECT_EQ(scans, std::size(years));
}

TEST_F(ExchangeRunnerTest, RefusesAStartWhileOneRunsAndKeepsTheFirst) {
    slowRead(-ETIMEDOUT);
    Answers answers; // outlives the runner, whose worker reports to it
    bool refusedRan = false;
    ExchangeRunner runner(USB_RECORDER_DOUBLE_PATH);
    const RecorderConfig first = recordWithYear(2010);
    ASSERT_TRUE(runner.start(first, answers.completion(), answers.sink()));
    EXPECT_TRUE(runner.running());
    EXPECT_FALSE(runner.start(recordWithYear(2020), [&](const RecorderConfig&, ExchangeResult) { refusedRan = true; }));
    ASSERT_TRUE(answers.waitFor(1));
    ASSERT_TRUE(waitUntilIdle(runner));

    const std::vector<Answer> all = answers.all();
    ASSERT_EQ(all.size(), 1u);
    EXPECT_FALSE(refusedRan);
    EXPECT_EQ(all[0].record, first); // the read timed out: the record as sent
    EXPECT_FALSE(all[0].result.read);
    EXPECT_EQ(all[0].diagnostics, std::vector<std::string>{"error: bulk read failed\n"});
}

TEST_F(ExchangeRunnerTest, RunningUntilTheCompletionHasReturned) {
    std::mutex mutex;
    std::condition_variable changed;
    bool inCompletion = false;
    bool release = false;
    ExchangeRunner runner(USB_RECORDER_DOUBLE_PATH);
    ASSERT_TRUE(runner.start(RecorderConfig{}, [&](const RecorderConfig&, ExchangeResult) {
        std::unique_lock lock(mutex);
        inCompletion = true;
        changed.notify_all();
        changed.wait_for(lock, kPatience, [&] { return release; });
    }));
    {
        std::unique_lock lock(mutex);
        ASSERT_TRUE(changed.wait_for(lock, kPatience, [&] { return inCompletion; }));
    }
    const bool runningInside = runner.running();
    // A start() let through would wait for the held completion: only tried
    // when the runner says it is busy.
    const bool refusedInside = runningInside && !runner.start(RecorderConfig{}, {});
    {
        std::lock_guard lock(mutex);
        release = true;
    }
    changed.notify_all();
    EXPECT_TRUE(runningInside);
    EXPECT_TRUE(refusedInside);
    EXPECT_TRUE(waitUntilIdle(runner));
    EXPECT_TRUE(runner.start(RecorderConfig{}, {}));
}

TEST_F(ExchangeRunnerTest, DestructorWaitsForTheRunningExchange) {
    slowRead(RECORDER_DOUBLE_WHOLE);
    Answers answers;
    {
        ExchangeRunner runner(USB_RECORDER_DOUBLE_PATH);
        ASSERT_TRUE(runner.start(recordWithYear(2030), answers.completion()));
    }
    const std::vector<Answer> all = answers.all(); // no waiting: it is over
    ASSERT_EQ(all.size(), 1u);
    EXPECT_EQ(all[0].record.get(field::kYear), 2030);
    const std::vector<std::string> calls = recorder_.log();
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.back(), "usb_close(001/002)");
}

// The window starts exchanges from its event handling: a worker that cannot
// be started throws nothing, the completion says so at once, and the runner
// takes the next exchange.
TEST_F(ExchangeRunnerTest, AWorkerThatCannotStartIsReportedThroughTheCompletion) {
    Answers answers;
    ExchangeRunner runner(USB_RECORDER_DOUBLE_PATH);
    const RecorderConfig record = recordWithYear(2050);
    kyvo::test::ThreadStartFailures::arm(0, 1);
    bool started = false;
    EXPECT_NO_THROW(started = runner.start(record, answers.completion(), answers.sink()));
    kyvo::test::ThreadStartFailures::disarm();
    EXPECT_TRUE(started);
    ASSERT_EQ(answers.all().size(), 1u) << "the completion was not called before start() returned";
    EXPECT_EQ(answers.all()[0].result.outcome, ExchangeOutcome::NotStarted);
    EXPECT_EQ(answers.all()[0].record, record);
    EXPECT_EQ(answers.all()[0].thread, std::this_thread::get_id());
    EXPECT_FALSE(runner.running());
    EXPECT_TRUE(recorder_.log().empty()) << "no exchange should have run";

    ASSERT_TRUE(runner.start(record, answers.completion()));
    ASSERT_TRUE(answers.waitFor(2));
    EXPECT_EQ(answers.all()[1].result.outcome, ExchangeOutcome::Completed);
}

TEST_F(ExchangeRunnerTest, EmptyLibraryNameMeansTheDefaultFile) {
    setenv(kLibusbLibraryEnv, USB_RECORDER_DOUBLE_PATH, 1);
    Answers answers;
    ExchangeRunner runner;
    unsetenv(kLibusbLibraryEnv);
    ASSERT_TRUE(runner.start(recordWithYear(2040), answers.completion()));
    ASSERT_TRUE(answers.waitFor(1));
    EXPECT_EQ(answers.all()[0].result.outcome, ExchangeOutcome::Completed);
    EXPECT_EQ(answers.all()[0].record.bytes()[field::kUntouched], 0xA5);
}

} // namespace
} // namespace kyvo::usbtool
