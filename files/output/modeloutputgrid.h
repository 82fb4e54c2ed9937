#pragma once
// One ".kvo" grid-output file of the solver: the values of every output
// quantity at one output time, read into the output store.
#include "model/outputstore.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace korva {

// The grid the outputs must fit: the project's current dimensions.
struct OutputGridShape {
    int rows = 0;
    int columns = 0;
    int layers = 0;
};

enum class GridOutputStatus {
    Read,              // every value of every quantity was read
    DimensionMismatch, // the file was written for another grid; no message
    FormatError,       // a message was shown
};

// The name of the salinity quantity, which is coloured from green to red.
inline constexpr std::string_view SaltConcentrationName = "US SALT CONCENTRATION";

// Reads the text of the ".kvo" file of output time timeIndex (0-based) of
// timeCount; time is that output time's number (named in messages). The first
// time (index 0) sizes outputs to the file's quantities, each with timeCount
// time records; a later file must list the same quantities. The time read
// gets its value arrays (-9999 where the file ends early); a time whose file
// is never read keeps none, and GetOutputValue reports its cells absent.
// Throws std::invalid_argument when timeIndex is not below timeCount.
GridOutputStatus ReadGridOutputText(std::vector<KORVAOutputData>& outputs, std::string_view text,
                                    const std::string& path, const OutputGridShape& grid,
                                    std::size_t timeIndex, std::size_t timeCount, double time);

// Recomputes minimum and maximum over every value other than -9999; both
// -9999 when there is none.
void RecomputeOutputRange(KORVAOutputData& output);

} // namespace korva
