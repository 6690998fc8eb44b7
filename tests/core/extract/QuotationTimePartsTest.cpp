// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/extract/QuotationTimeParts.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

// Numbers are read as strtol reads them, kept within int; short plain digit runs take a shorter way.
TEST(QuotationTimePartsTest, YearsAreReadAsTheCLibraryReadsThem)
{
    const struct {
        std::string capture;
        int year;
    } cases[] = {
        {"2010-01-01", 2010},
        {"123456789,", 123456789},
        {"1234567890", 1234567890},
        {"99999999999", INT_MAX},
        {"  2015", 2015},
        {"+2016", 2016},
        {"-3", 2010},
        {"0002021", 2021},
        {"x", 2000},
        {"49", 2049},
        {"50", 1950},
        {"2147483648", INT_MAX},
        {"2147483647", INT_MAX},
        {"-99999999999", 2010},
    };
    for (const auto& c : cases) {
        QuotationTimeParts parts(0);
        parts.readYear("2010");
        parts.readYear(c.capture.c_str());
        EXPECT_EQ(parts.year(), c.year) << c.capture;
    }
}
