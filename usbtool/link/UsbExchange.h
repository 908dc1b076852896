#pragma once
// One exchange with the recorder: the record goes out in one bulk transfer
// and the recorder's answer comes back into the same buffer in a second.
//
//   1. bind the library, rescan busses and devices;
//   2. open the first device (bus order) with the recorder's vendor and
//      product id; none, or a failed open: "error: device not found!";
//   3. configuration 1, else "error: setting config 1 failed", close, stop;
//   4. claim interface 0, else "error: claiming interface 0 failed", close, stop;
//   5. bulk write to endpoint 0x03 (5000 ms); a short or failed write says
//      "error: bulk write failed" and goes on;
//   6. bulk read from endpoint 0x82 into the buffer (5000 ms); a short or
//      failed read says "error: bulk read failed" (the unread tail keeps
//      what was sent);
//   7. release interface 0 and close.
// Diagnostic lines (ending in "\n") go to the sink, standard output by
// default. No step is retried. Only a missing recorder is for the user: the
// caller shows kDeviceNotFoundMessage when the outcome says so.
//
// Blocks for up to two time-outs; run it off the GUI thread (ExchangeRunner).

#include <cstdint>
#include <functional>
#include <span>
#include <string_view>

namespace kyvo::usbtool {

class LibusbBinding;

inline constexpr int kRecorderVendorId = 0x09FA;
inline constexpr int kRecorderProductId = 0x6711;
inline constexpr int kRecorderConfiguration = 1;
inline constexpr int kRecorderInterface = 0;
inline constexpr int kRecorderEndpointOut = 0x03;
inline constexpr int kRecorderEndpointIn = 0x82;
inline constexpr int kTransferTimeoutMs = 5000;

inline constexpr char kDeviceNotFoundMessage[] = "Device not found.\n";

// NotStarted: no exchange ran, the worker thread for it could not be started
// (ExchangeRunner); the record is as it was sent.
enum class ExchangeOutcome { Completed, DeviceNotFound, ConfigurationFailed, ClaimFailed, NotStarted };

struct ExchangeResult {
    ExchangeOutcome outcome = ExchangeOutcome::DeviceNotFound;
    bool written = false; // the whole buffer went out
    bool read = false;    // the whole buffer came back
};

// Receives one diagnostic line; an empty function means standard output.
using DiagnosticSink = std::function<void(std::string_view line)>;

ExchangeResult UsbExchange(LibusbBinding& binding, std::span<std::uint8_t> buffer, const DiagnosticSink& sink = {});

} // namespace kyvo::usbtool
