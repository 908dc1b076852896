// Binding the library by name: which file, keeping it loaded, a missing one,
// and the real libusb 0.1 library of this machine.

#include "DoubleLibrary.h"
#include "LibusbBinding.h"
#include "RecorderConfig.h"
#include "TempFolder.h"
#include "UsbExchange.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace kyvo::usbtool {
namespace {

namespace fs = std::filesystem;

constexpr char kRealLibrary[] = "/usr/lib/x86_64-linux-gnu/libusb-0.1.so.4";

// A private copy of the stand-in library, so the test decides when it
// exists. A loaded library stays loaded, so every copy has a new path: a
// fresh folder of its own.
class LibraryCopy {
public:
    LibraryCopy() : path_(folder_ / "libusb-double.so") {}
    void create() const { fs::copy_file(USB_RECORDER_DOUBLE_PATH, path_, fs::copy_options::overwrite_existing); }
    void remove() const { fs::remove(path_); }
    std::string path() const { return path_.string(); }

private:
    kyvo::test::TempFolder folder_{"usblink"};
    fs::path path_;
};

ExchangeResult exchangeQuietly(LibusbBinding& binding, RecorderConfig& record) {
    return UsbExchange(binding, record.bytes(), [](std::string_view) {});
}

TEST(LibusbBinding, LibraryFileFromTheEnvironmentOrTheDebianName) {
    ASSERT_EQ(unsetenv(kLibusbLibraryEnv), 0);
    EXPECT_EQ(defaultLibusbLibrary(), "libusb-0.1.so.4");
    EXPECT_EQ(LibusbBinding().libraryFile(), "libusb-0.1.so.4");
    setenv(kLibusbLibraryEnv, "", 1);
    EXPECT_EQ(defaultLibusbLibrary(), "libusb-0.1.so.4");
    setenv(kLibusbLibraryEnv, "/opt/stand-in.so", 1);
    EXPECT_EQ(defaultLibusbLibrary(), "/opt/stand-in.so");
    unsetenv(kLibusbLibraryEnv);
}

TEST(LibusbBinding, MissingLibraryAnswersLikeNoDevice) {
    LibusbBinding binding("/nonexistent/libusb-0.1.so.4");
    EXPECT_FALSE(binding.bind());
    EXPECT_FALSE(binding.loaded());
    char bytes[4] = {};
    EXPECT_EQ(binding.findBusses(), kMissingEntry);
    EXPECT_EQ(binding.findDevices(), kMissingEntry);
    EXPECT_EQ(binding.getBusses(), nullptr);
    EXPECT_EQ(binding.open(nullptr), nullptr);
    EXPECT_EQ(binding.setConfiguration(nullptr, 1), kMissingEntry);
    EXPECT_EQ(binding.claimInterface(nullptr, 0), kMissingEntry);
    EXPECT_EQ(binding.bulkWrite(nullptr, 3, bytes, 4, 1), kMissingEntry);
    EXPECT_EQ(binding.bulkRead(nullptr, 0x82, bytes, 4, 1), kMissingEntry);
    EXPECT_EQ(binding.releaseInterface(nullptr, 0), kMissingEntry);
    EXPECT_EQ(binding.close(nullptr), kMissingEntry);
}

// Loaded once, the library stays: a later binding of the same file uses it
// even when the file is gone; a file that appears later is loaded then.
TEST(LibusbBinding, LoadsWhenTheFileAppearsAndNeverUnloads) {
    LibraryCopy copy;
    RecorderConfig record;
    {
        LibusbBinding binding(copy.path());
        EXPECT_EQ(exchangeQuietly(binding, record).outcome, ExchangeOutcome::DeviceNotFound);
        copy.create();
        EXPECT_EQ(exchangeQuietly(binding, record).outcome, ExchangeOutcome::Completed);
        EXPECT_TRUE(binding.loaded());
    }
    void* stillLoaded = dlopen(copy.path().c_str(), RTLD_NOW | RTLD_NOLOAD);
    EXPECT_NE(stillLoaded, nullptr);
    if (stillLoaded != nullptr)
        dlclose(stillLoaded);

    copy.remove();
    LibusbBinding later(copy.path());
    EXPECT_EQ(exchangeQuietly(later, record).outcome, ExchangeOutcome::Completed);
    EXPECT_EQ(record.bytes()[field::kUntouched], 0xA5);
}

// The real library, with no recorder attached to this machine, finds none;
// the record stays as it was.
TEST(LibusbBinding, RealLibraryWithoutRecorderFindsNoDevice) {
    if (!fs::exists(kRealLibrary))
        GTEST_SKIP() << kRealLibrary << " is not installed (Debian libusb-0.1-4)";
    LibusbBinding binding(kLibusbLibrary);
    RecorderConfig record;
    record.set(field::kYear, 2024);
    const RecorderConfig sent = record;
    std::vector<std::string> diagnostics;
    const ExchangeResult result =
        UsbExchange(binding, record.bytes(), [&](std::string_view line) { diagnostics.emplace_back(line); });
    ASSERT_TRUE(binding.loaded());
    EXPECT_EQ(result.outcome, ExchangeOutcome::DeviceNotFound);
    EXPECT_EQ(record, sent);
    EXPECT_EQ(diagnostics, std::vector<std::string>{"error: device not found!\n"});

    // It was the real library the name led to.
    void* real = dlopen(kLibusbLibrary, RTLD_NOW | RTLD_NOLOAD);
    ASSERT_NE(real, nullptr);
    Dl_info info{};
    ASSERT_NE(dladdr(dlsym(real, "usb_init"), &info), 0);
    EXPECT_EQ(fs::canonical(info.dli_fname), fs::canonical(kRealLibrary));
    dlclose(real);
}

} // namespace
} // namespace kyvo::usbtool
