#pragma once
// The libusb 0.1 library, bound by name at run time.
//
// Before every exchange bind() loads the library file (once loaded it is
// reused and never unloaded) and looks up each entry point by its name;
// usb_init is called when it is found. A missing library or entry point
// makes the matching call answer kMissingEntry, or null for getBusses() and
// open(), so that a missing library behaves like a missing recorder.
//
// Owned by whoever runs exchanges (ExchangeRunner); used by one thread at a
// time. The library's own state is process-wide, so at most one exchange
// runs at once.

#include <string>

struct usb_bus;
struct usb_device;
struct usb_dev_handle;

namespace kyvo::usbtool {

// The Debian file of the libusb 0.1 interface.
inline constexpr char kLibusbLibrary[] = "libusb-0.1.so.4";
// Overrides the library file (tests point it at a stand-in recorder).
inline constexpr char kLibusbLibraryEnv[] = "KYVO_LIBUSB_LIBRARY";
// What a call answers when its entry point could not be bound.
inline constexpr int kMissingEntry = -2;

// kLibusbLibraryEnv when set and not empty, kLibusbLibrary otherwise.
std::string defaultLibusbLibrary();

class LibusbBinding {
public:
    explicit LibusbBinding(std::string libraryFile = defaultLibusbLibrary());
    ~LibusbBinding(); // never unloads the library
    LibusbBinding(const LibusbBinding&) = delete;
    LibusbBinding& operator=(const LibusbBinding&) = delete;

    // Loads the library if it is not loaded yet, looks up the entry points
    // and calls usb_init. Answers whether the library is loaded.
    bool bind();
    bool loaded() const;
    const std::string& libraryFile() const { return libraryFile_; }

    int findBusses();
    int findDevices();
    usb_bus* getBusses();
    usb_dev_handle* open(usb_device* device);
    int setConfiguration(usb_dev_handle* handle, int configuration);
    int claimInterface(usb_dev_handle* handle, int interface);
    int bulkWrite(usb_dev_handle* handle, int endpoint, char* bytes, int size, int timeoutMs);
    int bulkRead(usb_dev_handle* handle, int endpoint, char* bytes, int size, int timeoutMs);
    int releaseInterface(usb_dev_handle* handle, int interface);
    int close(usb_dev_handle* handle);

private:
    struct Entries;
    std::string libraryFile_;
    void* library_ = nullptr;
    Entries* entries_ = nullptr; // owned
};

} // namespace kyvo::usbtool
