#pragma once
// Name resolution of the file store: the full path of a name is the base
// folder, a single "/" and the name. A name that already begins with "/" is
// appended unchanged, and a base that ends in "/" gets no second one.

#include <string>

namespace cartoframe::store {

std::string joinStorePath(const char* base, const char* name);

} // namespace cartoframe::store
