// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/FigureText.h"
#include "TestEnvironment.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <limits>

namespace {

std::string printed(const char* format, double value)
{
    char text[512];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

// Every figure written as printf writes it, in the locale in force.
void expectPrintfFigures()
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const double values[] = {0.0,
                             -0.0,
                             1.5,
                             -1.5,
                             0.125,
                             0.005,
                             2.675,
                             9.99995,
                             -0.004,
                             1e-7,
                             123456789.123456,
                             1e300,
                             -1.7976931348623157e308,
                             nan,
                             -nan,
                             inf,
                             -inf};
    const struct {
        const char* format;
        int width;
        int decimals;
        bool sign;
    } formats[] = {
        {"%3.4f", 3, 4, false}, {"%4.2f", 4, 2, false}, {"%2.1f", 2, 1, false}, {"%+2.2f", 2, 2, true},
        {"%+3.4f", 3, 4, true}, {"%+4.2f", 4, 2, true}, {"%8.2f", 8, 2, false},
    };
    for (const auto& f : formats) {
        for (const double value : values)
            EXPECT_EQ(FigureText::fixed(value, f.width, f.decimals, f.sign), printed(f.format, value))
                << f.format << " " << value;
    }
}

} // namespace

TEST(FigureText, WritesWhatPrintfWrites)
{
    TestEnvironment env;
    ASSERT_TRUE(TestEnvironment::setLocale("C"));
    expectPrintfFigures();
    if (!TestEnvironment::setLocale("de_DE.UTF-8"))
        GTEST_SKIP() << "de_DE.UTF-8 is not installed";
    EXPECT_EQ(FigureText::fixed(-2.5, 6, 1, true), "  -2,5");
    expectPrintfFigures();
}
