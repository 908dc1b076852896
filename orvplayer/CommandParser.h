#pragma once
// Parsing of the player's text commands. Qt-free.

#include <optional>
#include <string>
#include <string_view>

namespace orv {

struct Command {
    enum class Kind {
        LoadFile,   // files[0], files[1] (may be empty)
        Pause,      // toggle
        EndEntry,   // pt_step 1 1
        SeekRelative,
        SeekAbsolute,
        SpeedAdd,
        SpeedMultiply,
        SpeedSet,
        Volume,
        FrameStep,
        Quit,
    };
    Kind kind;
    double value = 0.0;
    std::string files[2];
};

// The command of `text`; nothing (and a reason) when it is unknown or malformed.
std::optional<Command> parseCommand(std::string_view text, std::string* reason = nullptr);

} // namespace orv
