// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileSizeLimit.h"
#include "TestEnvironment.h"
#include "core/base/AtomicFileWriter.h"
#include "core/importexport/QuotationExport.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

PortfolioItem itemWithHistory()
{
    PortfolioItem paper;
    paper.name = "Alpha";
    paper.symbol = "ALP";
    for (int i = 0; i < 200; ++i)
        paper.quotations.push_back({localTime(2004, 1, 1) + i * 86400, 10.0 + i});
    return paper;
}

size_t filesIn(const TestEnvironment& env)
{
    return QDir(QString::fromStdString(env.path(""))).entryList(QDir::Files).size();
}

} // namespace

TEST(AtomicSave, FailedWriteLeavesTheEarlierFileAndNoTemporaryFile)
{
    TestEnvironment env;
    const std::string path = env.writeFile("report.txt", "earlier export");
    const size_t before = filesIn(env);
    AtomicFileWriter::Result result;
    {
        FileSizeLimit limit(64);
        result = AtomicFileWriter::save(path, std::string(4096, 'x'));
    }
    EXPECT_FALSE(result.saved);
    EXPECT_TRUE(result.created);
    EXPECT_EQ(result.errorNumber, EFBIG);
    EXPECT_EQ(readFileBytes(path), "earlier export");
    EXPECT_EQ(filesIn(env), before);

    EXPECT_TRUE(AtomicFileWriter::save(path, "new").saved);
    EXPECT_EQ(readFileBytes(path), "new");
}

TEST(AtomicSave, FailedQuotationExportsKeepTheEarlierFile)
{
    TestEnvironment env;
    TestEnvironment::setTimeZone("UTC");
    for (const char* name : {"report.txt", "report.xls"}) {
        const std::string path = env.writeFile(name, "earlier export");
        QuotationExport::Outcome outcome;
        {
            FileSizeLimit limit(64);
            outcome = QuotationExport::exportQuotations(std::vector<PortfolioItem>{itemWithHistory()}, path);
        }
        EXPECT_EQ(outcome.status, QuotationExport::Outcome::FileError) << name;
        EXPECT_EQ(outcome.message, "File could not be saved: File too large") << name;
        EXPECT_EQ(readFileBytes(path), "earlier export") << name;
    }
}
