// Runs one exchange through the real libusb 0.1 library against the
// emulated recorder and reports, one "key value" line each: the library
// file the name led to, the outcome, the diagnostics, the record sent and
// the record after the exchange, and what the recorder saw. Started by the
// test under umockdev-wrapper; exit status 2 when the test bed failed.

#include "EmulatedRecorder.h"
#include "LibusbBinding.h"
#include "RecorderConfig.h"
#include "UsbExchange.h"

#include <dlfcn.h>

#include <cstdio>
#include <string>
#include <string_view>

namespace {

using namespace kyvo::usbtool;

constexpr int kTestBedFailed = 2;

const char* outcomeName(ExchangeOutcome outcome) {
    switch (outcome) {
    case ExchangeOutcome::Completed: return "Completed";
    case ExchangeOutcome::DeviceNotFound: return "DeviceNotFound";
    case ExchangeOutcome::ConfigurationFailed: return "ConfigurationFailed";
    case ExchangeOutcome::ClaimFailed: return "ClaimFailed";
    case ExchangeOutcome::NotStarted: return "NotStarted";
    }
    return "?";
}

void printRecord(const char* key, const RecorderConfig& record) {
    std::printf("%s ", key);
    for (std::uint8_t byte : record.bytes())
        std::printf("%02X", byte);
    std::printf("\n");
}

std::string loadedFrom(const char* library) {
    void* module = dlopen(library, RTLD_NOW | RTLD_NOLOAD);
    Dl_info info{};
    const bool found = module != nullptr && dladdr(dlsym(module, "usb_init"), &info) != 0;
    if (module != nullptr)
        dlclose(module);
    return found && info.dli_fname != nullptr ? info.dli_fname : "none";
}

} // namespace

int main() {
    emulated::EmulatedRecorder recorder;
    if (!recorder.ready()) {
        std::printf("error %s\n", recorder.error().c_str());
        return kTestBedFailed;
    }

    RecorderConfig record;
    for (std::size_t i = 0; i < RecorderConfig::kSize; ++i)
        record.bytes()[i] = static_cast<std::uint8_t>(i * 7 + 3);
    printRecord("sent", record);

    LibusbBinding binding(kLibusbLibrary);
    const ExchangeResult result = UsbExchange(binding, record.bytes(), [](std::string_view line) {
        std::printf("diagnostic %.*s", static_cast<int>(line.size()), line.data());
    });
    std::printf("library %s\n", loadedFrom(kLibusbLibrary).c_str());
    std::printf("outcome %s\nwritten %d\nread %d\n", outcomeName(result.outcome), result.written, result.read);
    printRecord("answer", record);
    for (const std::string& event : recorder.events())
        std::printf("device %s\n", event.c_str());
    return 0;
}
