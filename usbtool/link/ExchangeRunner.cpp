#include "ExchangeRunner.h"

#include "LibusbBinding.h"

#include <mutex>
#include <system_error>
#include <thread>
#include <utility>

namespace kyvo::usbtool {

// One worker thread per exchange. start() only makes a new one once the
// previous completion has returned, and joins the previous thread first, so
// at most one worker lives and the binding is used by one thread at a time.
struct ExchangeRunner::State {
    explicit State(std::string libraryFile) : binding(std::move(libraryFile)) {}

    LibusbBinding binding; // the worker's; the join in start() hands it on
    mutable std::mutex mutex;
    bool running = false; // guarded by mutex
    std::thread worker;   // the owner's thread only
};

ExchangeRunner::ExchangeRunner(std::string libraryFile)
    : state_(std::make_unique<State>(libraryFile.empty() ? defaultLibusbLibrary() : std::move(libraryFile))) {}

ExchangeRunner::~ExchangeRunner() {
    if (state_->worker.joinable())
        state_->worker.join();
}

bool ExchangeRunner::start(const RecorderConfig& record, Completion done, DiagnosticSink sink) {
    {
        std::lock_guard lock(state_->mutex);
        if (state_->running)
            return false;
        state_->running = true;
    }
    // The previous worker has returned from its completion; it may still be
    // on its way out.
    if (state_->worker.joinable())
        state_->worker.join();

    State* state = state_.get();
    // Shared with the worker, so that a failed start still has it to call.
    auto completion = std::make_shared<Completion>(std::move(done));
    auto work = [state, record, completion, sink = std::move(sink)]() mutable {
        RecorderConfig answer = record;
        const ExchangeResult result = UsbExchange(state->binding, answer.bytes(), sink);
        if (*completion)
            (*completion)(answer, result);
        std::lock_guard lock(state->mutex);
        state->running = false;
    };
    try {
        state_->worker = std::thread(std::move(work));
    } catch (const std::system_error&) {
        // The owner calls this from its event handling: nothing may escape.
        // It hears of the failure as of any other exchange.
        {
            std::lock_guard lock(state_->mutex);
            state_->running = false;
        }
        if (*completion)
            (*completion)(record, ExchangeResult{ExchangeOutcome::NotStarted, false, false});
    }
    return true;
}

bool ExchangeRunner::running() const {
    std::lock_guard lock(state_->mutex);
    return state_->running;
}

} // namespace kyvo::usbtool
