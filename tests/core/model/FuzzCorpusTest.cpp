#include "model/PortfolioArchive.h"
#include "TestEnvironment.h"
#include "WrittenItems.h"

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
        const std::string bytes = readFileBytes(corpus.filePath(name).toStdString());
        std::vector<CWPapier> items;
        if (!PortfolioArchive::read(bytes.data(), bytes.size(), items, nullptr)) {
            EXPECT_TRUE(items.empty());
            continue;
        }
        ++readable;
        const QByteArray first = writeItems(items);
        std::vector<CWPapier> again;
        ASSERT_TRUE(PortfolioArchive::read(first.constData(), static_cast<size_t>(first.size()), again, nullptr));
        EXPECT_EQ(writeItems(again), first);
    }
    EXPECT_GT(readable, 0);
}
