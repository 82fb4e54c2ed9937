#include "imagemap.h"

#include "chartcodes.h"

namespace korva::plot {

namespace {

const char* ShapeName(HotSpot::Shape s) {
    switch (s) {
    case HotSpot::Shape::Rect:
        return "rect";
    case HotSpot::Shape::Poly:
        return "poly";
    default:
        return "circle";
    }
}

std::string Joined(const std::vector<int>& v, const char* sep, size_t pairEvery) {
    std::string out;
    for (size_t i = 0; i < v.size(); ++i) {
        if (i) out += (pairEvery && i % pairEvery == 0) ? sep : ",";
        out += std::to_string(v[i]);
    }
    return out;
}

// A URL in an NCSA map line ends at the first blank; blanks are encoded.
std::string NoBlanks(const std::string& url) {
    std::string out;
    for (char c : url) {
        if (c == ' ')
            out += "%20";
        else if (c == '\n' || c == '\r' || c == '\t')
            continue;
        else
            out += c;
    }
    return out;
}

} // namespace

std::string HtmlEscaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\'':
            out += "&#39;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string MapText(const std::vector<HotSpot>& spots, int format, const std::string& mapName) {
    std::string out;
    if (format == kMapNcsa) {
        for (const auto& s : spots) {
            if (s.href.empty()) continue;
            std::vector<int> c = s.coords;
            if (s.shape == HotSpot::Shape::Circle && c.size() == 3)
                c = {c[0], c[1], c[0] + c[2], c[1]}; // centre and a point on the edge
            out += std::string(ShapeName(s.shape)) + " " + NoBlanks(s.href) + " " +
                   Joined(c, " ", 2) + "\n";
        }
        return out;
    }
    if (format == kMapClient) out += "<map name=\"" + HtmlEscaped(mapName) + "\">\n";
    for (const auto& s : spots) {
        out += "<area shape=\"" + std::string(ShapeName(s.shape)) + "\" coords=\"" +
               Joined(s.coords, ",", 0) + "\"";
        if (s.href.empty())
            out += " nohref";
        else
            out += " href=\"" + HtmlEscaped(s.href) + "\"";
        out += " alt=\"" + HtmlEscaped(s.title) + "\" title=\"" + HtmlEscaped(s.title) + "\">\n";
    }
    if (format == kMapClient) out += "</map>\n";
    return out;
}

} // namespace korva::plot
