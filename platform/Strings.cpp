#include "Strings.h"

#include "StringTable.h"

namespace kyvo {

QString loadString(int id) {
    const std::string_view text = strings::text(id);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace kyvo
