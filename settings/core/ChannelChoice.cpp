#include "ChannelChoice.h"

#include "FieldSplitter.h"
#include "RecordingScramble.h"

namespace kyvo::settings {

namespace {

constexpr char kSeparator = '?';
constexpr std::size_t kFieldMaxBytes = 16;

// A radio value: 1 stays 1, anything else is the first button.
int radio(int value) {
    return value == 1 ? 1 : 0;
}

int radioField(FieldSplitter& fields) {
    std::string field;
    fields.next(field, kFieldMaxBytes);
    return field == "1" ? 1 : 0;
}

constexpr int kRearViews = 3;

int rearView(int value) {
    return value >= 0 && value < kRearViews ? value : 0;
}

} // namespace

ChoiceOutcome confirmChannelChoice(const ChannelChoice& current, int channels, int encrypted,
                                   std::string_view password, int view) {
    ChannelChoice next = current;
    next.channels = radio(channels);
    next.rearView = rearView(view);
    next.encrypted = radio(encrypted);
    if (next.encrypted == 1) {
        const std::optional<std::uint32_t> key = scramble::parseKey(password);
        if (!key)
            return {ChoiceAnswer::KeyRefused, current};
        next.key = *key;
    }
    return {ChoiceAnswer::Accepted, next};
}

std::string passwordOf(const ChannelChoice& choice) {
    return scramble::keyText(choice.key);
}

std::string channelChoiceText(const ChannelChoice& choice) {
    std::string text;
    text += std::to_string(radio(choice.channels));
    text += kSeparator;
    text += std::to_string(radio(choice.encrypted));
    text += kSeparator;
    text += scramble::keyText(choice.key);
    text += kSeparator;
    text += std::to_string(rearView(choice.rearView));
    text += kSeparator;
    return text;
}

ChannelChoice readChannelChoiceText(std::string_view text) {
    FieldSplitter fields(text, kSeparator);
    ChannelChoice choice;
    choice.channels = radioField(fields);
    choice.encrypted = radioField(fields);
    std::string key;
    fields.next(key, kFieldMaxBytes);
    choice.key = scramble::parseKey(key).value_or(0);
    if (choice.key == 0)
        choice.encrypted = 0;
    std::string view;
    fields.next(view, kFieldMaxBytes);
    choice.rearView = view.size() == 1 ? rearView(view[0] - '0') : 0;
    return choice;
}

} // namespace kyvo::settings
