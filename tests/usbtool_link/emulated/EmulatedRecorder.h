#pragma once
// A recorder emulated below the real libusb 0.1 library: umockdev puts a USB
// device into its test bed (sysfs entry and /dev/bus/usb/001/002 node whose
// contents are the recorder's descriptors) and hands every usbdevfs ioctl on
// the node to this class, which answers as the recorder would: it takes
// configuration 1 and interface 0, keeps what arrives on bulk OUT 0x03 and
// answers on bulk IN 0x82 with that record, its last five slots set to
// kAnswerTail.
//
// The program must run with umockdev's preload library (umockdev-wrapper).
// The ioctls are answered on umockdev's own thread; events() may be read
// from any thread.

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace emulated {

inline constexpr char kDeviceNode[] = "/dev/bus/usb/001/002";
inline constexpr std::uint8_t kAnswerTail = 0x5A;

class EmulatedRecorder {
public:
    EmulatedRecorder();
    ~EmulatedRecorder();
    EmulatedRecorder(const EmulatedRecorder&) = delete;
    EmulatedRecorder& operator=(const EmulatedRecorder&) = delete;

    // False, with the reason in error(), when the test bed could not be made.
    bool ready() const { return ready_; }
    const std::string& error() const { return error_; }

    // What the recorder saw, one line per request it answered, e.g.
    // "set_configuration 1", "bulk_out 0x03 336 <hex>", "bulk_in 0x82 336".
    std::vector<std::string> events() const;

    struct Device; // the ioctl side, reached from umockdev's callbacks

private:
    bool ready_ = false;
    std::string error_;
    std::unique_ptr<Device> device_;
    void* testbed_ = nullptr;
    void* handler_ = nullptr;
};

} // namespace emulated
