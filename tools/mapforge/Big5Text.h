#pragma once
// Text between UTF-8 and Big5 (code page 950), the encoding of the map's
// road-name file. Conversion goes one character at a time, so a character
// the other side cannot hold becomes "?" and costs only itself.

#include <string>
#include <string_view>

namespace kyvo::mapforge {

enum class Big5Direction { FromUtf8, ToUtf8 };

class Big5Converter {
public:
    explicit Big5Converter(Big5Direction direction = Big5Direction::FromUtf8);
    ~Big5Converter();
    Big5Converter(const Big5Converter&) = delete;
    Big5Converter& operator=(const Big5Converter&) = delete;

    bool ready() const;
    std::string convert(std::string_view text);

private:
    std::size_t characterLength(unsigned char lead) const;

    Big5Direction direction_;
    void* handle_;
};

} // namespace kyvo::mapforge
