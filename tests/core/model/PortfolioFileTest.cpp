// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/PortfolioFile.h"
#include "FileSizeLimit.h"
#include "StatusOutcome.h"
#include "TestEnvironment.h"
#include "core/model/PortfolioDocument.h"

#include <gtest/gtest.h>

#include <QDir>

TEST(PortfolioFileTest, SaveAndOpenRoundTrip)
{
    TestEnvironment env;
    PortfolioDocument doc;
    doc.newPortfolio();
    PortfolioItem item = PortfolioItem::newItem("Acme", 1000000000, 2);
    item.quotations = {{1000000000, 1.5}, {1000086400, 1.75}};
    doc.addItem(item);
    std::string error;
    const std::string path = env.path("p.tkr");
    ASSERT_TRUE(succeeded(doc.savePortfolio(path), error)) << error;
    EXPECT_FALSE(doc.isModified());

    PortfolioDocument reread;
    ASSERT_TRUE(succeeded(reread.openPortfolio(path), error)) << error;
    ASSERT_EQ(reread.itemCount(), 2);
    EXPECT_EQ(reread.item(1).quotations, item.quotations);
    EXPECT_EQ(reread.item(1).server, item.server);
    EXPECT_FALSE(reread.isModified());
    EXPECT_EQ(reread.investedAmountHistoryPosition(), 0);
}

TEST(PortfolioFileTest, JsonRulesOfItemsRoundTripExactly)
{
    TestEnvironment env;
    PortfolioDocument doc;
    doc.newPortfolio();
    PortfolioItem item = PortfolioItem::newItem("Acme", 1000000000, 2);
    item.server.Filtering = 1;
    item.server.RegExp = "(?!)json:$['Kurs \u20ac\\|x\\\\\\\\']|date:$[?(@.k=='\\|')].d|time:$.t";
    doc.addItem(item);
    std::string error;
    const std::string path = env.path("j.tkr");
    ASSERT_TRUE(succeeded(doc.savePortfolio(path), error)) << error;
    PortfolioDocument reread;
    ASSERT_TRUE(succeeded(reread.openPortfolio(path), error)) << error;
    ASSERT_EQ(reread.itemCount(), 2);
    EXPECT_EQ(reread.item(1).server, item.server);
    const std::string saved = readFileBytes(path);
    ASSERT_TRUE(succeeded(reread.savePortfolio(path), error)) << error;
    EXPECT_EQ(readFileBytes(path), saved);
}

TEST(PortfolioFileTest, OlderFilesGainOneHistoryItem)
{
    TestEnvironment env;
    std::vector<PortfolioItem> items;
    std::string error;
    ASSERT_TRUE(succeeded(PortfolioFile::load(testDataPath("portfolios/version7.tkr")), items, error));
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[1].isInvestedAmountHistory, 1);
    ASSERT_TRUE(succeeded(PortfolioFile::load(testDataPath("portfolios/version8.tkr")), items, error));
    EXPECT_EQ(items.size(), 1u);
    ASSERT_TRUE(succeeded(PortfolioFile::load(env.writeFile("empty.tkr", std::string(2, '\0'))), items, error));
    EXPECT_TRUE(items.empty());
}

TEST(PortfolioFileTest, ScanHandsOverTheItemsLoadReturnsInOrder)
{
    TestEnvironment env;
    const std::string truncated = readFileBytes(testDataPath("portfolios/version7.tkr"));
    const struct {
        std::string path;
        bool ok;
    } cases[] = {
        {testDataPath("portfolios/version7.tkr"), true},
        {testDataPath("portfolios/version8.tkr"), true},
        {env.writeFile("cut.tkr", truncated.substr(0, truncated.size() - 1)), false},
        {env.path("missing.tkr"), false},
    };
    for (const auto& c : cases) {
        std::vector<PortfolioItem> loaded;
        std::string loadError;
        const bool load = succeeded(PortfolioFile::load(c.path), loaded, loadError);
        std::vector<std::string> names;
        const Status scan = PortfolioFile::scan(c.path, [&names](PortfolioItem& item) { names.push_back(item.name); });
        EXPECT_EQ(load, c.ok) << c.path;
        EXPECT_EQ(bool(scan), c.ok) << c.path;
        if (!c.ok) {
            EXPECT_EQ(scan.message(), loadError) << c.path;
            continue;
        }
        ASSERT_EQ(names.size(), loaded.size()) << c.path;
        for (size_t k = 0; k < names.size(); ++k)
            EXPECT_EQ(names[k], loaded[k].name) << c.path;
    }
}

TEST(PortfolioFileTest, OpenFailuresEmptyTheDocument)
{
    TestEnvironment env;
    PortfolioDocument doc;
    doc.newPortfolio();
    std::string error;
    EXPECT_FALSE(succeeded(doc.openPortfolio(env.path("missing.tkr")), error));
    EXPECT_EQ(error, env.path("missing.tkr") + " was not found.");
    EXPECT_EQ(doc.itemCount(), 0);

    EXPECT_FALSE(succeeded(doc.openPortfolio(env.writeFile("bad.tkr", "\x01\x00\xff")), error));
    EXPECT_EQ(error, "Unexpected file format.");
    EXPECT_FALSE(succeeded(doc.openPortfolio(env.writeFile("zero.tkr", "")), error));
    EXPECT_EQ(error, "Unexpected file format.");
    EXPECT_FALSE(succeeded(doc.openPortfolio(env.path("")), error));
}

TEST(PortfolioFileTest, FailedSavesLeaveTheOldFileIntact)
{
    TestEnvironment env;
    const std::string path = env.writeFile("keep.tkr", "old contents");
    PortfolioDocument doc;
    doc.newPortfolio();
    const int pos = doc.addItem(PortfolioItem::newItem("Far future", 0, 0));
    doc.addItemQuotation(pos, 1.0, 4102444800);
    std::string error;
    EXPECT_FALSE(succeeded(doc.savePortfolio(path), error));
    EXPECT_NE(error.find("Far future"), std::string::npos);
    EXPECT_EQ(readFileBytes(path), "old contents");
    EXPECT_TRUE(doc.isModified());

    // A folder stands where the file should go.
    QDir(QString::fromStdString(env.path(""))).mkdir("folder.tkr");
    doc.deleteQuotation(pos, 0);
    EXPECT_FALSE(succeeded(doc.savePortfolio(env.path("folder.tkr")), error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(succeeded(doc.savePortfolio(env.path("keep.tkr/inside.tkr")), error));
    EXPECT_EQ(readFileBytes(path), "old contents");

    ASSERT_TRUE(succeeded(doc.savePortfolio(path), error)) << error;
    EXPECT_NE(readFileBytes(path), "old contents");
    // Beside the file only its backups of the replaced version: the last one and the day's.
    EXPECT_EQ(QDir(QString::fromStdString(env.path(""))).entryList({"keep*"}, QDir::Files).size(), 3);
    EXPECT_EQ(readFileBytes(path + ".bak"), "old contents");
}

TEST(PortfolioFileTest, AFullDiskDuringTheSaveReachesTheUserAndKeepsTheOldFile)
{
    TestEnvironment env;
    PortfolioDocument doc;
    doc.newPortfolio();
    const int pos = doc.addItem(PortfolioItem::newItem("Fund", 0, 0));
    for (int day = 0; day < 2000; ++day)
        doc.addItemQuotation(pos, 100.0 + day, 1000000000 + day * 86400);
    const std::string path = env.writeFile("full.tkr", "old contents");
    for (const rlim_t limit : {rlim_t(0), rlim_t(100), rlim_t(16384), rlim_t(23000)}) {
        std::string error;
        bool saved = true;
        {
            FileSizeLimit disk(limit);
            saved = succeeded(doc.savePortfolio(path), error);
        }
        EXPECT_FALSE(saved) << "limit " << limit;
        EXPECT_FALSE(error.empty());
        EXPECT_EQ(readFileBytes(path), "old contents") << "limit " << limit;
        EXPECT_TRUE(doc.isModified());
    }
    EXPECT_EQ(QDir(QString::fromStdString(env.path(""))).entryList({"full*"}, QDir::Files).size(), 1u)
        << "no temporary file or backup is left behind";
}

TEST(PortfolioFileTest, LargeFilesStreamAcrossTheReadBufferAndCutFilesAreRefused)
{
    TestEnvironment env;
    PortfolioDocument doc;
    doc.newPortfolio();
    PortfolioItem item = PortfolioItem::newItem("Long note", 0, 0);
    item.note = std::string(1500000, 'n') + "Ende";
    const int pos = doc.addItem(item);
    for (int k = 0; k < 150000; ++k)
        doc.addItemQuotation(pos, k * 0.25, 100000 + k * 60);
    doc.addItem(PortfolioItem::newItem("After", 0, 0));
    const std::string path = env.path("large.tkr");
    std::string error;
    ASSERT_TRUE(succeeded(doc.savePortfolio(path), error)) << error;

    PortfolioDocument again;
    ASSERT_TRUE(succeeded(again.openPortfolio(path), error)) << error;
    ASSERT_EQ(again.itemCount(), 3);
    EXPECT_EQ(again.item(1).note, item.note);
    ASSERT_EQ(again.item(1).quotations.size(), 150000u);
    EXPECT_EQ(again.item(1).quotations[123456].value, 123456 * 0.25);
    EXPECT_EQ(again.item(2).name, "After");

    const std::string bytes = readFileBytes(path);
    for (const size_t cut :
         {size_t(1), size_t(131071), size_t(131073), size_t(1048577), bytes.size() / 2, bytes.size() - 1}) {
        const std::string cutPath = env.writeFile("cut.tkr", bytes.substr(0, cut));
        PortfolioDocument broken;
        EXPECT_FALSE(succeeded(broken.openPortfolio(cutPath), error)) << cut;
        EXPECT_EQ(error, "Unexpected file format.");
        EXPECT_EQ(broken.itemCount(), 0);
    }
}
