#pragma once
// UTF-8 names to Big5 (code page 950), the encoding of the map's road-name
// file. A character Big5 cannot hold becomes "?".

#include <string>
#include <string_view>

namespace kyvo::mapforge {

class Big5Converter {
public:
    Big5Converter();
    ~Big5Converter();
    Big5Converter(const Big5Converter&) = delete;
    Big5Converter& operator=(const Big5Converter&) = delete;

    bool ready() const;
    std::string convert(std::string_view utf8);

private:
    void* handle_;
};

} // namespace kyvo::mapforge
