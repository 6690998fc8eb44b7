// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/extract/QuotationNumber.h"
#include "TestEnvironment.h"

#include <gtest/gtest.h>

namespace {

struct Parsed {
    int status;
    double value;
};

Parsed parse(const char* text, const char* thousands, const char* decimal)
{
    Parsed parsed{-1, -1.0};
    parsed.status = static_cast<int>(parseQuotationNumber(text, thousands, decimal, parsed.value));
    return parsed;
}

} // namespace

TEST(parseQuotationNumber, GermanFormat)
{
    EXPECT_DOUBLE_EQ(parse("1.234,56 EUR", ".", ",").value, 1234.56);
    EXPECT_DOUBLE_EQ(parse("-0,5%", ".", ",").value, -0.5);
    const Parsed trailingSeparator = parse("12,abc", ".", ",");
    EXPECT_EQ(trailingSeparator.status, 0);
    EXPECT_DOUBLE_EQ(trailingSeparator.value, 12.0);
    EXPECT_EQ(parse("12,x", ".", ",").status, 1) << "a separator with one character left ends the scan";
    EXPECT_DOUBLE_EQ(parse("0,00 ", ".", ",").value, 0.0);
    EXPECT_EQ(parse("0,00 ", ".", ",").status, 0);
}

TEST(parseQuotationNumber, EnglishFormat)
{
    EXPECT_DOUBLE_EQ(parse("1,234.56", ",", ".").value, 1234.56);
    const Parsed grouped = parse("1,234,567 ", ",", ".");
    EXPECT_EQ(grouped.status, 0);
    EXPECT_DOUBLE_EQ(grouped.value, 1234567.0);
    EXPECT_DOUBLE_EQ(parse("+12.5 ", ",", ".").value, 12.5);
}

TEST(parseQuotationNumber, WithoutThousandsSeparatorAForeignPointEndsTheNumber)
{
    const Parsed parsed = parse("1.234,5", "", ",");
    EXPECT_EQ(parsed.status, 0);
    EXPECT_DOUBLE_EQ(parsed.value, 1.0);
}

TEST(parseQuotationNumber, MultiCharacterSeparatorsMatchAsWholeStrings)
{
    EXPECT_DOUBLE_EQ(parse("1&nbsp;234,5 x", "&nbsp;", ",").value, 1234.5);
    EXPECT_DOUBLE_EQ(parse("1&nb234,5 x", "&nbsp;", ",").value, 1.0);
}

TEST(parseQuotationNumber, NoNumberAndInvalidNumber)
{
    EXPECT_EQ(parse("abc", ".", ",").status, 1);
    EXPECT_EQ(parse("", ".", ",").status, 1);
    double value = 7;
    EXPECT_EQ(static_cast<int>(parseQuotationNumber(nullptr, ".", ",", value)), 1);
    EXPECT_EQ(value, 0.0);
    EXPECT_EQ(parse("- 5", ".", ",").status, 3);
    EXPECT_EQ(parse("-x 5", ".", ",").status, 3);
}

TEST(parseQuotationNumber, EndOfPageQuirks)
{
    EXPECT_EQ(parse("7", ".", ",").status, 1);
    EXPECT_EQ(parse("12", ".", ",").status, 1);
    const Parsed threeDigits = parse("123", ".", ",");
    EXPECT_EQ(threeDigits.status, 0);
    EXPECT_DOUBLE_EQ(threeDigits.value, 123.0);
    EXPECT_EQ(parse("1,5", "", ",").status, 1);
    EXPECT_DOUBLE_EQ(parse("1,50", "", ",").value, 1.5);
}

TEST(parseQuotationNumber, ResultDoesNotDependOnTheLocale)
{
    if (!TestEnvironment::setLocale("de_DE.UTF-8"))
        GTEST_SKIP() << "de_DE.UTF-8 is not installed";
    EXPECT_DOUBLE_EQ(parse("1.234,56 ", ".", ",").value, 1234.56);
    EXPECT_DOUBLE_EQ(parse("1,234.56 ", ",", ".").value, 1234.56);
    TestEnvironment::setLocale("C.UTF-8");
}

TEST(parseQuotationNumber, HugeNumbersAreInvalidRatherThanInfinite)
{
    std::string huge = "9";
    huge += std::string(400, '9');
    huge += " ";
    EXPECT_EQ(parse(huge.c_str(), "", ".").status, 3);
}

TEST(parseQuotationNumber, NumbersTooSmallForADoubleAreZero)
{
    for (const char* sign : {"", "-", "+"}) {
        const std::string tiny = std::string(sign) + "0." + std::string(400, '0') + "1 ";
        const Parsed parsed = parse(tiny.c_str(), "", ".");
        EXPECT_EQ(parsed.status, 0) << sign;
        EXPECT_EQ(parsed.value, 0.0) << sign;
    }
}
