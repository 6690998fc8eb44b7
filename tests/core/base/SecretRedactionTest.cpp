// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/base/SecretRedaction.h"

#include <gtest/gtest.h>

namespace {

TEST(SecretRedaction, HidesTheValuesOfSecretQueryParameters)
{
    const std::pair<const char*, const char*> cases[] = {
        {"Error: File not found: /missing?symbol=IBM&apikey=abc123",
         "Error: File not found: /missing?symbol=IBM&apikey=***"},
        {"https://h/q?APIKEY=x&Token=y&client_secret=z&password=p&pass=q&sig=s&s=IBM",
         "https://h/q?APIKEY=***&Token=***&client_secret=***&password=***&pass=***&sig=***&s=IBM"},
        {"/q?access_token=a.b-c#part", "/q?access_token=***#part"},
        {"/q?signature=1%2F2 and more", "/q?signature=*** and more"},
        {"<a href=\"/q?key=v\">", "<a href=\"/q?key=***\">"},
        {"/q?k=v&key=&x=1", "/q?k=v&key=&x=1"},
        {"/q?key=***", "/q?key=***"},
        {"/q?symbol=KEY&monkey", "/q?symbol=KEY&monkey"},
        {"apikey=abc without a query", "apikey=abc without a query"},
        {"/q?a=1?key=2", "/q?a=1?key=***"},
        {"/q?key", "/q?key"},
        {"", ""},
        {"Error: Timeout!", "Error: Timeout!"},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(redactSecrets(text), expected) << text;
}

} // namespace
