// SPDX-License-Identifier: GPL-3.0-or-later
#include "StatusOutcome.h"
#include "TestEnvironment.h"
#include "WrittenItems.h"
#include "core/model/PortfolioArchive.h"
#include "core/model/PortfolioFile.h"

#include <gtest/gtest.h>

#include <QDir>

// Every input the fuzzer kept reads or is refused without harm, and what reads is stable
// through a write and a second read.
TEST(FuzzCorpus, EveryKeptInputIsHandled)
{
    const QDir corpus(QStringLiteral(TICKORA_SOURCE_DIR "/fuzz/corpus/portfolio"));
    const QStringList files = corpus.entryList(QDir::Files);
    ASSERT_GE(files.size(), 100);
    int readable = 0;
    for (const QString& name : files) {
        SCOPED_TRACE(name.toStdString());
        const std::string path = corpus.filePath(name).toStdString();
        const std::string bytes = readFileBytes(path);
        std::vector<PortfolioItem> items;
        const bool inMemory = PortfolioArchive::read(bytes.data(), bytes.size(), items, nullptr);
        std::vector<PortfolioItem> streamed;
        std::string error;
        EXPECT_EQ(succeeded(PortfolioFile::load(path), streamed, error), inMemory)
            << "a file streams as its bytes read";
        if (!inMemory) {
            EXPECT_TRUE(items.empty());
            continue;
        }
        EXPECT_GE(streamed.size(), items.size());
        ++readable;
        const QByteArray first = writeItems(items);
        std::vector<PortfolioItem> again;
        ASSERT_TRUE(PortfolioArchive::read(first.constData(), static_cast<size_t>(first.size()), again, nullptr));
        EXPECT_EQ(writeItems(again), first);
    }
    EXPECT_GT(readable, 0);
}
