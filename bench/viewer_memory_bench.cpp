// The viewer's resident memory while it plays a 1920 x 1080 recording: runs
// `tessaro-viewer --screenshot ... --after SECONDS FILE` and reports the peak
// resident set size of the process (target: under 300 MB).
//
//   viewer_memory_bench FILE [SECONDS]

#include "BenchProcess.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: viewer_memory_bench FILE [SECONDS]\n");
        return 2;
    }
    const std::string seconds = argc > 2 ? argv[2] : "10";
    const std::string shot = std::string(std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp") + "/kyvo-memory.png";
    const pid_t pid = fork();
    if (pid == 0) {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        execl(KYVO_VIEWER_PATH, "tessaro-viewer", "--screenshot", shot.c_str(), "--after", seconds.c_str(), argv[1],
              static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    const double peakMb = static_cast<double>(usage.ru_maxrss) / 1024.0;
    std::printf("recording: %s, played for %s s\n", argv[1], seconds.c_str());
    std::printf("%-40s %8.1f MB (target < 300 MB)\n", "viewer peak resident memory", peakMb);
    std::printf("%-40s %8.2f s\n", "viewer CPU time", kyvo::bench::cpuSeconds(usage));
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? 0 : 1;
}
