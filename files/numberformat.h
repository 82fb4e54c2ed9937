#pragma once
// The one number formatter of every text file the system writes, and the
// number parser of every reader. Neither depends on the C or C++ locale, so a
// desktop session in a decimal-comma locale writes and reads the same files.
#include <string>
#include <string_view>

namespace korva {

// Longest text FormatNumber can produce, without a terminator.
constexpr int MaxNumberTextLength = 32;

// General notation with 6 significant digits and an exponent of at least three
// digits where one is used: 100, 0.001, 1e-005, -9999, 1.23457e+006.
std::string FormatNumber(double value);
// Appends the same text to out.
void AppendNumber(std::string& out, double value);
// Writes the same text to buffer (at least MaxNumberTextLength chars); returns
// the end of the text.
char* FormatNumber(char* buffer, double value);

// Parses the whole of text as a decimal or exponent number ("1e-005", "-9999",
// ".5", "+3"). False for anything else; value is then unchanged.
bool ParseDouble(std::string_view text, double& value);
// Parses the whole of text as a decimal integer (an optional sign, digits).
bool ParseInt(std::string_view text, long long& value);

} // namespace korva
