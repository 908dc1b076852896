#include "Cp950Decoder.h"

#include <iconv.h>

namespace kyvo::fontmaker {
namespace {

constexpr const char* kBig5TableNames[] = {"CP950", "BIG5"};
constexpr const char* kCodePointEncoding = "UTF-32BE";
constexpr std::size_t kCodePointSize = 4;
// Room for two code points: a code that decodes to more than one is refused.
constexpr std::size_t kOutputRoom = 2 * kCodePointSize;
const auto kNoHandle = reinterpret_cast<iconv_t>(-1);

} // namespace

Cp950Decoder::Cp950Decoder() : handle_(kNoHandle) {
    for (const char* name : kBig5TableNames) {
        handle_ = iconv_open(kCodePointEncoding, name);
        if (handle_ != kNoHandle)
            break;
    }
}

Cp950Decoder::~Cp950Decoder() {
    if (ready())
        iconv_close(static_cast<iconv_t>(handle_));
}

bool Cp950Decoder::ready() const { return handle_ != kNoHandle; }

std::optional<char32_t> Cp950Decoder::decode(Big5Code code) {
    if (!ready())
        return std::nullopt;
    auto* cd = static_cast<iconv_t>(handle_);
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char input[2] = {static_cast<char>(code.lead), static_cast<char>(code.trail)};
    unsigned char output[kOutputRoom] = {};
    char* in = input;
    std::size_t inLeft = sizeof input;
    char* out = reinterpret_cast<char*>(output);
    std::size_t outLeft = sizeof output;
    if (iconv(cd, &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1) || inLeft != 0 ||
        sizeof output - outLeft != kCodePointSize)
        return std::nullopt;
    return static_cast<char32_t>(output[0]) << 24 | static_cast<char32_t>(output[1]) << 16 |
           static_cast<char32_t>(output[2]) << 8 | static_cast<char32_t>(output[3]);
}

} // namespace kyvo::fontmaker
