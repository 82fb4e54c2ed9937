#include "chartsettingsfile.h"

#include "charterrors.h"
#include "chartmodel.h"
#include "replacingfile.h"

#include <charconv>
#include <fstream>
#include <sstream>

namespace korva::plot {

namespace {

constexpr std::string_view kHeader = "KORVA chart settings 1";
constexpr size_t kMaxFileSize = 64u << 20;

// Properties that steer one drawing rather than describe the chart.
bool IsTransient(std::string_view name) {
    return name == "DrawMode" || name == "ImageFile" || name == "MapFile" || name == "GraphFile";
}

std::string Escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\\')
            out += "\\\\";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            out += "\\r";
        else
            out += c;
    }
    return out;
}

std::string Unescaped(std::string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size()) {
            char c = text[++i];
            out += c == 'n' ? '\n' : c == 'r' ? '\r' : c;
        } else {
            out += text[i];
        }
    }
    return out;
}

} // namespace

std::string ChartSettingsText(const ChartModel& model) {
    std::string out(kHeader);
    out += "\n";
    model.ForEachStored(
        [&](const PropertyInfo& p, std::optional<int> index, const PropertyValue& v) {
            if (IsTransient(p.name)) return;
            out += p.name;
            if (index) out += "(" + std::to_string(*index) + ")";
            out += "=" + Escaped(ValueText(v)) + "\n";
        });
    return out;
}

void ApplyChartSettings(ChartModel& model, std::string_view text) {
    ChartModel result = model;
    size_t lineNumber = 0, pos = 0;
    auto fail = [&](const std::string& why) {
        throw ChartError(kErrInvalidValue,
                         "Chart settings line " + std::to_string(lineNumber) + ": " + why);
    };
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(pos, end - pos);
        pos = end + 1;
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (lineNumber == 1) {
            if (line != kHeader) fail("not a chart settings file");
            continue;
        }
        if (line.empty()) continue;
        size_t eq = line.find('=');
        if (eq == std::string_view::npos) fail("expected Name=value");
        std::string_view key = line.substr(0, eq);
        std::optional<int> index;
        if (!key.empty() && key.back() == ')') {
            size_t open = key.find('(');
            if (open == std::string_view::npos) fail("unbalanced index");
            int i = 0;
            std::string_view digits = key.substr(open + 1, key.size() - open - 2);
            auto [ptr, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), i);
            if (digits.empty() || ec != std::errc() || ptr != digits.data() + digits.size())
                fail("bad index");
            index = i;
            key = key.substr(0, open);
        }
        const PropertyInfo* p = FindProperty(key);
        if (!p) fail("unknown property " + std::string(key));
        if (p->readOnly || IsTransient(p->name))
            fail("property " + std::string(key) + " cannot be set");
        try {
            result.Set(*p, index, ConvertToType(Unescaped(line.substr(eq + 1)), p->type));
        } catch (const ChartError& e) {
            fail(e.what());
        }
    }
    if (lineNumber == 0) fail("not a chart settings file");
    model = std::move(result);
}

void SaveChartSettings(const ChartModel& model, const std::string& path) {
    if (path.empty())
        throw ChartError(kErrFileAccess, "No settings file name: set GraphFile first");
    // The user's settings file: on disk for good before it replaces the old one.
    const std::string text = ChartSettingsText(model);
    ReplacingFile out(path);
    if (!out.Ready() || !out.Write(text.data(), text.size()) || !out.Commit(true))
        throw ChartError(kErrFileAccess,
                         "Cannot write chart settings file " + path + ": " + out.Error());
}

void LoadChartSettings(ChartModel& model, const std::string& path) {
    if (path.empty())
        throw ChartError(kErrFileAccess, "No settings file name: set GraphFile first");
    std::ifstream in(path, std::ios::binary);
    if (!in) throw ChartError(kErrFileAccess, "Cannot open chart settings file " + path);
    std::string text;
    char buf[65536];
    while (in.read(buf, sizeof buf) || in.gcount() > 0) {
        text.append(buf, static_cast<size_t>(in.gcount()));
        if (text.size() > kMaxFileSize)
            throw ChartError(kErrFileAccess, "Chart settings file " + path + " is too large");
    }
    try {
        ApplyChartSettings(model, text);
    } catch (const ChartError& e) {
        throw ChartError(e.code(), path + ": " + e.what());
    }
}

} // namespace korva::plot
