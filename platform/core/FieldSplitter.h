#pragma once
// Field splitter shared by the NMEA decoder and the configuration texts.
//
// A field runs from the current position up to the next separator. It also
// ends early at a NUL or at "*" (the NMEA checksum separator); the text after
// the stopping character is the next field. A field longer than the caller's
// buffer is cut to it. The text is never read beyond its end.

#include <cstddef>
#include <string>
#include <string_view>

namespace kyvo {

class FieldSplitter {
public:
    FieldSplitter(std::string_view text, char separator);

    // Takes the next field into `out`, cut to at most `maxLength` bytes.
    // Answers false, leaving `out` empty, when the text is exhausted.
    bool next(std::string& out, std::size_t maxLength = std::string::npos);

    // Skips one field; false when the text is exhausted.
    bool skip();

    // The text not yet split, from the current position to the end.
    std::string_view rest() const;
    bool exhausted() const { return pos_ >= text_.size(); }

private:
    std::string_view text_;
    char separator_;
    std::size_t pos_ = 0;
};

} // namespace kyvo
