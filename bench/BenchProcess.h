#pragma once
// Running another program from a benchmark: its exit code, CPU time and wall time.

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace kyvo::bench {

inline double cpuSeconds(const rusage& usage) {
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

struct ProcessRun {
    int exitCode = -1;
    double cpuSeconds = 0;
    double wallSeconds = 0;
};

// Runs args[0] (looked up on PATH) with its arguments and waits for it. With
// `quiet` its standard output goes to /dev/null.
inline ProcessRun runProcess(const std::vector<std::string>& args, bool quiet = false) {
    ProcessRun result;
    // Output still buffered here would otherwise be written again by the
    // child when it reopens its standard output.
    std::fflush(nullptr);
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        std::vector<char*> argv;
        for (const auto& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        if (quiet && !std::freopen("/dev/null", "w", stdout))
            _exit(126);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    result.cpuSeconds = cpuSeconds(usage);
    result.wallSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

} // namespace kyvo::bench
