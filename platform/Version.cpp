#include "Version.h"

namespace kyvo {

std::array<std::uint16_t, 4> programVersion() {
    return {KYVO_VERSION_MAJOR, KYVO_VERSION_MINOR, KYVO_VERSION_PATCH, 0};
}

} // namespace kyvo
