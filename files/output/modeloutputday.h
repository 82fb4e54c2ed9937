#pragma once
// The solver's ".day" file: the run's start and end day and the list of
// output times, one label line per time.
#include <string>
#include <string_view>
#include <vector>

namespace korva {

struct OutputTimeList {
    double startDay = 0.0;
    double endDay = 0.0;
    std::vector<std::string> labels; // each label line, leading white space removed
    std::vector<double> times;       // the leading number of each label
};

// Parses the text of a ".day" file read from path (named in messages). False,
// with the message shown, when line 1 does not hold two numbers, line 2 no
// usable count, or fewer labels follow than the count says.
bool ParseOutputTimeList(std::string_view text, const std::string& path, OutputTimeList& list);

} // namespace korva
