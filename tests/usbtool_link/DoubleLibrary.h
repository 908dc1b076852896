#pragma once
// The test's side of the stand-in libusb 0.1 library: opens it at the path
// the binding uses (so both reach the same instance), scripts it and reads
// its log.

#include "RecorderDouble.h"

#include <dlfcn.h>

#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace usblink_test {

class DoubleLibrary {
public:
    explicit DoubleLibrary(const std::string& path) : module_(dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL)) {
        if (module_ == nullptr)
            throw std::runtime_error("cannot open " + path);
        default_ = reinterpret_cast<RecorderDoubleDefaultFn>(dlsym(module_, "recorder_double_default"));
        configure_ = reinterpret_cast<RecorderDoubleConfigureFn>(dlsym(module_, "recorder_double_configure"));
        log_ = reinterpret_cast<RecorderDoubleLogFn>(dlsym(module_, "recorder_double_log"));
        received_ = reinterpret_cast<RecorderDoubleReceivedFn>(dlsym(module_, "recorder_double_received"));
        if (!default_ || !configure_ || !log_ || !received_)
            throw std::runtime_error("not a recorder double: " + path);
    }
    ~DoubleLibrary() { dlclose(module_); }
    DoubleLibrary(const DoubleLibrary&) = delete;
    DoubleLibrary& operator=(const DoubleLibrary&) = delete;

    RecorderDoubleScript defaults() const {
        RecorderDoubleScript script;
        default_(&script);
        return script;
    }
    void configure(const RecorderDoubleScript& script) const { configure_(&script); }
    void reset() const { configure(defaults()); }

    std::vector<std::string> log() const {
        std::string text(log_(nullptr, 0) + 1, '\0');
        log_(text.data(), text.size());
        text.pop_back();
        std::vector<std::string> lines;
        std::istringstream in(text);
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        return lines;
    }

    std::vector<unsigned char> received() const {
        std::vector<unsigned char> bytes(RECORDER_DOUBLE_RECORD_SIZE);
        bytes.resize(received_(bytes.data(), bytes.size()));
        return bytes;
    }

private:
    void* module_;
    RecorderDoubleDefaultFn default_;
    RecorderDoubleConfigureFn configure_;
    RecorderDoubleLogFn log_;
    RecorderDoubleReceivedFn received_;
};

} // namespace usblink_test
