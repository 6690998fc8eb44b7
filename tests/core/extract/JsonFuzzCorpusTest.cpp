// SPDX-License-Identifier: GPL-3.0-or-later
#include "JsonPathCheck.h"
#include "TestEnvironment.h"

#include <gtest/gtest.h>

#include <QDir>

// Every input of the path fuzzer's corpus keeps the promises the fuzzer checks.
TEST(JsonFuzzCorpus, EveryKeptInputIsHandled)
{
    TestEnvironment env;
    const QDir corpus(QStringLiteral(TICKORA_SOURCE_DIR "/fuzz/corpus/json_path"));
    const QStringList files = corpus.entryList(QDir::Files);
    ASSERT_GE(files.size(), 15);
    for (const QString& name : files) {
        const std::string bytes = readFileBytes(corpus.filePath(name).toStdString());
        EXPECT_TRUE(checkJsonPathInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()))
            << name.toStdString();
    }
}
