#include "PlayerLibrary.h"

#include "ProgramFolders.h"

#include <dlfcn.h>

#include <cstdio>
#include <string>

namespace kyvo::player {

PlayerLibrary::~PlayerLibrary() = default; // the library stays mapped (see free())

std::string PlayerLibrary::inProgramLibraries(const std::string& name) {
    const auto& folder = programFolders().libraries;
    return folder.empty() ? name : (folder / name).string();
}

int PlayerLibrary::load(const char* name) {
    if (loaded())
        return kAlreadyLoaded;
    if (!name || !*name)
        return kNoName;
    // RTLD_NODELETE: freeing the binding never unmaps code that queued work of
    // the library (window jobs on the GUI thread) may still run.
    const int flags = RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE;
    void* module = nullptr;
    if (std::string(name).find('/') == std::string::npos)
        module = dlopen(inProgramLibraries(name).c_str(), flags);
    if (!module)
        module = dlopen(name, flags);
    if (!module) {
        std::fprintf(stderr, "player: cannot load %s: %s\n", name, dlerror());
        return kLoadFailed;
    }
    auto veloraFn = reinterpret_cast<OrvVeloraFn>(dlsym(module, orv::kExportVelora));
    auto setInstFn = reinterpret_cast<OrvSetInstFn>(dlsym(module, orv::kExportSetInst));
    auto setCallbackFn = reinterpret_cast<OrvSetCallbackFn>(dlsym(module, orv::kExportSetCallback));
    auto commandFn = reinterpret_cast<OrvCommandFn>(dlsym(module, orv::kExportCommand));
    module_.store(module);
    if (!veloraFn || !setInstFn || !setCallbackFn || !commandFn)
        return kExportMissing; // the module stays loaded, unbound
    velora_.store(veloraFn);
    setInst_.store(setInstFn);
    setCallback_.store(setCallbackFn);
    command_.store(commandFn);
    copyPicture_.store(reinterpret_cast<OrvCopyPictureFn>(dlsym(module, orv::kExportCopyPicture)));
    return kBound;
}

bool PlayerLibrary::free() {
    void* module = module_.load();
    if (!module)
        return false;
    if (OrvSetCallbackFn unregister = setCallback_.load())
        unregister(nullptr);
    if (dlclose(module) != 0)
        return false;
    reset();
    return true;
}

void PlayerLibrary::reset() {
    module_.store(nullptr);
    velora_.store(nullptr);
    setInst_.store(nullptr);
    setCallback_.store(nullptr);
    command_.store(nullptr);
    copyPicture_.store(nullptr);
}

int PlayerLibrary::velora(int argc, char** argv) const {
    OrvVeloraFn fn = velora_.load();
    return fn ? fn(argc, argv) : -1;
}

void PlayerLibrary::setInstance(void* instance) const {
    if (OrvSetInstFn fn = setInst_.load())
        fn(instance);
}

void PlayerLibrary::setCallback(OrvEventCallback callback) const {
    if (OrvSetCallbackFn fn = setCallback_.load())
        fn(callback);
}

void PlayerLibrary::command(const char* text) const {
    if (OrvCommandFn fn = command_.load())
        fn(text);
}

bool PlayerLibrary::copyPicture(int channel, std::uint8_t* out, std::size_t capacity, OrvPictureCopy& copy) const {
    OrvCopyPictureFn fn = copyPicture_.load();
    return fn != nullptr && fn(channel, out, capacity, &copy) == 1;
}

} // namespace kyvo::player
