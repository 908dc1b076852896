// One exchange through the real libusb 0.1 library, the recorder emulated
// by umockdev below it (the probe program does the exchange; this test
// starts it under umockdev-wrapper and checks its report).

#include "LibusbBinding.h"

#include <gtest/gtest.h>

#include <dlfcn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace kyvo::usbtool {
namespace {

namespace fs = std::filesystem;

constexpr char kWrapper[] = "umockdev-wrapper";
constexpr std::size_t kTailOffset = 316;
constexpr std::size_t kHexPerByte = 2;

std::string findInPath(const std::string& program) {
    const char* path = std::getenv("PATH");
    std::istringstream dirs(path != nullptr ? path : "");
    for (std::string dir; std::getline(dirs, dir, ':');) {
        const fs::path candidate = fs::path(dir) / program;
        if (!dir.empty() && access(candidate.c_str(), X_OK) == 0)
            return candidate.string();
    }
    return {};
}

struct Report {
    int status = -1;
    std::map<std::string, std::string> values;
    std::vector<std::string> diagnostics;
    std::vector<std::string> device;
};

Report runProbe(const std::string& wrapper) {
    Report report;
    const std::string command = "'" + wrapper + "' '" + EMULATED_RECORDER_PROBE + "'";
    FILE* out = popen(command.c_str(), "r");
    if (out == nullptr)
        return report;
    std::string text;
    char chunk[4096];
    for (std::size_t n; (n = std::fread(chunk, 1, sizeof chunk, out)) > 0;)
        text.append(chunk, n);
    report.status = pclose(out);
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        const auto space = line.find(' ');
        const std::string key = line.substr(0, space);
        const std::string value = space == std::string::npos ? "" : line.substr(space + 1);
        if (key == "diagnostic")
            report.diagnostics.push_back(value);
        else if (key == "device")
            report.device.push_back(value);
        else
            report.values[key] = value;
    }
    return report;
}

TEST(EmulatedRecorder, ExchangeThroughTheRealLibrary) {
    if (std::string(EMULATED_RECORDER_PROBE).empty())
        GTEST_SKIP() << "built without libumockdev-dev: no emulated recorder";
    const std::string wrapper = findInPath(kWrapper);
    if (wrapper.empty())
        GTEST_SKIP() << kWrapper << " is not installed (Debian package umockdev)";
    void* real = dlopen(kLibusbLibrary, RTLD_NOW | RTLD_NOLOAD);
    if (real == nullptr)
        real = dlopen(kLibusbLibrary, RTLD_NOW);
    if (real == nullptr)
        GTEST_SKIP() << kLibusbLibrary << " is not installed (Debian libusb-0.1-4)";
    Dl_info info{};
    ASSERT_NE(dladdr(dlsym(real, "usb_init"), &info), 0);
    const fs::path realFile = fs::canonical(info.dli_fname);
    dlclose(real);

    const Report report = runProbe(wrapper);
    ASSERT_TRUE(WIFEXITED(report.status) && WEXITSTATUS(report.status) == 0)
        << "probe failed: " << (report.values.count("error") ? report.values.at("error") : "no report");

    // The real library found the emulated recorder and did the whole exchange.
    ASSERT_TRUE(report.values.count("library"));
    EXPECT_EQ(fs::canonical(report.values.at("library")), realFile);
    EXPECT_EQ(report.values.at("outcome"), "Completed");
    EXPECT_EQ(report.values.at("written"), "1");
    EXPECT_EQ(report.values.at("read"), "1");
    EXPECT_TRUE(report.diagnostics.empty());

    // The recorder's answer replaced the record: what was sent, its tail as
    // the recorder set it.
    const std::string sent = report.values.at("sent");
    ASSERT_EQ(sent.size(), 336 * kHexPerByte);
    std::string expected = sent.substr(0, kTailOffset * kHexPerByte);
    while (expected.size() < sent.size())
        expected += "5A";
    EXPECT_EQ(report.values.at("answer"), expected);

    // What crossed the bus, in order.
    const std::vector<std::string> device = {
        "set_configuration 1", "claim_interface 0", "bulk_out 0x03 336 " + sent, "bulk_in 0x82 336",
        "release_interface 0"};
    EXPECT_EQ(report.device, device);
}

} // namespace
} // namespace kyvo::usbtool
