// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestEnvironment.h"
#include "XPathRuleCheck.h"

#include <gtest/gtest.h>

#include <QDir>

// Every input of the XPath rule fuzzer's corpus keeps the promises the fuzzer checks.
TEST(XPathFuzzCorpus, EveryKeptInputIsHandled)
{
    TestEnvironment env;
    const QDir corpus(QStringLiteral(TICKORA_SOURCE_DIR "/fuzz/corpus/xpath_rule"));
    const QStringList files = corpus.entryList(QDir::Files);
    ASSERT_GE(files.size(), 7);
    for (const QString& name : files) {
        const std::string bytes = readFileBytes(corpus.filePath(name).toStdString());
        EXPECT_TRUE(checkXPathRuleInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()))
            << name.toStdString();
    }
}
