#pragma once
// DrawnText: a page's text as the chart draws it. Qt Charts fits a title,
// axis title, label or legend entry into its room by trying every shorter
// form of the text, which costs the square of its length (a 30 KB title took
// a gigabyte). No chart has room for more than kMaxDrawnTextChars characters
// in one text, so longer texts are cut to that with an ellipsis before Qt
// sees them; the stored property keeps the whole text.
#include <QString>
#include <string>
#include <string_view>

namespace korva::plot {

inline constexpr qsizetype kMaxDrawnTextChars = 1000;

// The UTF-8 text as a QString of at most kMaxDrawnTextChars UTF-16 units,
// ending in "…" when it was cut. Only the bytes that can be shown are decoded.
QString DrawnText(std::string_view text);

// The same bound in bytes for texts that never reach Qt (hot-spot titles of
// the map file): at most 4 × kMaxDrawnTextChars bytes, cut between characters.
std::string CutUtf8(std::string_view text);

// Number and date formats longer than this are not used (the default format
// is): every label would repeat them.
inline constexpr std::size_t kMaxFormatBytes = 64;

} // namespace korva::plot
