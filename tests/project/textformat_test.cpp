#include "files/numberformat.h"

#include <clocale>
#include <gtest/gtest.h>
#include <limits>

namespace korva {
namespace {

TEST(TextFormat, WritesSixSignificantDigitsWithThreeDigitExponents) {
    EXPECT_EQ(FormatNumber(100.0), "100");
    EXPECT_EQ(FormatNumber(0.001), "0.001");
    EXPECT_EQ(FormatNumber(1e-5), "1e-005");
    EXPECT_EQ(FormatNumber(-9999.0), "-9999");
    EXPECT_EQ(FormatNumber(1234567.0), "1.23457e+006");
    EXPECT_EQ(FormatNumber(123.4567), "123.457");
    EXPECT_EQ(FormatNumber(1e100), "1e+100");
    EXPECT_EQ(FormatNumber(-2.5e-300), "-2.5e-300");
    EXPECT_EQ(FormatNumber(0.0), "0");
    EXPECT_EQ(FormatNumber(0.0001), "0.0001");
    EXPECT_EQ(FormatNumber(123456.0), "123456");
}

TEST(TextFormat, WholeNumberShortcutAgreesWithGeneralNotation) {
    // Whole numbers below a million take a shortcut; at and around its edges
    // the text must be what %g gives.
    EXPECT_EQ(FormatNumber(-0.0), "-0");
    EXPECT_EQ(FormatNumber(999999.0), "999999");
    EXPECT_EQ(FormatNumber(-999999.0), "-999999");
    EXPECT_EQ(FormatNumber(1000000.0), "1e+006");
    EXPECT_EQ(FormatNumber(999999.5), "1e+006");
    EXPECT_EQ(FormatNumber(273.0), "273");
    EXPECT_EQ(FormatNumber(0.5), "0.5");
    EXPECT_EQ(FormatNumber(-2147483648.0), "-2.14748e+009");
}

TEST(TextFormat, IgnoresTheGlobalLocale) {
    // A decimal-comma locale must not change a file; skip where none is installed.
    const char* previous = std::setlocale(LC_ALL, nullptr);
    std::string saved = previous ? previous : "C";
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) GTEST_SKIP() << "no de_DE locale";
    EXPECT_EQ(FormatNumber(2.5), "2.5");
    double v = 0;
    EXPECT_TRUE(ParseDouble("2.5", v));
    EXPECT_EQ(v, 2.5);
    std::setlocale(LC_ALL, saved.c_str());
}

TEST(TextFormat, ParsesOrdinaryNotationsAndRejectsTheRest) {
    double v = 0;
    EXPECT_TRUE(ParseDouble("1e-005", v));
    EXPECT_DOUBLE_EQ(v, 1e-5);
    EXPECT_TRUE(ParseDouble("+3", v));
    EXPECT_EQ(v, 3.0);
    EXPECT_TRUE(ParseDouble(".5", v));
    EXPECT_EQ(v, 0.5);
    v = 7;
    EXPECT_FALSE(ParseDouble("", v));
    EXPECT_FALSE(ParseDouble("1.5x", v));
    EXPECT_FALSE(ParseDouble("+-1", v));
    EXPECT_EQ(v, 7);
    long long i = 0;
    EXPECT_TRUE(ParseInt("-42", i));
    EXPECT_EQ(i, -42);
    EXPECT_FALSE(ParseInt("4.2", i));
}

} // namespace
} // namespace korva
