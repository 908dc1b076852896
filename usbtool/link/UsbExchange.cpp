#include "UsbExchange.h"

#include "LibusbBinding.h"

#include <usb.h>

#include <climits>
#include <cstdio>

namespace kyvo::usbtool {
namespace {

constexpr char kNotFound[] = "error: device not found!\n";
constexpr char kConfigurationFailed[] = "error: setting config 1 failed\n";
constexpr char kClaimFailed[] = "error: claiming interface 0 failed\n";
constexpr char kWriteFailed[] = "error: bulk write failed\n";
constexpr char kReadFailed[] = "error: bulk read failed\n";

void say(const DiagnosticSink& sink, std::string_view line) {
    if (sink) {
        sink(line);
        return;
    }
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fflush(stdout);
}

bool isRecorder(const struct usb_device& device) {
    return device.descriptor.idVendor == kRecorderVendorId && device.descriptor.idProduct == kRecorderProductId;
}

// The first recorder in bus order, or null. Either list may be empty (null).
struct usb_device* findRecorder(LibusbBinding& binding) {
    for (usb_bus* bus = binding.getBusses(); bus != nullptr; bus = bus->next)
        for (struct usb_device* device = bus->devices; device != nullptr; device = device->next)
            if (isRecorder(*device))
                return device;
    return nullptr;
}

} // namespace

ExchangeResult UsbExchange(LibusbBinding& binding, std::span<std::uint8_t> buffer, const DiagnosticSink& sink) {
    ExchangeResult result;

    // 1. Bind and rescan. The counts of changes are of no interest.
    binding.bind();
    binding.findBusses();
    binding.findDevices();

    // 2. The first recorder, opened.
    struct usb_device* device = findRecorder(binding);
    usb_dev_handle* handle = device != nullptr ? binding.open(device) : nullptr;
    if (handle == nullptr) {
        say(sink, kNotFound);
        result.outcome = ExchangeOutcome::DeviceNotFound;
        return result;
    }

    // 3. and 4. Configuration and interface; the interface is not claimed on
    // either failure, so only the device is closed.
    if (binding.setConfiguration(handle, kRecorderConfiguration) < 0) {
        say(sink, kConfigurationFailed);
        binding.close(handle);
        result.outcome = ExchangeOutcome::ConfigurationFailed;
        return result;
    }
    if (binding.claimInterface(handle, kRecorderInterface) < 0) {
        say(sink, kClaimFailed);
        binding.close(handle);
        result.outcome = ExchangeOutcome::ClaimFailed;
        return result;
    }

    // 5. and 6. Out and back through the same buffer. A transfer's size is an
    // int: a longer buffer cannot go in one transfer, so neither is tried.
    const bool fits = buffer.size() <= static_cast<std::size_t>(INT_MAX);
    const int size = fits ? static_cast<int>(buffer.size()) : 0;
    char* bytes = reinterpret_cast<char*>(buffer.data());
    result.written = fits && binding.bulkWrite(handle, kRecorderEndpointOut, bytes, size, kTransferTimeoutMs) == size;
    if (!result.written)
        say(sink, kWriteFailed);
    result.read = fits && binding.bulkRead(handle, kRecorderEndpointIn, bytes, size, kTransferTimeoutMs) == size;
    if (!result.read)
        say(sink, kReadFailed);

    // 7. Done with the device.
    binding.releaseInterface(handle, kRecorderInterface);
    binding.close(handle);
    result.outcome = ExchangeOutcome::Completed;
    return result;
}

} // namespace kyvo::usbtool
