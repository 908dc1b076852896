#include "FieldSplitter.h"

namespace kyvo {

namespace {
constexpr char kFieldEnd = '*';
}

FieldSplitter::FieldSplitter(std::string_view text, char separator)
    : text_(text.substr(0, text.find('\0'))), separator_(separator) {}

bool FieldSplitter::next(std::string& out, std::size_t maxLength) {
    out.clear();
    if (exhausted())
        return false;
    std::size_t end = pos_;
    while (end < text_.size() && text_[end] != separator_ && text_[end] != kFieldEnd)
        ++end;
    const std::size_t length = end - pos_;
    out.assign(text_.substr(pos_, length < maxLength ? length : maxLength));
    pos_ = end < text_.size() ? end + 1 : end;
    return true;
}

bool FieldSplitter::skip() {
    std::string ignored;
    return next(ignored, 0);
}

std::string_view FieldSplitter::rest() const {
    return exhausted() ? std::string_view{} : text_.substr(pos_);
}

} // namespace kyvo
