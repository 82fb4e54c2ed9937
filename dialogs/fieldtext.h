#pragma once
// What the user types into a dialog's number fields. A field holds one number
// and nothing else (blanks around it are allowed); anything more is refused
// with the usual field message rather than read as a part of it.
#include <optional>
#include <string>
#include <string_view>

namespace korva {

inline constexpr const char* EnterNumberMessage = "Please enter a number.";
inline constexpr const char* EnterIntegerMessage = "Please enter an integer.";

std::optional<double> ParseFieldDouble(std::string_view text);
std::optional<int> ParseFieldInt(std::string_view text);

// "Please enter an integer between 1 and 100000."
std::string IntegerRangeMessage(int low, int high);

// A number as the dialogs show it: the "%g" rule.
std::string FormatFieldDouble(double value);

} // namespace korva
