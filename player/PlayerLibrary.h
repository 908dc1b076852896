#pragma once
// The binding of the playback library: loaded by name, from the program's own
// libraries first, with its four exports resolved. One instance per adapter; used from
// the GUI thread and (for the exports) from the adapter's threads while bound.

#include "OrvPlayerAbi.h"

#include <atomic>
#include <string>

namespace kyvo::player {

class PlayerLibrary {
public:
    // Load results.
    enum LoadResult : int { kBound = 0, kAlreadyLoaded = 1, kNoName = 2, kExportMissing = 3, kLoadFailed = 4 };

    ~PlayerLibrary();

    int load(const char* name);
    // Frees the library; false when none is loaded or freeing failed (the binding is then kept).
    bool free();
    bool loaded() const { return module_.load() != nullptr; }

    int velora(int argc, char** argv) const;
    void setInstance(void* instance) const;
    void setCallback(OrvEventCallback callback) const;
    void command(const char* text) const;
    bool hasVelora() const { return velora_.load() != nullptr; }
    // The newest picture of a channel, copied under the library's lock; false
    // when the library has no such export, no picture yet, or `capacity` is
    // short. Safe from any thread while the library is loaded.
    bool copyPicture(int channel, std::uint8_t* out, std::size_t capacity, OrvPictureCopy& copy) const;

    // Where a library name is looked for first: the private libraries' folder
    // of the running program (beside it in the build tree).
    static std::string inProgramLibraries(const std::string& name);

private:
    void reset();

    std::atomic<void*> module_{nullptr};
    std::atomic<OrvVeloraFn> velora_{nullptr};
    std::atomic<OrvSetInstFn> setInst_{nullptr};
    std::atomic<OrvSetCallbackFn> setCallback_{nullptr};
    std::atomic<OrvCommandFn> command_{nullptr};
    std::atomic<OrvCopyPictureFn> copyPicture_{nullptr}; // optional export
};

} // namespace kyvo::player
