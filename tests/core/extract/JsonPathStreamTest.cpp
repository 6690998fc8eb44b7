// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/extract/JsonPathStream.h"
#include "core/extract/JsonPage.h"
#include "core/extract/JsonPath.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace {

JsonPathStream::Outcome streamed(const std::string& page, const std::string& pathText)
{
    const Result<JsonPath> path = JsonPath::parse(pathText);
    EXPECT_TRUE(path) << pathText;
    return JsonPathStream::evaluate(page, path ? &*path : nullptr);
}

// Reading while the page streams finds the value, the matched part and the fault the whole document finds.
TEST(JsonPathStream, FindsWhatTheWholeDocumentFinds)
{
    const std::string pages[] = {
        R"({"a": {"b": [10, 20, 30], "it's": 1, "": 3}, "rows": [{"id": "x", "v": 1}, {"v": 5, "id": "y", "n": 2},
            {"id": "y", "n": 3}], "deep": [[{"k": 1}], [{"k": 2, "m": 7}]], "scalar": "text"})",
        R"({"z": {"v": 1}, "b": {"v": 2}, "a": 3, "a": 4, "m": {"w": 5}, "m": {"w": 6}})",
        R"([{"meta": {"s": "A", "s": "B"}, "p": [1, 2]}, {"meta": {"s": "B"}, "p": [3, {"q": [4, 5]}]},
            {"meta": "B", "p": 9}, 7, [8]])",
        R"([[], {}, [[1, [2]]], "x"])",
        R"("lonely")",
        "[1e400]",
        R"({"a": [1, 2)",
        std::string(JsonPage::kMaxDepth + 1, '[') + std::string(JsonPage::kMaxDepth + 1, ']'),
    };
    const char* const paths[] = {
        "$",
        "$.a.b[0]",
        "$.a.b[-1]",
        "$.a.b[-3]",
        "$.a.b[-4]",
        "$.a.b[3]",
        "$.a['it\\'s']",
        "$.rows[?(@.id=='y')].v",
        "$.rows[?(@.n==3)].id",
        "$.rows[?(@.id=='z')].v",
        "$.rows[*].n",
        "$.rows[*].w",
        "$.deep[*][*].k",
        "$.deep[*][0].m",
        "$.scalar.x",
        "$[*].v",
        "$[*].w",
        "$.a",
        "$.m",
        "$[*]",
        "$[-1]",
        "$[-2][0]",
        "$[?(@.meta.s=='B')].p[-1].q[-1]",
        "$[?(@.meta.s=='A')].p[1]",
        "$[?(@['meta']['s']=='B')].p",
        "$[?(@.meta=='B')].p",
        "$[*].p[*].q[*]",
        "$[2][*][1][0]",
        "$[1].x",
        "$[0][0]",
    };
    for (const std::string& page : pages) {
        const JsonPage document(page);
        for (const char* pathText : paths) {
            const JsonPathStream::Outcome outcome = streamed(page, pathText);
            EXPECT_EQ(outcome.errorByte, document.errorByte()) << page << " " << pathText;
            if (!document.isValid())
                continue;
            const JsonPath::Found found = JsonPath::parse(pathText)->evaluate(document.document());
            EXPECT_EQ(outcome.matched, found.matched) << page << " " << pathText;
            ASSERT_EQ(outcome.value.has_value(), found.value != nullptr) << page << " " << pathText;
            if (found.value) {
                EXPECT_EQ(outcome.value->dump(), found.value->dump()) << page << " " << pathText;
            }
        }
    }
}

// A container found keeps only what its excerpt can show; the large pages of the whole-document tests read.
TEST(JsonPathStream, KeepsLittleOfLargePages)
{
    std::string large = "[";
    while (large.size() < 10'000'000)
        large += "[1.5, {\"v\": 2}],";
    large.back() = ']';
    EXPECT_EQ(streamed(large, "$[-1][0]").value, nlohmann::ordered_json(1.5));
    EXPECT_EQ(streamed(large, "$[*][1].v").value, nlohmann::ordered_json(2));
    EXPECT_EQ(streamed(large, "$[*][2]").matched, "$[*]");

    const JsonPathStream::Outcome whole = streamed(large, "$");
    ASSERT_TRUE(whole.value);
    const std::string dump = whole.value->dump();
    EXPECT_LT(dump.size(), 1000U);
    EXPECT_TRUE(dump.starts_with(R"([[1.5,{"v":2}],[1.5,{"v":2}],)")) << dump;
}

} // namespace
