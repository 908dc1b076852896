// A stand-in for the libusb 0.1 library that simulates recorders on busses
// held in memory, scripted by the test (see RecorderDouble.h). Built once
// whole and once per missing entry point (OMIT_USB_* definitions).

#include "RecorderDouble.h"

#include <usb.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#define DOUBLE_EXPORT extern "C" __attribute__((visibility("default")))

struct usb_dev_handle {
    struct usb_device* device;
};

namespace {

constexpr std::uint16_t kVendor = 0x09FA;
constexpr std::uint16_t kProduct = 0x6711;
constexpr std::uint16_t kOtherVendor = 0x1D6B;
constexpr std::uint16_t kOtherProduct = 0x6712;
constexpr std::size_t kRecordSize = RECORDER_DOUBLE_RECORD_SIZE;

class Double {
public:
    Double() { recorder_double_default(&script_); }

    void configure(const RecorderDoubleScript& script) {
        std::lock_guard lock(mutex_);
        script_ = script;
        log_.clear();
        received_.clear();
    }

    std::string log() const {
        std::lock_guard lock(mutex_);
        return log_;
    }

    std::vector<unsigned char> received() const {
        std::lock_guard lock(mutex_);
        return received_;
    }

    void init() {
        std::lock_guard lock(mutex_);
        note("usb_init()");
        initialised_ = true;
    }

    int findBusses() {
        std::lock_guard lock(mutex_);
        note("usb_find_busses()");
        if (!initialised_)
            return 0;
        buildBusses();
        return static_cast<int>(busses_.size());
    }

    int findDevices() {
        std::lock_guard lock(mutex_);
        note("usb_find_devices()");
        if (busses_.empty())
            return 0;
        buildDevices();
        return static_cast<int>(devices_.size());
    }

    usb_bus* getBusses() {
        std::lock_guard lock(mutex_);
        note("usb_get_busses()");
        return busses_.empty() ? nullptr : busses_.front().get();
    }

    usb_dev_handle* open(struct usb_device* device) {
        std::lock_guard lock(mutex_);
        const bool known = std::any_of(devices_.begin(), devices_.end(),
                                       [&](const auto& d) { return d.get() == device; });
        note("usb_open(" + (known ? name(device) : std::string("bad")) + ")");
        if (!known || script_.open_fails)
            return nullptr;
        auto* handle = new usb_dev_handle{device};
        handles_.insert(handle);
        return handle;
    }

    int setConfiguration(usb_dev_handle* handle, int configuration) {
        std::lock_guard lock(mutex_);
        note("usb_set_configuration(" + name(handle) + ", " + std::to_string(configuration) + ")");
        return valid(handle) ? script_.set_configuration_result : -ENODEV;
    }

    int claimInterface(usb_dev_handle* handle, int interface) {
        std::lock_guard lock(mutex_);
        note("usb_claim_interface(" + name(handle) + ", " + std::to_string(interface) + ")");
        return valid(handle) ? script_.claim_interface_result : -ENODEV;
    }

    int bulkWrite(usb_dev_handle* handle, int endpoint, const char* bytes, int size, int timeout) {
        std::lock_guard lock(mutex_);
        note("usb_bulk_write(" + transfer(handle, endpoint, size, timeout) + ")");
        if (!valid(handle))
            return -ENODEV;
        const int taken = script_.write_result == RECORDER_DOUBLE_WHOLE ? size : script_.write_result;
        if (taken >= 0) {
            const auto* first = reinterpret_cast<const unsigned char*>(bytes);
            received_.assign(first, first + std::min(taken, size));
        }
        return taken;
    }

    int bulkRead(usb_dev_handle* handle, int endpoint, char* bytes, int size, int timeout) {
        int delay = 0;
        {
            std::lock_guard lock(mutex_);
            note("usb_bulk_read(" + transfer(handle, endpoint, size, timeout) + ")");
            if (!valid(handle))
                return -ENODEV;
            delay = script_.read_delay_ms;
        }
        if (delay > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(delay));
        std::lock_guard lock(mutex_);
        const int answered = script_.read_result == RECORDER_DOUBLE_WHOLE ? size : script_.read_result;
        if (answered > 0) {
            const std::vector<unsigned char> answer = answerRecord();
            const auto count = std::min({static_cast<std::size_t>(answered), static_cast<std::size_t>(size),
                                         answer.size()});
            std::memcpy(bytes, answer.data(), count);
        }
        return answered;
    }

    int releaseInterface(usb_dev_handle* handle, int interface) {
        std::lock_guard lock(mutex_);
        note("usb_release_interface(" + name(handle) + ", " + std::to_string(interface) + ")");
        return valid(handle) ? 0 : -ENODEV;
    }

    int close(usb_dev_handle* handle) {
        std::lock_guard lock(mutex_);
        note("usb_close(" + name(handle) + ")");
        if (!valid(handle))
            return -ENODEV;
        handles_.erase(handle);
        delete handle;
        return 0;
    }

private:
    void note(const std::string& line) { log_ += line + "\n"; }

    bool valid(usb_dev_handle* handle) const { return handles_.count(handle) != 0; }

    static std::string name(const struct usb_device* device) {
        return std::string(device->bus->dirname) + "/" + device->filename;
    }
    std::string name(usb_dev_handle* handle) const { return valid(handle) ? name(handle->device) : "bad"; }

    std::string transfer(usb_dev_handle* handle, int endpoint, int size, int timeout) const {
        char text[64];
        std::snprintf(text, sizeof text, ", 0x%02x, %d, %d", endpoint, size, timeout);
        return name(handle) + text;
    }

    // The scripted answer, or what was received with the tail marked.
    std::vector<unsigned char> answerRecord() const {
        if (script_.answer_given)
            return {std::begin(script_.answer), std::end(script_.answer)};
        std::vector<unsigned char> answer = received_;
        answer.resize(kRecordSize);
        std::fill(answer.begin() + RECORDER_DOUBLE_TAIL_OFFSET, answer.end(),
                  static_cast<unsigned char>(RECORDER_DOUBLE_TAIL_BYTE));
        return answer;
    }

    // A rescan replaces the lists; handles still open keep pointing at the
    // old devices, which are kept until the library unloads.
    void buildBusses() {
        for (auto& bus : busses_)
            retired_.push_back(std::move(bus));
        busses_.clear();
        const int withDevices = std::max(script_.recorders, script_.foreign_before ? 1 : 0);
        const int count = withDevices + (script_.empty_bus_first ? 1 : 0);
        for (int i = 0; i < count; ++i) {
            auto bus = std::make_unique<usb_bus>();
            std::snprintf(bus->dirname, sizeof bus->dirname, "%03d", i + 1);
            bus->location = static_cast<std::uint32_t>(i + 1);
            if (i > 0) {
                busses_.back()->next = bus.get();
                bus->prev = busses_.back().get();
            }
            busses_.push_back(std::move(bus));
        }
    }

    void buildDevices() {
        for (auto& device : devices_)
            retiredDevices_.push_back(std::move(device));
        devices_.clear();
        for (auto& bus : busses_)
            bus->devices = nullptr;
        std::size_t busIndex = script_.empty_bus_first ? 1 : 0;
        if (busIndex < busses_.size() && script_.foreign_before) {
            add(*busses_[busIndex], kVendor, kOtherProduct);
            add(*busses_[busIndex], kOtherVendor, kProduct);
        }
        for (int i = 0; i < script_.recorders && busIndex < busses_.size(); ++i, ++busIndex)
            add(*busses_[busIndex], kVendor, kProduct);
    }

    void add(usb_bus& bus, std::uint16_t vendor, std::uint16_t product) {
        auto device = std::make_unique<struct usb_device>();
        // Device 001 of every bus is its root hub, which is not listed.
        int number = 2;
        struct usb_device* last = bus.devices;
        for (; last != nullptr && last->next != nullptr; last = last->next)
            ++number;
        if (last != nullptr)
            ++number;
        std::snprintf(device->filename, sizeof device->filename, "%03d", number);
        device->bus = &bus;
        device->devnum = static_cast<std::uint8_t>(number);
        device->descriptor.bLength = USB_DT_DEVICE_SIZE;
        device->descriptor.bDescriptorType = USB_DT_DEVICE;
        device->descriptor.idVendor = vendor;
        device->descriptor.idProduct = product;
        device->descriptor.bNumConfigurations = 1;
        if (last != nullptr) {
            last->next = device.get();
            device->prev = last;
        } else {
            bus.devices = device.get();
        }
        devices_.push_back(std::move(device));
    }

    mutable std::mutex mutex_;
    RecorderDoubleScript script_{};
    std::string log_;
    std::vector<unsigned char> received_;
    bool initialised_ = false;
    std::vector<std::unique_ptr<usb_bus>> busses_;
    std::vector<std::unique_ptr<struct usb_device>> devices_;
    std::vector<std::unique_ptr<usb_bus>> retired_;
    std::vector<std::unique_ptr<struct usb_device>> retiredDevices_;
    std::set<usb_dev_handle*> handles_;
};

Double& theDouble() {
    static Double instance;
    return instance;
}

} // namespace

// --- The test's controls ---

DOUBLE_EXPORT void recorder_double_default(RecorderDoubleScript* script) {
    *script = RecorderDoubleScript{};
    script->recorders = 1;
    script->write_result = RECORDER_DOUBLE_WHOLE;
    script->read_result = RECORDER_DOUBLE_WHOLE;
}

DOUBLE_EXPORT void recorder_double_configure(const RecorderDoubleScript* script) { theDouble().configure(*script); }

DOUBLE_EXPORT size_t recorder_double_log(char* out, size_t capacity) {
    const std::string log = theDouble().log();
    if (capacity > 0) {
        const std::size_t count = std::min(log.size(), capacity - 1);
        std::memcpy(out, log.data(), count);
        out[count] = '\0';
    }
    return log.size();
}

DOUBLE_EXPORT size_t recorder_double_received(unsigned char* out, size_t capacity) {
    const std::vector<unsigned char> received = theDouble().received();
    const std::size_t count = std::min(received.size(), capacity);
    if (count > 0)
        std::memcpy(out, received.data(), count);
    return received.size();
}

// --- The libusb 0.1 functions, with the signatures of <usb.h> ---

DOUBLE_EXPORT void usb_init(void) { theDouble().init(); }
DOUBLE_EXPORT int usb_find_busses(void) { return theDouble().findBusses(); }
DOUBLE_EXPORT int usb_find_devices(void) { return theDouble().findDevices(); }
DOUBLE_EXPORT struct usb_bus* usb_get_busses(void) { return theDouble().getBusses(); }
#ifndef OMIT_USB_OPEN
DOUBLE_EXPORT usb_dev_handle* usb_open(struct usb_device* dev) { return theDouble().open(dev); }
#endif
DOUBLE_EXPORT int usb_set_configuration(usb_dev_handle* dev, int configuration) {
    return theDouble().setConfiguration(dev, configuration);
}
DOUBLE_EXPORT int usb_claim_interface(usb_dev_handle* dev, int interface) {
    return theDouble().claimInterface(dev, interface);
}
DOUBLE_EXPORT int usb_bulk_write(usb_dev_handle* dev, int ep, const char* bytes, int size, int timeout) {
    return theDouble().bulkWrite(dev, ep, bytes, size, timeout);
}
#ifndef OMIT_USB_BULK_READ
DOUBLE_EXPORT int usb_bulk_read(usb_dev_handle* dev, int ep, char* bytes, int size, int timeout) {
    return theDouble().bulkRead(dev, ep, bytes, size, timeout);
}
#endif
DOUBLE_EXPORT int usb_release_interface(usb_dev_handle* dev, int interface) {
    return theDouble().releaseInterface(dev, interface);
}
DOUBLE_EXPORT int usb_close(usb_dev_handle* dev) { return theDouble().close(dev); }
