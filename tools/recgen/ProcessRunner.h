#pragma once
// Runs an outside program (ffmpeg, ffprobe) without a shell: the program is
// looked up on PATH, its standard input is /dev/null and its standard output
// and error are collected.

#include <string>
#include <vector>

namespace kyvo::recgen {

struct ProcessResult {
    bool started = false;
    std::string startError;  // why the program could not be started
    int exitCode = -1;       // -1 when it ended by a signal
    std::string output;
    std::string errors;

    bool succeeded() const { return started && exitCode == 0; }
};

ProcessResult runProcess(const std::vector<std::string>& arguments);

}  // namespace kyvo::recgen
