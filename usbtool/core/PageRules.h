#pragma once
// Pieces shared by the USB tool's page rules: "nothing chosen", radio
// groups bound to record fields, and the numeric drop-down lists.
//
// A page keeps what its controls show in a plain state struct: a radio
// group as the zero-based index of the chosen button, a drop-down list as
// the position of the selected entry, kNothingChosen for neither. Loading
// turns record fields into that state and saving turns it back, each page
// by its own rules. A stored value a rule cannot show (outside the buttons
// or entries, negative where only counts make sense, a NaN level) loads as
// nothing chosen.

#include "RecorderConfig.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kyvo::usbtool {

inline constexpr int kNothingChosen = -1;

// A 64-bit value as a button index or list position: the value when it lies
// in 0..count-1, kNothingChosen otherwise.
int choiceWithin(std::int64_t value, int count);

// A radio group whose button index is the field's value, both ways.
template <typename State>
struct RadioBinding {
    int State::*member;
    std::size_t offset;
    int buttons;
};

template <typename State, std::size_t N>
void loadRadios(const std::array<RadioBinding<State>, N>& bindings, const RecorderConfig& record, State& state) {
    for (const RadioBinding<State>& binding : bindings)
        state.*binding.member = choiceWithin(record.get(binding.offset), binding.buttons);
}

// A group with no button chosen stores its index as it is (-1), so that it
// loads back as nothing chosen.
template <typename State, std::size_t N>
void saveRadios(const std::array<RadioBinding<State>, N>& bindings, const State& state, RecorderConfig& record) {
    for (const RadioBinding<State>& binding : bindings)
        record.set(binding.offset, state.*binding.member);
}

// A drop-down list of the numbers first, first + step, ... (count entries),
// shown as "%d".
struct NumberList {
    int first;
    int step;
    int count;

    bool contains(int position) const { return position >= 0 && position < count; }
    // The number shown at `position`; a list with nothing selected saves 0.
    int numberAt(int position) const { return contains(position) ? first + step * position : 0; }
    std::vector<std::string> texts() const;
};

} // namespace kyvo::usbtool
