#include "CommandParser.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace orv {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Splits at blanks. A double-quoted token may hold blanks; inside it a
// backslash escapes a backslash or a double quote, and any other backslash
// stands for itself (so a path may hold any byte but NUL).
bool tokenize(std::string_view text, std::vector<std::string>& tokens, std::string& reason) {
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && isBlank(text[i]))
            ++i;
        if (i >= text.size())
            break;
        if (text[i] == '"') {
            std::string token;
            bool closed = false;
            for (++i; i < text.size(); ++i) {
                const char c = text[i];
                if (c == '"') {
                    closed = true;
                    ++i;
                    break;
                }
                if (c == '\\' && i + 1 < text.size() && (text[i + 1] == '\\' || text[i + 1] == '"'))
                    ++i;
                token += text[i];
            }
            if (!closed) {
                reason = "unterminated quote";
                return false;
            }
            tokens.push_back(std::move(token));
        } else {
            std::size_t end = i;
            while (end < text.size() && !isBlank(text[end]))
                ++end;
            tokens.emplace_back(text.substr(i, end - i));
            i = end;
        }
    }
    return true;
}

std::optional<double> number(const std::string& token) {
    if (token.empty())
        return std::nullopt;
    errno = 0;
    char* end = nullptr;
    const double value = std::strtod(token.c_str(), &end);
    if (*end != '\0' || errno == ERANGE || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<Command> fail(std::string* reason, std::string text) {
    if (reason)
        *reason = std::move(text);
    return std::nullopt;
}

} // namespace

std::optional<Command> parseCommand(std::string_view text, std::string* reason) {
    std::vector<std::string> tokens;
    std::string why;
    if (!tokenize(text, tokens, why))
        return fail(reason, why);
    if (tokens.empty())
        return fail(reason, "empty command");
    const std::string& verb = tokens[0];
    const std::size_t args = tokens.size() - 1;
    Command command{Command::Kind::Quit, 0.0, {}};

    auto oneNumber = [&](Command::Kind kind, std::size_t minArgs, std::size_t maxArgs) -> std::optional<Command> {
        if (args < minArgs || args > maxArgs)
            return fail(reason, "wrong number of arguments");
        const auto value = number(tokens[1]);
        if (!value)
            return fail(reason, "not a number: " + tokens[1]);
        command.kind = kind;
        command.value = *value;
        return command;
    };

    if (verb == "rovu_loadfile") {
        if (args < 1 || args > 2)
            return fail(reason, "rovu_loadfile takes one or two files");
        command.kind = Command::Kind::LoadFile;
        command.files[0] = tokens[1];
        if (args == 2)
            command.files[1] = tokens[2];
        if (command.files[0].empty())
            return fail(reason, "no file");
        return command;
    }
    if (verb == "pause" && args == 0) {
        command.kind = Command::Kind::Pause;
        return command;
    }
    if (verb == "pt_step") {
        if (args != 2 || tokens[1] != "1" || tokens[2] != "1")
            return fail(reason, "only 'pt_step 1 1' is understood");
        command.kind = Command::Kind::EndEntry;
        return command;
    }
    if (verb == "seek") {
        if (args == 2 && tokens[2] != "2")
            return fail(reason, "seek mode must be 2 (absolute)");
        return oneNumber(args == 2 ? Command::Kind::SeekAbsolute : Command::Kind::SeekRelative, 1, 2);
    }
    if (verb == "speed_incr")
        return oneNumber(Command::Kind::SpeedAdd, 1, 1);
    if (verb == "speed_mult")
        return oneNumber(Command::Kind::SpeedMultiply, 1, 1);
    if (verb == "speed_set") {
        if (args == 2 && tokens[2] != "2")
            return fail(reason, "speed_set mode must be 2");
        return oneNumber(Command::Kind::SpeedSet, 1, 2);
    }
    if (verb == "volume") {
        if (args == 2 && tokens[2] != "2")
            return fail(reason, "volume mode must be 2");
        return oneNumber(Command::Kind::Volume, 1, 2);
    }
    if (verb == "frame_step" && args == 0) {
        command.kind = Command::Kind::FrameStep;
        return command;
    }
    if (verb == "quit" && args <= 1) {
        command.kind = Command::Kind::Quit;
        return command;
    }
    return fail(reason, "unknown command");
}

} // namespace orv
