#include "datelabels.h"

#include <cctype>
#include <cstdio>
#include <vector>

namespace korva::plot {

namespace {

// Days since 1970-01-01 of a proleptic Gregorian date, and back.
long DaysFromCivil(long y, unsigned m, unsigned d) {
    y -= m <= 2;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long>(doe) - 719468;
}

void CivilFromDays(long z, long& y, int& m, int& d) {
    z += 719468;
    const long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<long>(yoe) + era * 400 + (m <= 2);
}

int DaysInMonth(long y, int m) {
    static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    return m == 2 && leap ? 29 : days[m - 1];
}

const char* kMonthNames[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                             "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

} // namespace

bool IsBlank(const std::string& text) {
    for (char c : text)
        if (!std::isspace(static_cast<unsigned char>(c))) return false;
    return true;
}

std::optional<DateFields> ParseDateFields(const std::string& text, bool start) {
    std::vector<long> numbers;
    size_t i = 0;
    while (i < text.size()) {
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) {
            if (text[i] == '-' && numbers.empty() && i == 0) return std::nullopt;
            ++i;
            continue;
        }
        long n = 0;
        int digits = 0;
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
            if (++digits > 6) return std::nullopt;
            n = n * 10 + (text[i] - '0');
            ++i;
        }
        numbers.push_back(n);
    }
    if (numbers.size() < 3 || numbers.size() > 6) return std::nullopt;
    numbers.resize(6, 0);
    DateFields f{static_cast<int>(numbers[0]), static_cast<int>(numbers[1]),
                 static_cast<int>(numbers[2]), static_cast<int>(numbers[3]),
                 static_cast<int>(numbers[4]), static_cast<int>(numbers[5])};
    if (start &&
        (f.year > 9999 || f.month < 1 || f.month > 12 || f.day < 1 ||
         f.day > DaysInMonth(f.year, f.month) || f.hour > 23 || f.minute > 59 || f.second > 59))
        return std::nullopt;
    return f;
}

DateFields DateOfPoint(const DateFields& start, const DateFields& inc, long point) {
    long months = start.year * 12L + (start.month - 1) + point * (inc.year * 12L + inc.month);
    long year = months / 12;
    int month = static_cast<int>(months % 12) + 1;
    int day = std::min(start.day, DaysInMonth(year, month));
    long seconds = start.hour * 3600L + start.minute * 60L + start.second +
                   point * (inc.hour * 3600L + inc.minute * 60L + inc.second);
    long days =
        DaysFromCivil(year, month, day) + point * static_cast<long>(inc.day) + seconds / 86400;
    seconds %= 86400;
    DateFields out;
    long y;
    CivilFromDays(days, y, out.month, out.day);
    out.year = static_cast<int>(y);
    out.hour = static_cast<int>(seconds / 3600);
    out.minute = static_cast<int>(seconds / 60 % 60);
    out.second = static_cast<int>(seconds % 60);
    return out;
}

std::string FormatDate(const DateFields& d, const std::string& format) {
    std::string out;
    auto two = [&](int v) {
        char buf[16];
        std::snprintf(buf, sizeof buf, "%02d", v);
        out += buf;
    };
    size_t i = 0;
    while (i < format.size()) {
        char c = static_cast<char>(std::tolower(static_cast<unsigned char>(format[i])));
        size_t run = 1;
        while (i + run < format.size() &&
               std::tolower(static_cast<unsigned char>(format[i + run])) == c)
            ++run;
        switch (c) {
        case 'y':
            if (run >= 4)
                out += std::to_string(d.year);
            else
                two(d.year % 100);
            break;
        case 'm':
            if (run >= 3)
                out += kMonthNames[d.month - 1];
            else if (run == 2)
                two(d.month);
            else
                out += std::to_string(d.month);
            break;
        case 'd':
            if (run >= 2)
                two(d.day);
            else
                out += std::to_string(d.day);
            break;
        case 'h':
            if (run >= 2)
                two(d.hour);
            else
                out += std::to_string(d.hour);
            break;
        case 'n':
            if (run >= 2)
                two(d.minute);
            else
                out += std::to_string(d.minute);
            break;
        case 's':
            if (run >= 2)
                two(d.second);
            else
                out += std::to_string(d.second);
            break;
        default:
            out.append(format, i, run);
        }
        i += run;
    }
    return out;
}

} // namespace korva::plot
