#include "Big5Text.h"

#include <algorithm>
#include <cerrno>
#include <iconv.h>

namespace kyvo::mapforge {
namespace {

constexpr const char* kBig5Names[] = {"CP950", "BIG5"};
constexpr char kReplacement = '?';
const auto kNoHandle = reinterpret_cast<iconv_t>(-1);

// Big5 lead bytes; everything below is a one-byte (ASCII) character.
constexpr unsigned char kBig5LeadFirst = 0x81;

// Length of the UTF-8 sequence that starts with this byte (1 for a stray byte).
std::size_t utf8SequenceLength(unsigned char lead) {
    if (lead >= 0xF0)
        return 4;
    if (lead >= 0xE0)
        return 3;
    if (lead >= 0xC0)
        return 2;
    return 1;
}

} // namespace

Big5Converter::Big5Converter(Big5Direction direction) : direction_(direction), handle_(kNoHandle) {
    for (const char* name : kBig5Names) {
        handle_ = direction == Big5Direction::FromUtf8 ? iconv_open(name, "UTF-8") : iconv_open("UTF-8", name);
        if (handle_ != kNoHandle)
            break;
    }
}

Big5Converter::~Big5Converter() {
    if (ready())
        iconv_close(static_cast<iconv_t>(handle_));
}

bool Big5Converter::ready() const { return handle_ != kNoHandle; }

std::size_t Big5Converter::characterLength(unsigned char lead) const {
    if (direction_ == Big5Direction::FromUtf8)
        return utf8SequenceLength(lead);
    return lead >= kBig5LeadFirst ? 2 : 1;
}

std::string Big5Converter::convert(std::string_view text) {
    std::string out;
    if (!ready())
        return out;
    auto* cd = static_cast<iconv_t>(handle_);
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char buffer[8];
    std::size_t at = 0;
    // One character at a time, so that a character the other side lacks costs only itself.
    while (at < text.size()) {
        const std::size_t length = std::min(characterLength(static_cast<unsigned char>(text[at])), text.size() - at);
        char* in = const_cast<char*>(text.data() + at);
        std::size_t inLeft = length;
        char* result = buffer;
        std::size_t outLeft = sizeof buffer;
        if (iconv(cd, &in, &inLeft, &result, &outLeft) == static_cast<std::size_t>(-1)) {
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
            out += kReplacement;
        } else {
            out.append(buffer, static_cast<std::size_t>(result - buffer));
        }
        at += length;
    }
    return out;
}

} // namespace kyvo::mapforge
