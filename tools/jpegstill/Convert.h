#pragma once
// One conversion of jpegstill: a BMP or PPM file in, a JPEG file out, through
// the still writer.

#include <string>

namespace kyvo::jpegstill {

// Answers an empty string on success, otherwise what went wrong.
std::string convertFile(const std::string& input, const std::string& output);

} // namespace kyvo::jpegstill
