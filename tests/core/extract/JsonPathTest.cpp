// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/extract/JsonPath.h"
#include "core/extract/JsonPage.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace {

const char* const kDocument = R"({
  "a": {"b": [10, 20, 30], "it's": 1, "back\\slash": 2, "": 3},
  "rows": [{"id": "x", "v": 1}, {"id": "y", "n": 2, "v": 5}, {"id": "y", "n": 3}],
  "deep": [[{"k": 1}], [{"k": 2, "m": 7}]],
  "named": {"one": {"p": 4}, "two": {"q": 8}},
  "scalar": "text"
})";

struct PathCase {
    const char* path;
    const char* expected; // the value's JSON text, or "" when nothing is found
    const char* matched; // the part that matched when nothing is found
};

TEST(JsonPath, EvaluatesTheSubset)
{
    const nlohmann::ordered_json document = nlohmann::ordered_json::parse(kDocument);
    const PathCase cases[] = {
        {"$", "", ""},
        {"$.a.b[0]", "10", ""},
        {"$.a.b[-1]", "30", ""},
        {"$.a.b[-3]", "10", ""},
        {"$.a.b[3]", "", "$.a.b"},
        {"$.a.b[-4]", "", "$.a.b"},
        {"$['a']['b'][1]", "20", ""},
        {" $ ['a'] [ 'b' ][ 1 ] ", "20", ""},
        {"$.a['it\\'s']", "1", ""},
        {"$.a['back\\\\slash']", "2", ""},
        {"$.a['']", "3", ""},
        {"$[\"a\"][\"b\"][2]", "30", ""},
        {"$.a[\"it's\"]", "1", ""},
        {"$.rows[?(@[\"id\"]==\"y\")].v", "5", ""},
        {"$.rows[*].n", "2", ""},
        {"$.rows[?(@.id=='y')].v", "5", ""},
        {"$.rows[?(@.id == 'y')].n", "2", ""},
        {"$.rows[?(@.n==3)].id", "\"y\"", ""},
        {"$.rows[?(@.n==3.0)].id", "\"y\"", ""},
        {"$.rows[?(@['id']=='x')].v", "1", ""},
        {"$.rows[?(@.id=='z')].v", "", "$.rows"},
        {"$.rows[?(@.id=='1')].v", "", "$.rows"},
        {"$.rows[?(@.n=='2')].v", "", "$.rows"},
        {"$.deep[*][0].m", "7", ""},
        {"$.deep[*][*].k", "1", ""},
        {"$.named[*].q", "8", ""},
        {"$.rows[0].missing", "", "$.rows[0]"},
        {"$.rows[*].w", "", "$.rows[*]"},
        {"$.scalar.x", "", "$.scalar"},
        {"$.scalar[0]", "", "$.scalar"},
        {"$.a[0]", "", "$.a"},
        {"$.nothing.b", "", "$"},
    };
    for (const PathCase& c : cases) {
        const Result<JsonPath> path = JsonPath::parse(c.path);
        ASSERT_TRUE(path) << c.path << ": " << path.message();
        const JsonPath::Found found = path->evaluate(document);
        if (std::string(c.path) == "$") {
            EXPECT_EQ(found.value, &document);
            continue;
        }
        if (*c.expected) {
            ASSERT_NE(found.value, nullptr) << c.path << " matched " << found.matched;
            EXPECT_EQ(found.value->dump(), c.expected) << c.path;
        } else {
            EXPECT_EQ(found.value, nullptr) << c.path;
            EXPECT_EQ(found.matched, c.matched) << c.path;
        }
    }
}

TEST(JsonPage, MembersKeepThePagesOrderAndRepeatedNamesTheirFirstPlace)
{
    const JsonPage page(R"({"z": {"v": 1}, "b": {"v": 2}, "a": 3, "a": 4, "m": {"w": 5}})");
    ASSERT_TRUE(page.isValid());
    EXPECT_EQ(JsonPath::parse("$[*].v")->evaluate(page.document()).value->dump(), "1");
    EXPECT_EQ(JsonPath::parse("$[*].w")->evaluate(page.document()).value->dump(), "5");
    EXPECT_EQ(JsonPath::parse("$.a")->evaluate(page.document()).value->dump(), "3");
}

TEST(JsonPath, RefusesOtherSyntaxNamingThePosition)
{
    const std::pair<const char*, const char*> cases[] = {
        {"", "Invalid JSON path at character 1: a path starts with \"$\"."},
        {"a.b", "Invalid JSON path at character 1: a path starts with \"$\"."},
        {"$.", "Invalid JSON path at character 3: a key is missing."},
        {"$.a[", "Invalid JSON path at character 5: expected an index, \"*\", a quoted key or a filter."},
        {"$['a", "Invalid JSON path at character 5: the quoted text is not closed."},
        {"$['a\\n']", "Invalid JSON path at character 6: only \\' and \\\\ are escapes."},
        {"$[\"a\\'\"]", "Invalid JSON path at character 6: only \\\" and \\\\ are escapes."},
        {"$[\"a']", "Invalid JSON path at character 7: the quoted text is not closed."},
        {"$[1", "Invalid JSON path at character 4: expected \"]\"."},
        {"$[99999999999999999999]",
         "Invalid JSON path at character 3: expected an index, \"*\", a quoted key or a "
         "filter."},
        {"$..a", "Invalid JSON path at character 3: a key is missing."},
        {"$[?(@.a=b)]", "Invalid JSON path at character 8: expected \"==\"."},
        {"$[?(@=='b')]", "Invalid JSON path at character 6: a filter compares a key."},
        {"$[?(@.a==x)]", "Invalid JSON path at character 10: expected a quoted text or a number."},
        {"$[?(@.a==1e999)]", "Invalid JSON path at character 10: expected a quoted text or a number."},
        {"$[?(@.a==1]", "Invalid JSON path at character 11: expected \")\"."},
        {"$[?(@[a]==1)]", "Invalid JSON path at character 7: expected a quoted key."},
        {"$ x", "Invalid JSON path at character 3: expected \".\" or \"[\"."},
    };
    for (const auto& [text, message] : cases) {
        const Result<JsonPath> path = JsonPath::parse(text);
        ASSERT_FALSE(path) << text;
        EXPECT_EQ(path.message(), message) << text;
    }
}

TEST(JsonPage, HostileDocumentsAreRefusedOrReadWithoutHarm)
{
    const std::string deep = std::string(100000, '[') + std::string(100000, ']');
    const JsonPage tooDeep(deep);
    EXPECT_FALSE(tooDeep.isValid());
    EXPECT_EQ(tooDeep.errorByte(), JsonPage::kMaxDepth + 1);
    const std::string deepObjects = [] {
        std::string text;
        for (int i = 0; i < 100000; ++i)
            text += "{\"a\":";
        return text + "1" + std::string(100000, '}');
    }();
    EXPECT_EQ(JsonPage(deepObjects).errorByte(), 5 * JsonPage::kMaxDepth + 1);
    const std::string allowed = std::string(JsonPage::kMaxDepth, '[') + std::string(JsonPage::kMaxDepth, ']');
    EXPECT_TRUE(JsonPage(allowed).isValid());

    std::string large = "[";
    while (large.size() < 10'000'000)
        large += "1.5,";
    large.back() = ']';
    const JsonPage array(large);
    ASSERT_TRUE(array.isValid());
    EXPECT_EQ(array.document().size(), (large.size() - 1) / 4);
    EXPECT_EQ(JsonPath::parse("$[-1]")->evaluate(array.document()).value->get<double>(), 1.5);

    const std::pair<std::string, size_t> broken[] = {
        {"{\"a\": \"\xff\"}", 8}, {"{\"a\": \"\xc3\"}", 9}, {"[1e400]", 6}, {"[-1e400]", 7}, {"", 1},
        {"{\"a\": 1} x", 10},     {"{\"a\": 1,}", 9},       {"<html>", 1},
    };
    for (const auto& [text, byte] : broken) {
        const JsonPage page(text);
        EXPECT_FALSE(page.isValid()) << text;
        EXPECT_EQ(page.errorByte(), byte) << text;
        EXPECT_TRUE(page.document().is_null()) << text;
    }
}

} // namespace
