#pragma once
// Number formatting and conversions shared by the telemetry texts.
//
// The texts use a "." decimal point whatever the process locale says (the GUI
// toolkit adopts the user's locale, where printf would write "22,4"), so
// fractions are formatted with std::to_chars instead of printf.

#include <string>

namespace kyvo::app {

// Truncation toward zero like a C cast, but defined for every double:
// NaN gives 0 and values beyond the int range give its limits.
int truncToInt(double value);

// printf "%.<precision>f" in the "C" locale.
std::string fixedText(double value, int precision);

// printf "%0<width>d": zero padded, the sign counting toward the width.
std::string paddedInt(int value, int width);

} // namespace kyvo::app
