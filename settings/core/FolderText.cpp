#include "FolderText.h"

#include "PopupLayout.h"

namespace kyvo::settings {

namespace {
constexpr char kSeparator = '/';
constexpr std::string_view kEllipsis = "...";

bool continuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}
} // namespace

std::string withTrailingSeparator(std::string_view folder) {
    std::string text(folder);
    if (!text.empty() && text.back() != kSeparator)
        text += kSeparator;
    return text;
}

std::string folderBoxText(std::string_view folder) {
    int characters = 0;
    std::size_t cut = folder.size();
    for (std::size_t i = 0; i < folder.size(); ++i) {
        if (continuationByte(folder[i]))
            continue;
        if (characters == popup::kFolderTextChars) {
            cut = i;
            break;
        }
        ++characters;
    }
    if (characters < popup::kFolderTextChars)
        return std::string(folder);
    return std::string(folder.substr(0, cut)) + std::string(kEllipsis);
}

} // namespace kyvo::settings
