#include "spacingedit.h"

#include "dialogs/fieldtext.h"

#include <cmath>

namespace korva {

SpacingEdit ClassifySpacingEdit(std::string_view typed, std::string_view shown) {
    if (typed == shown) return {SpacingEdit::Unchanged, 0.0};
    const std::optional<double> value = ParseFieldDouble(typed);
    if (!value) {
        // Blanks alone count as an emptied cell.
        if (typed.find_first_not_of(" \t") == std::string_view::npos)
            return {SpacingEdit::Delete, 0.0};
        return {SpacingEdit::Revert, 0.0};
    }
    if (*value > 0.0) return {SpacingEdit::Set, *value};
    return {SpacingEdit::Revert, 0.0};
}

std::optional<double> TotalEdit(std::string_view typed, std::string_view shown) {
    if (typed == shown) return std::nullopt;
    const std::optional<double> value = ParseFieldDouble(typed);
    if (!value || !(*value > 0.0)) return std::nullopt;
    const std::optional<double> before = ParseFieldDouble(shown);
    if (before && *before == *value) return std::nullopt;
    return value;
}

GridTotals ScaledTotals(const GridTotals& current, double height, double width, double newHeight,
                        double newWidth) {
    GridTotals totals = current;
    const auto scaled = [](double total, double drawn, double wanted) {
        if (!(std::fabs(drawn) > 0.0) || !(wanted > 0.0) || !std::isfinite(wanted)) return total;
        const double result = total * wanted / std::fabs(drawn);
        return std::isfinite(result) && result > 0.0 ? result : total;
    };
    totals.rows = scaled(current.rows, height, newHeight);
    totals.columns = scaled(current.columns, width, newWidth);
    return totals;
}

} // namespace korva
