// The number rules of the solver's files: the C library's conversion, without
// the locale.
#include "files/output/modeloutputscanner.h"

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <random>
#include <string>

namespace korva {
namespace {

TEST(OutputNumbers, ConvertsTheNumericPrefixLikeTheCLibrary) {
    EXPECT_EQ(ConvertCDouble("1.5abc"), 1.5);
    EXPECT_EQ(ConvertCDouble("abc"), 0.0);
    EXPECT_EQ(ConvertCDouble("+3"), 3.0);
    EXPECT_EQ(ConvertCDouble("  -2e3"), -2000.0);
    EXPECT_EQ(ConvertCDouble(".5"), 0.5);
    EXPECT_EQ(ConvertCDouble("5."), 5.0);
    EXPECT_EQ(ConvertCDouble("1e"), 1.0);
    EXPECT_EQ(ConvertCDouble("1e+"), 1.0);
    EXPECT_EQ(ConvertCDouble("-"), 0.0);
    EXPECT_EQ(ConvertCDouble("+-1"), 0.0);
    EXPECT_EQ(ConvertCDouble("."), 0.0);
    EXPECT_EQ(ConvertCDouble("-1.#IND"), -1.0);
    EXPECT_EQ(ConvertCDouble("0x1A"), 26.0);
    EXPECT_EQ(ConvertCDouble("0x"), 0.0);
    EXPECT_EQ(ConvertCDouble("1e-005"), 1e-5);
    EXPECT_EQ(ConvertCDouble("1,5"), 1.0);
}

TEST(OutputNumbers, AgreeWithStrtodToTheLastBit) {
    // The short-decimal path must round exactly as the C library does.
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
    std::uniform_int_distribution<int> exponent(-30, 30);
    const char* formats[] = {"%.6g", "%.17g", "%.12e", "%.3f", "%.15f"};
    char text[64];
    for (int i = 0; i < 20000; ++i) {
        const double value = mantissa(random) * std::pow(10.0, exponent(random));
        std::snprintf(text, sizeof text, formats[i % 5], value);
        ASSERT_EQ(ConvertCDouble(text), std::strtod(text, nullptr)) << text;
    }
    for (const char* odd : {"0.000000000000000000001", "123456789012345678901", "9007199254740993",
                            "1e22", "1e23", "4.9e-324", "-0", "00000000000000000000001.5"})
        EXPECT_EQ(ConvertCDouble(odd), std::strtod(odd, nullptr)) << odd;
}

TEST(OutputNumbers, OutOfRangeGoesToInfinityOrZero) {
    EXPECT_EQ(ConvertCDouble("1e999"), INFINITY);
    EXPECT_EQ(ConvertCDouble("-1e999"), -INFINITY);
    EXPECT_EQ(ConvertCDouble("1e-999"), 0.0);
    EXPECT_EQ(ConvertCDouble("0.000000000000000000001e-400"), 0.0);
    EXPECT_EQ(ConvertCDouble("1000000000000e300"), INFINITY);
    EXPECT_EQ(ConvertCDouble("0x1p99999"), INFINITY);
    EXPECT_TRUE(std::isnan(ConvertCDouble("nan")));
    EXPECT_EQ(ConvertCDouble("-Infinity"), -INFINITY);
}

TEST(OutputNumbers, IgnoreTheGlobalLocale) {
    const char* previous = std::setlocale(LC_ALL, nullptr);
    const std::string saved = previous ? previous : "C";
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) GTEST_SKIP() << "no de_DE locale";
    EXPECT_EQ(ConvertCDouble("2.5"), 2.5);
    EXPECT_EQ(FormatForMessage(2.5), "2.5");
    std::setlocale(LC_ALL, saved.c_str());
}

TEST(OutputNumbers, IntegersLikeScanf) {
    const std::string text = " 12 -7 x 99999999999";
    const char* p = text.data();
    const char* end = p + text.size();
    int v = 0;
    EXPECT_TRUE(ScanCInt(p, end, v));
    EXPECT_EQ(v, 12);
    EXPECT_TRUE(ScanCInt(p, end, v));
    EXPECT_EQ(v, -7);
    EXPECT_FALSE(ScanCInt(p, end, v));
    p += 2;
    EXPECT_FALSE(ScanCInt(p, end, v)); // does not fit an int
}

TEST(OutputNumbers, LinesAreCutAtTheLimitAndLoseTheirCarriageReturn) {
    const std::string longLine(600, 'a');
    const std::string text = "one\r\n" + longLine + "\nlast";
    ModelOutputScanner scanner(text);
    std::string_view line;
    ASSERT_TRUE(scanner.NextLine(line));
    EXPECT_EQ(line, "one");
    ASSERT_TRUE(scanner.NextLine(line));
    EXPECT_EQ(line.size(), MaxOutputLineLength);
    ASSERT_TRUE(scanner.NextLine(line));
    EXPECT_EQ(line, "last");
    EXPECT_FALSE(scanner.NextLine(line));
}

} // namespace
} // namespace korva
