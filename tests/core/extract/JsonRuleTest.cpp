// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/extract/JsonRule.h"
#include "TestEnvironment.h"
#include "core/base/FileReader.h"
#include "core/extract/JsonExtract.h"
#include "core/extract/QuotationExtractor.h"

#include <gtest/gtest.h>

namespace {

TEST(JsonRule, StoredFormRoundTripsExactly)
{
    const struct {
        JsonRule rule;
        const char* stored;
    } cases[] = {
        {{"$.a", "", ""}, "(?!)json:$.a"},
        {{"$.a", "$.d", ""}, "(?!)json:$.a|date:$.d"},
        {{"$.a", "", "$.t"}, "(?!)json:$.a|time:$.t"},
        {{"$['x|y']", "$['\\\\']", "$.t|"}, "(?!)json:$['x\\|y']|date:$['\\\\\\\\']|time:$.t\\|"},
        {{"$['Kurs €']", "", ""}, "(?!)json:$['Kurs €']"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.rule.encode(), c.stored);
        const std::optional<JsonRule> decoded = JsonRule::decode(c.stored);
        ASSERT_TRUE(decoded) << c.stored;
        EXPECT_EQ(decoded->valuePath(), c.rule.valuePath());
        EXPECT_EQ(decoded->datePath(), c.rule.datePath());
        EXPECT_EQ(decoded->timePath(), c.rule.timePath());
        EXPECT_EQ(decoded->encode(), c.stored);
    }
    for (const char* damaged : {"(?!)json:$.a|x", "(?!)json:$.a\\", "(?!)json:$.a\\n", "(?!)json:$.a|time:$.t|date:$.d",
                                "(?!)json:$.a|date:", "(?!)json:$.a|date:$.d|date:$.e", "json:$.a", "(?!)"}) {
        EXPECT_FALSE(JsonRule::decode(damaged)) << damaged;
    }
    EXPECT_TRUE(JsonRule::isJsonRule("(?!)json:"));
    EXPECT_FALSE(JsonRule::isJsonRule("(?!)JSON:$.a"));
}

TEST(JsonRule, ChecksAndItemVariables)
{
    const std::pair<JsonRule, const char*> refused[] = {
        {{"", "$.d", ""}, "The JSON rule needs a value path."},
        {{"$.a\tb", "", ""}, "A JSON path must not hold control characters."},
        {{"$.a", "$.d\x7f", ""}, "A JSON path must not hold control characters."},
        {{"$.a", "", "$["}, "Invalid JSON path at character 3: expected an index, \"*\", a quoted key or a filter."},
        {{"$." + std::string(250, 'a'), "", ""}, "The JSON paths are longer than 259 characters."},
    };
    for (const auto& [rule, message] : refused)
        EXPECT_EQ(rule.check().message(), message) << rule.encode();
    EXPECT_TRUE(JsonRule("$." + std::string(248, 'a'), "", "").check());
    EXPECT_TRUE(JsonRule("$.[&symbol].v", "$['[&name]']", "").check());

    const JsonRule rule("$.[&symbol].v[&symbol]", "$['[&name]'].d", "$.[&name][&symbol]");
    const Result<JsonRule> put = rule.withItemVariables("N|1", "S");
    ASSERT_TRUE(put) << put.message();
    EXPECT_EQ(put->valuePath(), "$.S.v[&symbol]");
    EXPECT_EQ(put->datePath(), "$['N|1'].d");
    EXPECT_EQ(put->timePath(), "$.N|1S");
    EXPECT_EQ(put->encode(), "(?!)json:$.S.v[&symbol]|date:$['N\\|1'].d|time:$.N\\|1S");

    const std::string symbol(121, 'x');
    EXPECT_TRUE(JsonRule("$.[&symbol]", "", "").withItemVariables("", symbol));
    const Result<JsonRule> tooLong = JsonRule("$.[&symbol]", "$.[&symbol]", "").withItemVariables("", symbol);
    ASSERT_FALSE(tooLong);
    EXPECT_EQ(tooLong.message(), "The JSON paths are longer than 259 characters.");

    ServerConfig server;
    server.Filtering = 1;
    server.RegExp = JsonRule("$.[&name]", "", "$['[&symbol]']").encode();
    const Result<ServerConfig> forItem = QuotationExtractor::withItemVariables(server, "a|b", "c'd");
    ASSERT_TRUE(forItem);
    EXPECT_EQ(forItem->RegExp, "(?!)json:$.a\\|b|time:$['c'd']");
}

class JsonExtractTest : public ::testing::Test {
protected:
    JsonExtractTest()
    {
        TestEnvironment::setTimeZone("Europe/Berlin");
        m_reference = localTime(2023, 6, 15, 14, 37, 21);
    }

    ExtractResult extract(const std::string& page, const JsonRule& paths, const char* thousands = "",
                          const char* decimal = ".")
    {
        return JsonExtract::extract(page, {paths, thousands, decimal, std::nullopt}, m_reference);
    }

    TestEnvironment m_env;
    time_t m_reference = 0;
};

TEST_F(JsonExtractTest, ValuesAndTheirStatuses)
{
    const struct {
        const char* page;
        const char* path;
        const char* thousands;
        const char* decimal;
        ExtractStatus status;
        double value;
        const char* text;
    } cases[] = {
        {R"({"p": 12.5})", "$.p", "", ".", ExtractStatus::QuotationFound, 12.5, ""},
        {R"({"p": -3})", "$.p", "", ".", ExtractStatus::QuotationFound, -3, ""},
        {R"({"p": 18446744073709551615})", "$.p", "", ".", ExtractStatus::QuotationFound, 1.8446744073709552e19, ""},
        {R"({"p": "1.234,56"})", "$.p", ".", ",", ExtractStatus::QuotationFound, 1234.56, ""},
        {R"({"p": " 7 "})", "$.p", "", ".", ExtractStatus::QuotationFound, 7, ""},
        {R"({"p": "1,5"})", "$.p", "", ",", ExtractStatus::QuotationFound, 1.5, ""},
        {R"({"p": "n/a"})", "$.p", "", ".", ExtractStatus::InvalidValue, 0, "Error: Invalid value!"},
        {R"({"p": null})", "$.p", "", ".", ExtractStatus::InvalidValue, 0, "Error: Invalid value!"},
        {R"({"p": [1]})", "$.p", "", ".", ExtractStatus::InvalidValue, 0, "Error: Invalid value!"},
        {R"({"p": true})", "$.p", "", ".", ExtractStatus::InvalidValue, 0, "Error: Invalid value!"},
        {R"({"p": {"q": 1}})", "$.p.r", "", ".", ExtractStatus::JsonPathNotFound, 0,
         "Error: JSON path not found! ($.p)"},
        {R"({"p": 1)", "$.p", "", ".", ExtractStatus::PageNotJson, 0, "Error: Page is not JSON! (byte 8)"},
        {"Kurs: 12,5", "$.p", "", ".", ExtractStatus::PageNotJson, 0, "Error: Page is not JSON! (byte 1)"},
        {R"({"p": 1})", "p", "", ".", ExtractStatus::QuotationNotFound, 0,
         "Error: Quotation not found!! (Invalid JSON path at character 1: a path starts with \"$\".)"},
    };
    for (const auto& c : cases) {
        const ExtractResult r = extract(c.page, {c.path, "", ""}, c.thousands, c.decimal);
        EXPECT_EQ(r.status, c.status) << c.page;
        EXPECT_DOUBLE_EQ(r.value, c.value) << c.page;
        if (c.status == ExtractStatus::QuotationFound)
            EXPECT_EQ(r.time, m_reference) << c.page;
        else
            EXPECT_EQ(r.statusText(), c.text) << c.page;
    }
}

TEST_F(JsonExtractTest, DatesAndTimesOfTheirOwnOrFromTheReference)
{
    const struct {
        const char* date;
        const char* time;
        time_t expected;
    } cases[] = {
        {"1700000000", nullptr, 1700000000},
        {"1700000000123", nullptr, 1700000000},
        {"100000000000", nullptr, 100000000000},
        {"100000000001", nullptr, 100000000},
        {"\"2024-03-01T10:15:30Z\"", nullptr, 1709288130},
        {"\"2024-03-01T10:15:30.250+02:00\"", nullptr, 1709280930},
        {"\"2024-03-01T10:15:30\"", nullptr, localTime(2024, 3, 1, 10, 15, 30)},
        {"\"2024-03-01\"", nullptr, localTime(2024, 3, 1, 14, 37)},
        {"\"1.3.2024\"", nullptr, localTime(2024, 3, 1, 14, 37)},
        {"\"01 Mär 24\"", nullptr, localTime(2024, 3, 1, 14, 37)},
        {"\"2024/03/01\"", nullptr, localTime(2024, 3, 1, 14, 37)},
        {nullptr, "\"17:45\"", localTime(2023, 6, 15, 17, 45)},
        {nullptr, "\"17:45:12\"", localTime(2023, 6, 15, 17, 45)},
        {nullptr, "1700000000", localTime(2023, 6, 15, 23, 13)},
        {"\"2024-03-01\"", "\"09:05\"", localTime(2024, 3, 1, 9, 5)},
        {"1700000000", "\"09:05\"", localTime(2023, 11, 14, 9, 5)},
        {"\"2024-03-01T10:15:30Z\"", "\"2024-03-05T08:00:00Z\"", localTime(2024, 3, 1, 9, 0)},
    };
    for (const auto& c : cases) {
        const std::string page =
            std::string("{\"v\": 1, \"d\": ") + (c.date ? c.date : "0") + ", \"t\": " + (c.time ? c.time : "0") + "}";
        const ExtractResult r = extract(page, {"$.v", c.date ? "$.d" : "", c.time ? "$.t" : ""});
        ASSERT_EQ(r.status, ExtractStatus::QuotationFound) << page << r.statusText();
        EXPECT_EQ(r.time, c.expected) << page;
    }

    // A text, and whether it is unreadable as a date and as a time.
    const std::tuple<const char*, bool, bool> unreadable[] = {
        {"\"soon\"", true, true}, {"\"1.3\"", true, false}, {"\"x:5\"", true, true},
        {"null", true, true},     {"[1]", true, true},      {"1e300", true, true},
    };
    for (const auto& [text, asDate, asTime] : unreadable) {
        const std::string page = std::string("{\"v\": 1, \"d\": ") + text + "}";
        EXPECT_EQ(extract(page, {"$.v", "$.d", ""}).status == ExtractStatus::InvalidValue, asDate) << page;
        EXPECT_EQ(extract(page, {"$.v", "", "$.d"}).status == ExtractStatus::InvalidValue, asTime) << page;
    }
    const ExtractResult missing = extract(R"({"v": 1, "d": {}})", {"$.v", "$.d.x", ""});
    EXPECT_EQ(missing.statusText(), "Error: JSON path not found! ($.d)");
}

TEST_F(JsonExtractTest, RealAnswers)
{
    TestEnvironment::setTimeZone("UTC");
    const struct {
        const char* file;
        JsonRule paths;
        double value;
        time_t time;
    } cases[] = {
        {"yahoo_chart_tsla.json",
         {"$.chart.result[0].meta.regularMarketPrice", "$.chart.result[0].meta.regularMarketTime", ""},
         230.29,
         1726257600},
        {"yahoo_chart_tsla.json",
         {"$.chart.result[?(@.meta.symbol=='TSLA')].indicators.quote[0].close[0]", "$.chart.result[0].timestamp[0]",
          ""},
         243.2566680908203,
         1609770600},
        {"alphavantage_daily_ibm.json",
         {"$['Time Series (Daily)'][*]['4. close']", "$['Meta Data']['3. Last Refreshed']", ""},
         128.58,
         localTime(2021, 7, 20, 14, 37)},
        {"bankofcanada_fx_recent.json",
         {"$.observations[-1].FXCADUSD.v", "$.observations[-1].d", ""},
         0.787,
         localTime(2021, 1, 7, 14, 37)},
        {"bankofcanada_fx_recent.json", {"$.observations[?(@.d=='2021-01-06')].FXCADUSD.v", "", ""}, 0.7883, 0},
    };
    m_reference = localTime(2023, 6, 15, 14, 37, 21);
    for (const auto& c : cases) {
        const std::optional<std::string> page = readWholeFile(std::string(TICKORA_REALDATA_DIR) + "/" + c.file);
        ASSERT_TRUE(page) << c.file;
        ServerConfig rules;
        rules.Filtering = 1;
        rules.DECIMAL = ".";
        rules.RegExp = c.paths.encode();
        const ExtractResult r = QuotationExtractor::extractFromRawPage(rules, *page, m_reference);
        ASSERT_EQ(r.status, ExtractStatus::QuotationFound) << c.file << ": " << r.statusText();
        EXPECT_DOUBLE_EQ(r.value, c.value) << c.paths.valuePath();
        EXPECT_EQ(r.time, c.time ? c.time : m_reference) << c.paths.valuePath();
    }
}

} // namespace

TEST_F(JsonExtractTest, TheServersDateIndicesOrderADateText)
{
    const std::string page = R"({"v": 1, "d": "08/24/2022"})";
    const JsonRule paths("$.v", "$.d", "");
    EXPECT_EQ(JsonExtract::extract(page, {paths, "", ".", DateOrder::fromIndices(2, 1, 3)}, m_reference).time,
              localTime(2022, 8, 24, 14, 37));
    ServerConfig server;
    server.Filtering = 1;
    server.DECIMAL = ".";
    server.RegExp = paths.encode();
    // Indices beyond the three parts, as a regular expression's, leave the default order (month 24 is read as none).
    const struct {
        int day, month, year;
        time_t expected;
    } cases[] = {{2, 1, 3, localTime(2022, 8, 24, 14, 37)},
                 {1, 2, 3, localTime(2022, 6, 8, 14, 37)},
                 {2, 3, 4, localTime(2022, 6, 8, 14, 37)},
                 {1, 1, 3, localTime(2022, 6, 8, 14, 37)}};
    for (const auto& c : cases) {
        server.RegExpDayIndex = c.day;
        server.RegExpMonthIndex = c.month;
        server.RegExpYearIndex = c.year;
        EXPECT_EQ(QuotationExtractor::extract(server, page + '\0', m_reference).time, c.expected) << c.day << c.month;
    }
}
