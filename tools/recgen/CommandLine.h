#pragma once
// recgen's command line: one recording, a sample card, or a dump of a file.

#include "RecordingMaker.h"
#include "SampleCard.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

namespace kyvo::recgen {

struct HelpCommand {};

struct MakeCommand {
    RecordingOptions options;
    std::filesystem::path output;
};

struct CardCommand {
    CardOptions options;
};

struct DumpCommand {
    std::filesystem::path file;
    std::optional<std::uint32_t> scrambleKey;
};

using Command = std::variant<HelpCommand, MakeCommand, CardCommand, DumpCommand>;

class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// `arguments` excludes the program name. Throws UsageError.
Command parseCommandLine(const std::vector<std::string>& arguments);

std::string usageText();

}  // namespace kyvo::recgen
