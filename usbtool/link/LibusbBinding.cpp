#include "LibusbBinding.h"

#include <usb.h>

#include <dlfcn.h>

#include <cstdlib>
#include <utility>

namespace kyvo::usbtool {

// The entry points, looked up by name on every bind(); a null pointer is an
// entry point the library does not offer.
struct LibusbBinding::Entries {
    void (*init)() = nullptr;
    int (*findBusses)() = nullptr;
    int (*findDevices)() = nullptr;
    usb_bus* (*getBusses)() = nullptr;
    usb_dev_handle* (*open)(struct usb_device*) = nullptr;
    int (*setConfiguration)(usb_dev_handle*, int) = nullptr;
    int (*claimInterface)(usb_dev_handle*, int) = nullptr;
    int (*bulkWrite)(usb_dev_handle*, int, const char*, int, int) = nullptr;
    int (*bulkRead)(usb_dev_handle*, int, char*, int, int) = nullptr;
    int (*releaseInterface)(usb_dev_handle*, int) = nullptr;
    int (*close)(usb_dev_handle*) = nullptr;
};

namespace {

// dlsym answers an object pointer; POSIX guarantees it converts to the
// function pointer type of the symbol.
template <typename Function>
void lookUp(void* library, const char* name, Function& entry) {
    entry = reinterpret_cast<Function>(dlsym(library, name));
}

} // namespace

std::string defaultLibusbLibrary() {
    const char* chosen = std::getenv(kLibusbLibraryEnv);
    if (chosen != nullptr && *chosen != '\0')
        return chosen;
    return kLibusbLibrary;
}

LibusbBinding::LibusbBinding(std::string libraryFile)
    : libraryFile_(std::move(libraryFile)), entries_(new Entries) {}

// The library stays loaded: its process-wide state (bus lists, open
// devices) may outlive this object, and unloading it could pull code from
// under a thread that still runs in it.
LibusbBinding::~LibusbBinding() { delete entries_; }

bool LibusbBinding::bind() {
    if (library_ == nullptr)
        library_ = dlopen(libraryFile_.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
    *entries_ = Entries{};
    if (library_ == nullptr)
        return false;
    lookUp(library_, "usb_init", entries_->init);
    lookUp(library_, "usb_find_busses", entries_->findBusses);
    lookUp(library_, "usb_find_devices", entries_->findDevices);
    lookUp(library_, "usb_get_busses", entries_->getBusses);
    lookUp(library_, "usb_open", entries_->open);
    lookUp(library_, "usb_set_configuration", entries_->setConfiguration);
    lookUp(library_, "usb_claim_interface", entries_->claimInterface);
    lookUp(library_, "usb_bulk_write", entries_->bulkWrite);
    lookUp(library_, "usb_bulk_read", entries_->bulkRead);
    lookUp(library_, "usb_release_interface", entries_->releaseInterface);
    lookUp(library_, "usb_close", entries_->close);
    if (entries_->init != nullptr)
        entries_->init();
    return true;
}

bool LibusbBinding::loaded() const { return library_ != nullptr; }

int LibusbBinding::findBusses() { return entries_->findBusses ? entries_->findBusses() : kMissingEntry; }

int LibusbBinding::findDevices() { return entries_->findDevices ? entries_->findDevices() : kMissingEntry; }

usb_bus* LibusbBinding::getBusses() { return entries_->getBusses ? entries_->getBusses() : nullptr; }

usb_dev_handle* LibusbBinding::open(struct usb_device* device) {
    return entries_->open ? entries_->open(device) : nullptr;
}

int LibusbBinding::setConfiguration(usb_dev_handle* handle, int configuration) {
    return entries_->setConfiguration ? entries_->setConfiguration(handle, configuration) : kMissingEntry;
}

int LibusbBinding::claimInterface(usb_dev_handle* handle, int interface) {
    return entries_->claimInterface ? entries_->claimInterface(handle, interface) : kMissingEntry;
}

int LibusbBinding::bulkWrite(usb_dev_handle* handle, int endpoint, char* bytes, int size, int timeoutMs) {
    return entries_->bulkWrite ? entries_->bulkWrite(handle, endpoint, bytes, size, timeoutMs) : kMissingEntry;
}

int LibusbBinding::bulkRead(usb_dev_handle* handle, int endpoint, char* bytes, int size, int timeoutMs) {
    return entries_->bulkRead ? entries_->bulkRead(handle, endpoint, bytes, size, timeoutMs) : kMissingEntry;
}

int LibusbBinding::releaseInterface(usb_dev_handle* handle, int interface) {
    return entries_->releaseInterface ? entries_->releaseInterface(handle, interface) : kMissingEntry;
}

int LibusbBinding::close(usb_dev_handle* handle) {
    return entries_->close ? entries_->close(handle) : kMissingEntry;
}

} // namespace kyvo::usbtool
