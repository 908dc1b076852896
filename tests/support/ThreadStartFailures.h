#pragma once
// Makes thread starts fail on purpose: this header defines pthread_create for
// the whole test program (include it in exactly one source file of it). Every
// start goes to the real function unless a test asked for failures; then the
// chosen starts answer EAGAIN, so that std::thread's constructor throws
// std::system_error as it does when the system has no thread left to give.

#include <dlfcn.h>
#include <pthread.h>

#include <atomic>
#include <cerrno>

namespace kyvo::test {

class ThreadStartFailures {
public:
    // After `allowed` more starts succeed, the next `failing` ones fail.
    static void arm(int allowed, int failing) {
        allowed_.store(allowed);
        failing_.store(failing);
    }
    static void disarm() { arm(0, 0); }

    // Whether the start being made now is to fail (called by pthread_create).
    static bool takeFailure() {
        if (failing_.load() <= 0)
            return false;
        if (allowed_.fetch_sub(1) > 0)
            return false;
        return failing_.fetch_sub(1) > 0;
    }

private:
    static inline std::atomic<int> allowed_{0};
    static inline std::atomic<int> failing_{0};
};

} // namespace kyvo::test

extern "C" int pthread_create(pthread_t* thread, const pthread_attr_t* attributes, void* (*start)(void*),
                              void* argument) {
    using Create = int (*)(pthread_t*, const pthread_attr_t*, void* (*)(void*), void*);
    static const auto real = reinterpret_cast<Create>(dlsym(RTLD_NEXT, "pthread_create"));
    if (kyvo::test::ThreadStartFailures::takeFailure())
        return EAGAIN;
    return real(thread, attributes, start, argument);
}
