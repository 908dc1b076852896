#include "EmulatedRecorder.h"

#include <umockdev.h>

#include <linux/usbdevice_fs.h>
#include <sys/ioctl.h>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstdio>
#include <cstring>

namespace emulated {
namespace {

constexpr std::size_t kRecordSize = 336;
constexpr std::size_t kTailOffset = 316;
constexpr unsigned kDeviceNumber = 2;
constexpr unsigned char kEndpointOut = 0x03;
constexpr unsigned char kEndpointIn = 0x82;

// What reading the device node answers: the device descriptor followed by
// its one configuration (interface 0 with the two bulk endpoints), as the
// kernel's usbfs presents them.
constexpr std::uint8_t kDescriptors[] = {
    // device: USB 2.0, class per interface, 64-byte control packets,
    // vendor 0x09FA, product 0x6711, release 1.00, no strings, 1 configuration
    0x12, 0x01, 0x00, 0x02, 0x00, 0x00, 0x00, 0x40, 0xFA, 0x09, 0x11, 0x67, 0x00, 0x01, 0x00, 0x00, 0x00, 0x01,
    // configuration 1: 32 bytes in all, 1 interface, bus powered, 100 mA
    0x09, 0x02, 0x20, 0x00, 0x01, 0x01, 0x00, 0x80, 0x32,
    // interface 0, alternate 0: 2 endpoints, vendor class
    0x09, 0x04, 0x00, 0x00, 0x02, 0xFF, 0x00, 0x00, 0x00,
    // bulk OUT 0x03 and bulk IN 0x82, 512-byte packets
    0x07, 0x05, 0x03, 0x02, 0x00, 0x02, 0x00,
    0x07, 0x05, 0x82, 0x02, 0x00, 0x02, 0x00,
};

std::string hex(const std::uint8_t* bytes, std::size_t count) {
    std::string text;
    char digits[3];
    for (std::size_t i = 0; i < count; ++i) {
        std::snprintf(digits, sizeof digits, "%02X", bytes[i]);
        text += digits;
    }
    return text;
}

// The device in umockdev's description format: its sysfs path, the node
// with its contents, udev properties and sysfs attributes.
std::string description() {
    return "P: /devices/pci0000:00/0000:00:14.0/usb1/1-1\n"
           "N: bus/usb/001/002=" + hex(kDescriptors, sizeof kDescriptors) + "\n"
           "E: DEVNAME=/dev/bus/usb/001/002\n"
           "E: DEVTYPE=usb_device\n"
           "E: SUBSYSTEM=usb\n"
           "E: BUSNUM=001\n"
           "E: DEVNUM=002\n"
           "A: busnum=1\n"
           "A: devnum=2\n"
           "A: idVendor=09fa\n"
           "A: idProduct=6711\n";
}

} // namespace

struct EmulatedRecorder::Device {
    mutable std::mutex mutex;
    std::vector<std::string> events;
    std::vector<std::uint8_t> received;
    gulong pendingUrb = 0; // the client's address of the URB not reaped yet

    void note(std::string event) {
        std::lock_guard lock(mutex);
        events.push_back(std::move(event));
    }

    // Answers one ioctl; false leaves it to umockdev (which refuses it).
    bool answer(UMockdevIoctlClient* client) {
        UMockdevIoctlData* arg = umockdev_ioctl_client_get_arg(client);
        switch (umockdev_ioctl_client_get_request(client)) {
        case USBDEVFS_CONNECTINFO: {
            UMockdevIoctlData* info = umockdev_ioctl_data_resolve(arg, 0, sizeof(usbdevfs_connectinfo), nullptr);
            if (info == nullptr)
                return fail(client, EFAULT);
            usbdevfs_connectinfo answer{kDeviceNumber, 0};
            std::memcpy(info->data, &answer, sizeof answer);
            break;
        }
        case USBDEVFS_SETCONFIGURATION:
            return value(client, arg, "set_configuration ");
        case USBDEVFS_CLAIMINTERFACE:
            return value(client, arg, "claim_interface ");
        case USBDEVFS_RELEASEINTERFACE:
            return value(client, arg, "release_interface ");
        case USBDEVFS_SUBMITURB:
            return submit(client, arg);
        case USBDEVFS_REAPURB:
        case USBDEVFS_REAPURBNDELAY:
            return reap(client, arg);
        default:
            return false;
        }
        umockdev_ioctl_client_complete(client, 0, 0);
        return true;
    }

    static bool fail(UMockdevIoctlClient* client, int error) {
        umockdev_ioctl_client_complete(client, -1, error);
        return true;
    }

    bool value(UMockdevIoctlClient* client, UMockdevIoctlData* arg, const char* event) {
        UMockdevIoctlData* number = umockdev_ioctl_data_resolve(arg, 0, sizeof(unsigned), nullptr);
        if (number == nullptr)
            return fail(client, EFAULT);
        unsigned n = 0;
        std::memcpy(&n, number->data, sizeof n);
        note(event + std::to_string(n));
        umockdev_ioctl_client_complete(client, 0, 0);
        return true;
    }

    // A bulk transfer completes at once; the next reap hands the URB back.
    bool submit(UMockdevIoctlClient* client, UMockdevIoctlData* arg) {
        UMockdevIoctlData* urbData = umockdev_ioctl_data_resolve(arg, 0, sizeof(usbdevfs_urb), nullptr);
        if (urbData == nullptr)
            return fail(client, EFAULT);
        auto* urb = reinterpret_cast<usbdevfs_urb*>(urbData->data);
        const auto length = static_cast<std::size_t>(std::max(urb->buffer_length, 0));
        UMockdevIoctlData* buffer =
            umockdev_ioctl_data_resolve(urbData, offsetof(usbdevfs_urb, buffer), length, nullptr);
        if (urb->type != USBDEVFS_URB_TYPE_BULK || (buffer == nullptr && length > 0))
            return fail(client, EINVAL);

        char head[32];
        std::snprintf(head, sizeof head, "0x%02x %zu", urb->endpoint, length);
        std::lock_guard lock(mutex);
        if (urb->endpoint == kEndpointOut) {
            received.assign(buffer->data, buffer->data + length);
            events.push_back(std::string("bulk_out ") + head + " " + hex(received.data(), received.size()));
        } else if (urb->endpoint == kEndpointIn) {
            std::vector<std::uint8_t> record = received;
            record.resize(kRecordSize);
            std::fill(record.begin() + kTailOffset, record.end(), kAnswerTail);
            std::memcpy(buffer->data, record.data(), std::min(length, record.size()));
            events.push_back(std::string("bulk_in ") + head);
        } else {
            events.push_back(std::string("unknown endpoint ") + head);
            umockdev_ioctl_client_complete(client, -1, EPIPE);
            return true;
        }
        urb->actual_length = static_cast<int>(std::min(length, kRecordSize));
        urb->status = 0;
        pendingUrb = urbData->client_addr;
        umockdev_ioctl_client_complete(client, 0, 0);
        return true;
    }

    bool reap(UMockdevIoctlClient* client, UMockdevIoctlData* arg) {
        std::lock_guard lock(mutex);
        if (pendingUrb == 0)
            return fail(client, EAGAIN);
        UMockdevIoctlData* context = umockdev_ioctl_data_resolve(arg, 0, sizeof(void*), nullptr);
        if (context == nullptr)
            return fail(client, EFAULT);
        std::memcpy(context->data, &pendingUrb, sizeof pendingUrb);
        pendingUrb = 0;
        umockdev_ioctl_client_complete(client, 0, 0);
        return true;
    }
};

namespace {

gboolean onIoctl(UMockdevIoctlBase*, UMockdevIoctlClient* client, gpointer device) {
    return static_cast<EmulatedRecorder::Device*>(device)->answer(client) ? TRUE : FALSE;
}

} // namespace

EmulatedRecorder::EmulatedRecorder() : device_(std::make_unique<Device>()) {
    UMockdevTestbed* testbed = umockdev_testbed_new();
    testbed_ = testbed;
    GError* failure = nullptr;
    if (!umockdev_testbed_add_from_string(testbed, description().c_str(), &failure)) {
        error_ = std::string("cannot add the device: ") + failure->message;
        g_error_free(failure);
        return;
    }
    UMockdevIoctlBase* handler = umockdev_ioctl_base_new();
    handler_ = handler;
    // GCallback is the generic function type; any handler converts to it.
    g_signal_connect(handler, "handle-ioctl", reinterpret_cast<GCallback>(reinterpret_cast<void (*)()>(onIoctl)),
                     device_.get());
    if (!umockdev_testbed_attach_ioctl(testbed, kDeviceNode, handler, &failure)) {
        error_ = std::string("cannot attach the ioctl handler: ") + failure->message;
        g_error_free(failure);
        return;
    }
    ready_ = true;
}

EmulatedRecorder::~EmulatedRecorder() {
    if (handler_ != nullptr && ready_)
        umockdev_testbed_detach_ioctl(static_cast<UMockdevTestbed*>(testbed_), kDeviceNode, nullptr);
    if (handler_ != nullptr)
        g_object_unref(handler_);
    g_object_unref(testbed_); // removes the test bed's files
}

std::vector<std::string> EmulatedRecorder::events() const {
    std::lock_guard lock(device_->mutex);
    return device_->events;
}

} // namespace emulated
