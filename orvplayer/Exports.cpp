// The library's exports. Only these four names are visible outside.

#include "OrvPlayerAbi.h"
#include "Player.h"

#define ORV_EXPORT extern "C" __attribute__((visibility("default")))

ORV_EXPORT int Velora(int argc, char** argv) {
    return orv::Player::instance().run(argc, argv);
}

ORV_EXPORT void setInst(void* instance) {
    orv::Player::instance().setInstance(instance);
}

ORV_EXPORT void setW(OrvEventCallback callback) {
    orv::Player::instance().setCallback(callback);
}

ORV_EXPORT void cmd_direct(const char* command) {
    orv::Player::instance().command(command);
}

ORV_EXPORT int orv_copy_picture(int channel, std::uint8_t* out, std::size_t capacity, OrvPictureCopy* copy) {
    if (copy == nullptr)
        return 0;
    return orv::Player::instance().copyPicture(channel, out, capacity, *copy) ? 1 : 0;
}
