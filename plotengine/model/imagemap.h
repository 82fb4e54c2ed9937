#pragma once
// The hot-spot map of a drawn chart: one area per drawn data point, written
// as an HTML image map (MapFormat 0: the <area> elements only, 1: a whole
// <map> element, 2: an NCSA server-side map file).
#include <string>
#include <vector>

namespace korva::plot {

struct HotSpot {
    enum class Shape { Circle, Rect, Poly } shape = Shape::Circle;
    std::vector<int> coords; // circle: x, y, r; rect: x1, y1, x2, y2; poly: x, y pairs
    std::string href;        // MapRefString of the point; may be empty
    std::string title;       // set legend, point label and value
};

std::string MapText(const std::vector<HotSpot>& spots, int format, const std::string& mapName);
// Text made safe for an HTML attribute value.
std::string HtmlEscaped(const std::string& text);

} // namespace korva::plot
