#include "ProcessRunner.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace kyvo::recgen {
namespace {

constexpr std::size_t kReadChunk = 4096;

// Closes the descriptors it holds when it goes out of scope.
struct Pipe {
    std::array<int, 2> fds{-1, -1};
    bool open() { return ::pipe2(fds.data(), O_CLOEXEC) == 0; }
    void closeEnd(int end) {
        if (fds[static_cast<std::size_t>(end)] >= 0)
            ::close(fds[static_cast<std::size_t>(end)]);
        fds[static_cast<std::size_t>(end)] = -1;
    }
    int readEnd() const { return fds[0]; }
    int writeEnd() const { return fds[1]; }
    ~Pipe() {
        closeEnd(0);
        closeEnd(1);
    }
};

// Reads both pipes until the child closes them; draining both at once keeps a
// chatty child from blocking on a full pipe.
void drain(Pipe& out, Pipe& err, std::string& output, std::string& errors) {
    std::array<pollfd, 2> polls{pollfd{out.readEnd(), POLLIN, 0}, pollfd{err.readEnd(), POLLIN, 0}};
    std::array<std::string*, 2> sinks{&output, &errors};
    std::array<char, kReadChunk> buffer{};
    int openCount = 2;
    while (openCount > 0) {
        if (::poll(polls.data(), polls.size(), -1) < 0) {
            if (errno == EINTR)
                continue;
            return;
        }
        for (std::size_t i = 0; i < polls.size(); ++i) {
            if (polls[i].fd < 0 || polls[i].revents == 0)
                continue;
            const ssize_t got = ::read(polls[i].fd, buffer.data(), buffer.size());
            if (got > 0) {
                sinks[i]->append(buffer.data(), static_cast<std::size_t>(got));
            } else if (got == 0 || errno != EINTR) {
                polls[i].fd = -1;
                --openCount;
            }
        }
    }
}

}  // namespace

ProcessResult runProcess(const std::vector<std::string>& arguments) {
    ProcessResult result;
    if (arguments.empty()) {
        result.startError = "no program given";
        return result;
    }
    Pipe out;
    Pipe err;
    if (!out.open() || !err.open()) {
        result.startError = std::string("cannot create pipes: ") + std::strerror(errno);
        return result;
    }

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, out.writeEnd(), STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, err.writeEnd(), STDERR_FILENO);

    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    pid_t pid = 0;
    const int spawnError = ::posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawnError != 0) {
        result.startError = "cannot run " + arguments[0] + ": " + std::strerror(spawnError) +
                            (spawnError == ENOENT ? " (is it installed and on PATH?)" : "");
        return result;
    }
    result.started = true;
    out.closeEnd(1);
    err.closeEnd(1);
    drain(out, err, result.output, result.errors);

    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

}  // namespace kyvo::recgen
