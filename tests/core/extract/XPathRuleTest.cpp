// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/extract/XPathRule.h"
#include "TestEnvironment.h"
#include "core/extract/QuotationExtractor.h"
#include "core/extract/XPathExtract.h"

#include <gtest/gtest.h>

namespace {

// The fund page's cell in the column whose header is `header`, in the row of the body numbered `row`.
std::string columnCell(const std::string& header, const std::string& row)
{
    return "//tbody/tr[" + row + "]/td[count(//thead//th[normalize-space()='" + header + "']/preceding-sibling::th)+1]";
}

TEST(XPathRule, StoredFormRoundTripsAndIsChecked)
{
    const std::pair<XPathRule, const char*> stored[] = {
        {{"//td[1]", "", ""}, "(?!)xpath://td[1]"},
        {{"//td[1]", "", "//p"}, "(?!)xpath://td[1]|time://p"},
        {{"//a | //b", "concat(//d,'\\')", "//t"}, "(?!)xpath://a \\| //b|date:concat(//d,'\\\\')|time://t"},
    };
    for (const auto& [rule, text] : stored) {
        EXPECT_EQ(rule.encode(), text);
        const std::optional<XPathRule> decoded = XPathRule::decode(text);
        ASSERT_TRUE(decoded) << text;
        EXPECT_EQ(decoded->encode(), text);
        EXPECT_EQ(decoded->dateExpression(), rule.dateExpression());
    }
    EXPECT_FALSE(XPathRule::decode("(?!)xpath://a|x"));
    EXPECT_FALSE(XPathRule::decode("(?!)json:$.a"));

    const std::pair<XPathRule, const char*> refused[] = {
        {{"", "//d", ""}, "The XPath rule needs a value expression."},
        {{"//td\n", "", ""}, "An XPath expression must not hold control characters."},
        {{"//td[", "", ""}, "Invalid XPath expression: Invalid expression"},
        {{"//td", "", "count(("}, "Invalid XPath expression: Invalid expression"},
        {{"//td" + std::string(252, ' '), "", ""}, "The XPath expressions are longer than 259 characters."},
    };
    for (const auto& [rule, message] : refused)
        EXPECT_EQ(rule.check().message(), message) << rule.encode();
    EXPECT_TRUE(XPathRule("//tr[td='[&symbol]']/td[2]", "//p[&name]", "").check());

    ServerConfig server;
    server.Filtering = 1;
    server.RegExp = XPathRule("//tr[td='[&symbol]']/td[2]", "", "//p[@id='[&name]']").encode();
    const Result<ServerConfig> forItem = QuotationExtractor::withItemVariables(server, "a|b", "SAP");
    ASSERT_TRUE(forItem);
    EXPECT_EQ(forItem->RegExp, "(?!)xpath://tr[td='SAP']/td[2]|time://p[@id='a\\|b']");
    const Result<ServerConfig> tooLong = QuotationExtractor::withItemVariables(server, "", std::string(240, 'x'));
    EXPECT_EQ(tooLong.message(), "The XPath expressions are longer than 259 characters.");
}

class XPathExtractTest : public ::testing::Test {
protected:
    XPathExtractTest()
    {
        TestEnvironment::setTimeZone("Europe/Berlin");
        m_reference = localTime(2023, 6, 15, 14, 37, 21);
    }

    ExtractResult extract(const std::string& page, const XPathRule& expressions,
                          std::optional<DateOrder> order = std::nullopt)
    {
        return XPathExtract::extract(page, {expressions, ".", ",", order}, m_reference);
    }

    TestEnvironment m_env;
    time_t m_reference = 0;
};

// Pages written for this test.
TEST_F(XPathExtractTest, ValuesAndTheirStatuses)
{
    const std::string page = "<html><head><meta charset='iso-8859-1'><title>Kurs</title></head><body>"
                             "<table><tr><td>Kurs</td><td>  671,40 \n EUR</td></tr>"
                             "<tr><td>Tief</td><td>-1.234,5&nbsp;&euro;</td></tr>"
                             "<tr><td>Größe</td><td><b>1</b> <i>2</i></td></tr>"
                             "<tr><td>Leer</td><td></td></tr><tr><td>Text</td><td>n/a</td></tr></table>"
                             "<p id=x>broken <span>markup 7,5</p></body>";
    const struct {
        const char* expression;
        ExtractStatus status;
        double value;
        const char* text;
    } cases[] = {
        {"//td[normalize-space()='Kurs']/following-sibling::td[1]", ExtractStatus::QuotationFound, 671.4, ""},
        {"//td[.='Tief']/../td[2]", ExtractStatus::QuotationFound, -1234.5, ""},
        {"//td[.='Größe']/../td[2]", ExtractStatus::QuotationFound, 1, ""},
        {"string(//td[.='Größe']/../td[2])", ExtractStatus::QuotationFound, 1, ""},
        {"//span", ExtractStatus::QuotationFound, 7.5, ""},
        {"count(//tr) div 2", ExtractStatus::QuotationFound, 2.5, ""},
        {"//td[.='Leer']/../td[2]", ExtractStatus::XPathNotFound, 0,
         "Error: XPath not found! (//td[.='Leer']/../td[2])"},
        {"//th", ExtractStatus::XPathNotFound, 0, "Error: XPath not found! (//th)"},
        {"string(//th)", ExtractStatus::XPathNotFound, 0, "Error: XPath not found! (string(//th))"},
        {"//td[.='Text']/../td[2]", ExtractStatus::InvalidValue, 0, "Error: Invalid value!"},
        {"number('x')", ExtractStatus::InvalidValue, 0, "Error: Invalid value!"},
        {"1 = 1", ExtractStatus::InvalidValue, 0, "Error: Invalid value!"},
        {"//td[", ExtractStatus::QuotationNotFound, 0,
         "Error: Quotation not found!! (Invalid XPath expression: Invalid expression)"},
        {"foo(//td)", ExtractStatus::QuotationNotFound, 0,
         "Error: Quotation not found!! (Invalid XPath expression: Unregistered function)"},
    };
    for (const auto& c : cases) {
        const ExtractResult r = extract(page, {c.expression, "", ""});
        EXPECT_EQ(r.status, c.status) << c.expression << ' ' << r.statusText();
        EXPECT_DOUBLE_EQ(r.value, c.value) << c.expression;
        if (c.status == ExtractStatus::QuotationFound)
            EXPECT_EQ(r.time, m_reference) << c.expression;
        else
            EXPECT_EQ(r.statusText(), c.text) << c.expression;
    }
    EXPECT_EQ(extract("", {"//td", "", ""}).status, ExtractStatus::XPathNotFound);
}

TEST_F(XPathExtractTest, DatesAndTimes)
{
    const struct {
        const char* date;
        const char* time;
        std::optional<DateOrder> order;
        time_t expected;
    } cases[] = {
        {"24.08.2022", nullptr, std::nullopt, localTime(2022, 8, 24, 14, 37)},
        {"08/24/2022", nullptr, DateOrder::fromIndices(2, 1, 3), localTime(2022, 8, 24, 14, 37)},
        {"2022-08-24T09:30:00Z", nullptr, std::nullopt, 1661333400},
        {"24. Aug 2022", "17:05 Uhr", std::nullopt, localTime(2022, 8, 24, 17, 5)},
        {nullptr, "9:05", std::nullopt, localTime(2023, 6, 15, 9, 5)},
    };
    for (const auto& c : cases) {
        const std::string page =
            std::string("<p>1</p><p>") + (c.date ? c.date : "") + "</p><p>" + (c.time ? c.time : "") + "</p>";
        const ExtractResult r = extract(page, {"//p[1]", c.date ? "//p[2]" : "", c.time ? "//p[3]" : ""}, c.order);
        ASSERT_EQ(r.status, ExtractStatus::QuotationFound) << page << r.statusText();
        EXPECT_EQ(r.time, c.expected) << page;
    }
    EXPECT_EQ(extract("<p>1</p><p>1700000000</p>", {"//p[1]", "number(//p[2])", ""}).time, 1700000000);
    EXPECT_EQ(extract("<p>1</p><p>bald</p>", {"//p[1]", "//p[2]", ""}).status, ExtractStatus::InvalidValue);
    EXPECT_EQ(extract("<p>1</p>", {"//p[1]", "", "//p[2]"}).statusText(), "Error: XPath not found! (//p[2])");
}

TEST_F(XPathExtractTest, TheRealFundTableByColumnNames)
{
    const std::string page = readFileBytes(realDataPath("de_fund_history_table.html"));
    const ExtractResult first = extract(page, {columnCell("Schluss", "1"), columnCell("Datum", "1"), ""});
    ASSERT_EQ(first.status, ExtractStatus::QuotationFound) << first.statusText();
    EXPECT_DOUBLE_EQ(first.value, 675.0);
    EXPECT_EQ(first.time, localTime(2020, 12, 3, 14, 37));
    const ExtractResult last = extract(page, {columnCell("Schluss", "last()"), columnCell("Datum", "last()"), ""});
    EXPECT_DOUBLE_EQ(last.value, 677.13);
    EXPECT_EQ(last.time, localTime(2020, 12, 7, 14, 37));
    EXPECT_EQ(extract(page, {columnCell("Schluss", "4"), "", ""}).statusText(),
              "Error: XPath not found! (" + columnCell("Schluss", "4") + ")");
}

TEST_F(XPathExtractTest, HostilePagesAndExpressionsEndWithAStatus)
{
    std::string nested = "<html><body>";
    for (int i = 0; i < 200000; ++i)
        nested += "<span>";
    nested += "<b>5</b>";
    for (int i = 0; i < 200000; ++i)
        nested += "</div>";
    EXPECT_EQ(extract(nested, {"//b", "", ""}).statusText(),
              "Error: Quotation not found!! (The page nests elements more than 256 levels deep.)");

    std::string large = "<table>";
    while (large.size() < 10 * 1024 * 1024)
        large += "<tr><td class='a'>Kurs &amp; &#x4B;&#8364;</td><td>12,5</td></tr>\n";
    large += "<tr><td>Ende</td><td>99,5</td></tr></table>";
    EXPECT_DOUBLE_EQ(extract(large, {"//td[.='Ende']/../td[2]", "", ""}).value, 99.5);
    EXPECT_EQ(extract(large, {"//tr[1]/td[.='Kurs & K€']/../td[2]", "", ""}).value, 12.5);

    // Quadratic in the page's rows, by steps or by merging node sets: stopped by the bound of a 1 MiB page (2 s).
    const std::string mebibyte = large.substr(large.size() - 1024 * 1024);
    std::string merges = "//td";
    for (int hop = 0; hop < 12; ++hop)
        merges += "/../td";
    for (const std::string& slow : {std::string("count(//td[count(//td) > 0])"), merges + "[2]"}) {
        EXPECT_EQ(extract(mebibyte, {slow, "", ""}).statusText(),
                  "Error: Quotation not found!! (The XPath rule took too long on this page.)")
            << slow;
    }

    const std::string nestedExpression = std::string(3000, '(') + "1" + std::string(3000, ')');
    EXPECT_EQ(extract("<p>1</p>", {nestedExpression, "", ""}).status, ExtractStatus::QuotationNotFound);
    EXPECT_EQ(extract(std::string("<p>1\0 2</p>\xff<!-- x", 19), {"//p", "", ""}).value, 1.0);
}

} // namespace
