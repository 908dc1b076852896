#include "PageRules.h"

namespace kyvo::usbtool {

int choiceWithin(std::int64_t value, int count) {
    return value >= 0 && value < count ? static_cast<int>(value) : kNothingChosen;
}

std::vector<std::string> NumberList::texts() const {
    std::vector<std::string> texts;
    texts.reserve(static_cast<std::size_t>(count));
    for (int position = 0; position < count; ++position)
        texts.push_back(std::to_string(numberAt(position)));
    return texts;
}

} // namespace kyvo::usbtool
