#pragma once
// What the grid editor does with a typed width, thickness or total.
#include <optional>
#include <string_view>

namespace korva {

// A spacing table cell after an edit ends.
struct SpacingEdit {
    enum Kind {
        Unchanged, // the text is what the cell showed
        Delete,    // empty: the item goes
        Set,       // a number above 0 becomes the item's spacing
        Revert,    // anything else: the cell shows its previous text again
    };
    Kind kind = Unchanged;
    double value = 0.0;
};

SpacingEdit ClassifySpacingEdit(std::string_view typed, std::string_view shown);

// A total typed into "Width (X):", "Height (Y):" or "Depth (Z):": the new
// total when it is a number above 0 that differs from the shown one.
std::optional<double> TotalEdit(std::string_view typed, std::string_view shown);

// "New Width & Height": the grid totals that make the drawn rectangle of
// height x width measure newHeight x newWidth. A rectangle without extent in
// a direction leaves that total as it is.
struct GridTotals {
    double rows = 0.0;    // sum of the row widths (the height)
    double columns = 0.0; // sum of the column widths (the width)
};
GridTotals ScaledTotals(const GridTotals& current, double height, double width, double newHeight,
                        double newWidth);

} // namespace korva
