// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/importexport/QuotationExport.h"
#include "Biff2Records.h"
#include "TestEnvironment.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

using Outcome = QuotationExport::Outcome;

PortfolioItem item(const std::string& name, const std::string& symbol, std::vector<Quotation> quotations = {})
{
    PortfolioItem paper;
    paper.name = name;
    paper.symbol = symbol;
    paper.quotations = std::move(quotations);
    return paper;
}

// Three items, the second without quotations.
std::vector<PortfolioItem> threeItems()
{
    return {item("Alpha", "ALP", {{localTime(2004, 12, 1, 17, 30), 12.5}, {localTime(2004, 12, 2, 9, 5), 1.5}}),
            item("Beta", "BET"), item("Gamma", "GAM", {{localTime(2005, 1, 3, 12, 0), 1234.56789}})};
}

class QuotationExportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TestEnvironment::setTimeZone("UTC");
        ASSERT_TRUE(TestEnvironment::setLocale("C"));
    }

    std::vector<Biff2Record> exportSheet(const std::vector<PortfolioItem>& items, const std::string& name = "q.xls")
    {
        const Outcome outcome = QuotationExport::exportQuotations(items, env.path(name));
        EXPECT_EQ(outcome.status, Outcome::Saved) << outcome.message;
        std::vector<Biff2Record> records;
        EXPECT_TRUE(parseBiff2(readFileBytes(env.path(name)), records));
        return records;
    }

    TestEnvironment env;
};

} // namespace

TEST(QuotationExportPath, XlsAnywhereInTheLowerCasedPathChoosesTheWorksheet)
{
    EXPECT_TRUE(QuotationExport::isSpreadsheetPath("/data/report.XLS"));
    EXPECT_TRUE(QuotationExport::isSpreadsheetPath("/data/report.xls.txt"));
    EXPECT_TRUE(QuotationExport::isSpreadsheetPath("/data/Old.Xlsx"));
    EXPECT_TRUE(QuotationExport::isSpreadsheetPath("/exports.xls/report"));
    EXPECT_FALSE(QuotationExport::isSpreadsheetPath("/data/report.txt"));
    EXPECT_FALSE(QuotationExport::isSpreadsheetPath("/data/xls"));
    EXPECT_FALSE(QuotationExport::isSpreadsheetPath("/data/report.x ls"));
}

TEST_F(QuotationExportTest, TextFormatUnderTheCLocale)
{
    const std::string path = env.path("report.txt");
    EXPECT_EQ(QuotationExport::exportQuotations(threeItems(), path).status, Outcome::Saved);
    EXPECT_EQ(readFileBytes(path),
              "\"Alpha\" (ALP)\r\n"
              "12/01/04 17:30; 12.5000; \r\n"
              "12/02/04 09:05; 1.5000; \r\n"
              "\r\n"
              "\"Beta\" (BET)\r\n"
              "\r\n"
              "\"Gamma\" (GAM)\r\n"
              "01/03/05 12:00; 1234.5679; \r\n"
              "\r\n");
}

TEST_F(QuotationExportTest, TextFormatFollowsTheLocaleAndKeepsUtf8Names)
{
    ASSERT_TRUE(TestEnvironment::setLocale("de_DE.UTF-8"));
    const std::string path = env.path("report.txt");
    const std::vector<PortfolioItem> items = {
        item("Müller & Söhne", "日本", {{localTime(2004, 12, 1, 17, 30), -0.25}})};
    EXPECT_EQ(QuotationExport::exportQuotations(items, path).status, Outcome::Saved);
    EXPECT_EQ(readFileBytes(path),
              "\"Müller & Söhne\" (日本)\r\n"
              "01.12.2004 17:30; -0,2500; \r\n"
              "\r\n");
}

TEST_F(QuotationExportTest, EmptyPortfolio)
{
    const std::string text = env.writeFile("old.txt", "earlier export");
    EXPECT_EQ(QuotationExport::exportQuotations(std::vector<PortfolioItem>(), text).status, Outcome::NothingWritten);
    EXPECT_EQ(readFileBytes(text), "earlier export");
    EXPECT_EQ(QuotationExport::exportQuotations(std::vector<PortfolioItem>(), env.path("new.txt")).status,
              Outcome::NothingWritten);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(env.path("new.txt"))));

    // The worksheet holds no cells but stays a file a spreadsheet program opens.
    const std::vector<Biff2Record> records = exportSheet({});
    ASSERT_EQ(records.size(), 6u);
    EXPECT_EQ(records.front().type, 0x0009);
    EXPECT_EQ(records.back().type, 0x000A);
}

TEST_F(QuotationExportTest, WorksheetLayoutOfThreeItemsWithTheSecondEmpty)
{
    const auto cells = biff2Cells(exportSheet(threeItems()));
    std::map<std::pair<int, int>, std::string> texts;
    std::map<std::pair<int, int>, double> numbers;
    for (const auto& [at, cell] : cells) {
        if (cell.type == 0x0004)
            texts[at] = cell.text;
        else
            numbers[at] = cell.number;
    }
    const std::map<std::pair<int, int>, std::string> expectedTexts = {
        {{1, 1}, "Alpha (ALP)"}, {{2, 1}, "12/01/04 17:30"}, {{3, 1}, "12/02/04 09:05"},
        {{1, 5}, "Beta (BET)"},  {{1, 9}, "Gamma (GAM)"},    {{2, 9}, "01/03/05 12:00"}};
    const std::map<std::pair<int, int>, double> expectedNumbers = {
        {{2, 2}, 12.5}, {{3, 2}, 1.5}, {{2, 10}, 1234.56789}};
    EXPECT_EQ(texts, expectedTexts);
    EXPECT_EQ(numbers, expectedNumbers);
    // Headers in the bold font (index 1 in the top bits of the second attribute byte), the rest plain.
    for (const auto& [at, cell] : cells) {
        EXPECT_EQ(cell.attributes[0], 0) << at.first << "," << at.second;
        EXPECT_EQ(cell.attributes[1], at.first == 1 ? 0x40 : 0x00) << at.first << "," << at.second;
        EXPECT_EQ(cell.attributes[2], 0);
    }
}

TEST_F(QuotationExportTest, RecordsAndTheirOrder)
{
    const std::vector<Biff2Record> records = exportSheet(threeItems());
    ASSERT_GE(records.size(), 6u);
    EXPECT_EQ(records[0].type, 0x0009);
    EXPECT_EQ(records[0].data, std::string("\x02\x00\x10\x00", 4));
    const uint16_t flags[] = {0, 1, 2, 4};
    for (int f = 0; f < 4; ++f) {
        const Biff2Record& font = records[1 + f];
        EXPECT_EQ(font.type, 0x0031);
        EXPECT_EQ(font.data,
                  std::string("\xC8\x00", 2) + static_cast<char>(flags[f]) + std::string("\x00\x05", 2) + "Arial");
    }
    EXPECT_EQ(records.back().type, 0x000A);
    EXPECT_TRUE(records.back().data.empty());

    // Numbers (rows 2 and 3) all come before labels, although the headers stand in row 1.
    std::string kinds;
    for (size_t i = 5; i + 1 < records.size(); ++i) {
        const Biff2Record& record = records[i];
        if (record.type == 0x0003) {
            kinds += 'N';
            EXPECT_EQ(record.data.size(), 15u);
        } else {
            ASSERT_EQ(record.type, 0x0004);
            kinds += 'L';
            EXPECT_EQ(record.data.size(), 8u + static_cast<unsigned char>(record.data[7]));
        }
    }
    EXPECT_EQ(kinds, "NNNLLLLLL");
    // Within each kind, rows ascend and columns ascend within a row.
    std::vector<std::pair<int, int>> labelOrder;
    for (const Biff2Record& record : records)
        if (record.type == 0x0004)
            labelOrder.push_back({biffWord(record.data, 0), biffWord(record.data, 2)});
    EXPECT_EQ(labelOrder, (std::vector<std::pair<int, int>>{{1, 1}, {1, 5}, {1, 9}, {2, 1}, {2, 9}, {3, 1}}));
}

TEST_F(QuotationExportTest, ThousandQuotationsFillRowsTwoToThousandAndOne)
{
    std::vector<Quotation> history;
    for (int i = 0; i < 1000; ++i)
        history.push_back({localTime(2000, 1, 1) + i * 3600, 100.0 + i});
    const auto cells = biff2Cells(exportSheet({item("Long", "L", history)}));
    EXPECT_EQ(cells.size(), 2001u);
    for (int i = 0; i < 1000; ++i) {
        const auto number = cells.find({2 + i, 2});
        ASSERT_NE(number, cells.end()) << i;
        EXPECT_EQ(number->second.number, 100.0 + i);
        EXPECT_EQ(cells.count({2 + i, 1}), 1u);
    }
    EXPECT_EQ(cells.at({1001, 1}).text, "02/11/00 15:00");
}

TEST_F(QuotationExportTest, LabelTextsAreSingleByteAndCutAt255Bytes)
{
    const std::string longName = std::string(300, 'x');
    const auto cells = biff2Cells(exportSheet({item("Müller €", "日本"), item(longName, "L")}));
    EXPECT_EQ(cells.at({1, 1}).text,
              "M\xFCller \x80 (?"
              "?)");
    EXPECT_EQ(cells.at({1, 5}).text, std::string(255, 'x'));
}

TEST_F(QuotationExportTest, ExportingAgainReplacesTheFile)
{
    exportSheet(threeItems(), "same.xls");
    const auto cells = biff2Cells(exportSheet({item("Only", "O")}, "same.xls"));
    ASSERT_EQ(cells.size(), 1u);
    EXPECT_EQ(cells.at({1, 1}).text, "Only (O)");
}

TEST_F(QuotationExportTest, MoreRowsThanTheFileAddressesAreRefused)
{
    const std::string path = env.writeFile("big.xls", "earlier");
    std::vector<Quotation> history(65535, Quotation{localTime(2000, 1, 1), 1.0});
    const Outcome outcome = QuotationExport::exportQuotations({item("Big", "B", history)}, path);
    EXPECT_EQ(outcome.status, Outcome::SheetTooLarge);
    EXPECT_FALSE(outcome.message.empty());
    EXPECT_EQ(readFileBytes(path), "earlier");
    history.pop_back();
    EXPECT_EQ(QuotationExport::exportQuotations({item("Big", "B", history)}, path).status, Outcome::Saved);
}

TEST_F(QuotationExportTest, FileThatCannotBeCreated)
{
    Outcome outcome = QuotationExport::exportQuotations(threeItems(), env.path("vanished/q.xls"));
    EXPECT_EQ(outcome.status, Outcome::FileError);
    EXPECT_EQ(outcome.message, "File could not be saved: No such file or directory");
    outcome = QuotationExport::exportQuotations(threeItems(), env.path("vanished/q.txt"));
    EXPECT_EQ(outcome.status, Outcome::FileError);
    EXPECT_EQ(outcome.message, "File could not be saved: No such file or directory");
}
