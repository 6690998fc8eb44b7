// SPDX-License-Identifier: GPL-3.0-or-later
#include "DownloadTestSupport.h"

#include "core/download/UpdateScheduler.h"
#include "core/servers/ServerStore.h"

#include <QFile>
#include <chrono>
#include <gtest/gtest.h>
#include <map>

using Kind = DownloadEventKind;
using ItemId = PortfolioDocument::ItemId;

namespace {

class UpdateSchedulerTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { testServer(); }

    UpdateSchedulerTest() : m_temp(m_env) { m_doc.newPortfolio(); }

    HttpTestServer& server() { return testServer(); }

    ItemId addItem(const std::string& name, const ServerConfig& rules, std::vector<Quotation> history = {})
    {
        PortfolioItem item = PortfolioItem::newItem(name, std::time(nullptr), 0);
        item.symbol = name;
        item.server = rules;
        item.server.name = ServerConfig::kUserDefinedName;
        item.quotations = std::move(history);
        return m_doc.itemId(m_doc.addItem(item));
    }

    const PortfolioItem& item(ItemId id) const { return m_doc.item(m_doc.positionOf(id)); }

    // Hands every event to the scheduler until nothing is left to wait for.
    std::vector<DownloadEvent> pump()
    {
        std::vector<DownloadEvent> events;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while ((m_scheduler.pendingUpdates() > 0 || m_scheduler.runningDownloads() > 0 || m_scheduler.testRunning()) &&
               std::chrono::steady_clock::now() < deadline) {
            if (auto event = m_queue->take(std::chrono::milliseconds(100))) {
                m_scheduler.handleDownloadEvent(*event);
                events.push_back(std::move(*event));
            }
        }
        // Workers tidy their temporary files after their last event; checks of files come after that.
        m_scheduler.waitForWorkers();
        return events;
    }

    TestEnvironment m_env;
    PrivateTempFolder m_temp;
    PortfolioDocument m_doc{5};
    std::shared_ptr<EventQueue> m_queue = std::make_shared<EventQueue>();
    UpdateScheduler m_scheduler{m_doc, m_queue};
};

const std::string kFundList = "<tr><td>Fund A</td><td>101.5</td></tr><tr><td>Fund B</td><td>55.25</td></tr>";

TEST_F(UpdateSchedulerTest, ItemsOnTheSameAddressShareOneDownloadWithTheLargerTimeout)
{
    const std::string url = server().url("/slow?bytes=300&chunk=100&interval=0.7");
    ServerConfig shortWait = standardRules(url, "7", 1);
    ServerConfig longWait = standardRules(url, "7", 10);
    shortWait.Format = longWait.Format = 0;
    const ItemId a = addItem("A", shortWait);
    const ItemId b = addItem("B", longWait);
    EXPECT_EQ(m_scheduler.startUpdate({a, b}), 1);
    EXPECT_TRUE(m_doc.isUpdating(a));
    const auto events = pump();
    EXPECT_EQ(server().requestCount("/slow?bytes=300&chunk=100&interval=0.7"), 1);
    // The page is one number of 300 digits, which nobody could enter: both items read it within the larger
    // timeout, and both refuse it.
    EXPECT_EQ(m_scheduler.storedQuotations(), 0);
    int refused = 0;
    for (const DownloadEvent& event : events)
        refused += event.isFinal() && event.statusText() == "Error: Invalid value!";
    EXPECT_EQ(refused, 2);
    EXPECT_FALSE(m_doc.isUpdating(a));
    EXPECT_FALSE(m_doc.isUpdating(b));
    int started = 0;
    for (const DownloadEvent& event : events)
        started += event.kind == Kind::Started;
    EXPECT_EQ(started, 2);
}

TEST_F(UpdateSchedulerTest, AddressesDifferingInLetterCaseAreDownloadedApart)
{
    server().addPage("/case/list.html", kFundList);
    server().addPage("/case/LIST.html", kFundList);
    const ItemId a = addItem("Fund A", standardRules(server().url("/case/list.html"), "[&name]"));
    const ItemId b = addItem("Fund B", standardRules(server().url("/case/LIST.html"), "[&name]"));
    EXPECT_EQ(m_scheduler.startUpdate({a, b}), 2);
    pump();
    EXPECT_DOUBLE_EQ(item(a).quotations.at(0).value, 101.5);
    EXPECT_DOUBLE_EQ(item(b).quotations.at(0).value, 55.25);
}

TEST_F(UpdateSchedulerTest, LimiterLetsOnlyNumberDownloadsRunAtOnce)
{
    for (const int slotCount : {1, 3}) {
        PortfolioDocument doc(slotCount);
        doc.newPortfolio();
        auto queue = std::make_shared<EventQueue>();
        std::vector<ItemId> ids;
        for (int i = 0; i < 3; ++i) {
            const std::string path = "/limit" + std::to_string(slotCount) + "/p" + std::to_string(i) + ".html";
            server().addPage(path, "Price 4.5");
            PortfolioItem entry = PortfolioItem::newItem("I" + std::to_string(i), 0, 0);
            entry.server = standardRules(server().url(path + "?delay=0.4"), "Price");
            ids.push_back(doc.itemId(doc.addItem(entry)));
        }
        int ended = 0;
        {
            UpdateScheduler scheduler(doc, queue);
            scheduler.setDownloadsEndedHandler([&ended] { ++ended; });
            EXPECT_EQ(scheduler.startUpdate(ids), 3);
            while (scheduler.pendingUpdates() > 0)
                if (auto event = queue->take(std::chrono::seconds(10)))
                    scheduler.handleDownloadEvent(*event);
            EXPECT_EQ(scheduler.storedQuotations(), 3);
            EXPECT_EQ(server().maxConcurrentRequestsIn("/limit" + std::to_string(slotCount)), slotCount);
        }
        EXPECT_EQ(ended, 1) << "the end is reported once, after the last job, slotCount " << slotCount;
    }
}

TEST_F(UpdateSchedulerTest, MarkedItemsGetNoSecondJob)
{
    server().addPage("/twice/p.html", "Price 3.25");
    const ItemId a = addItem("A", standardRules(server().url("/twice/p.html?delay=0.3"), "Price"));
    EXPECT_EQ(m_scheduler.startUpdate({a}), 1);
    EXPECT_EQ(m_scheduler.startUpdate({a}), 0);
    pump();
    EXPECT_EQ(server().requestCount("/twice/p.html?delay=0.3"), 1);
    EXPECT_EQ(m_scheduler.startUpdate({a}), 1) << "once the mark is cleared the item can be updated again";
    pump();
    EXPECT_EQ(server().requestCount("/twice/p.html?delay=0.3"), 2);
    EXPECT_FALSE(item(a).quotations.empty());
    EXPECT_FALSE(m_doc.isUpdating(a));
}

TEST_F(UpdateSchedulerTest, CentsAreCorrectedAgainstTheNewestValue)
{
    server().addPage("/cents/p.html", "Price 12345");
    const ServerConfig rules = standardRules(server().url("/cents/p.html"), "Price");
    const ItemId r100 = addItem("R100", rules, {{1000, 123.45}});
    const ItemId r123 = addItem("R123", rules, {{1000, 100.0}});
    const ItemId r82 = addItem("R82", rules, {{1000, 150.0}});
    const ItemId r80 = addItem("R80", rules, {{1000, 12345.0 / 80}});
    const ItemId r150 = addItem("R150", rules, {{1000, 12345.0 / 150}});
    const ItemId none = addItem("None", rules);
    m_scheduler.startUpdate({r100, r123, r82, r80, r150, none});
    pump();
    EXPECT_DOUBLE_EQ(item(r100).quotations.back().value, 123.45);
    EXPECT_DOUBLE_EQ(item(r123).quotations.back().value, 123.45);
    EXPECT_DOUBLE_EQ(item(r82).quotations.back().value, 123.45);
    EXPECT_DOUBLE_EQ(item(r80).quotations.back().value, 12345.0);
    EXPECT_DOUBLE_EQ(item(r150).quotations.back().value, 12345.0);
    EXPECT_DOUBLE_EQ(item(none).quotations.back().value, 12345.0);
    EXPECT_EQ(server().requestCount("/cents/p.html"), 1);
}

TEST_F(UpdateSchedulerTest, ResultsAfterAnAbortAreDiscardedAndTheItemCanBeUpdatedAgain)
{
    server().addPage("/abort/p.html", "Price 9.5");
    const ItemId a = addItem("A", standardRules(server().url("/abort/p.html?delay=0.5"), "Price"));
    m_scheduler.abortDownloads();
    EXPECT_FALSE(m_scheduler.abortRequested()) << "nothing runs, nothing to abort";
    m_scheduler.startUpdate({a});
    while (m_scheduler.runningDownloads() == 0)
        if (auto event = m_queue->take(std::chrono::seconds(10)))
            m_scheduler.handleDownloadEvent(*event);
    m_scheduler.abortDownloads();
    EXPECT_TRUE(m_scheduler.abortRequested());
    const auto events = pump();
    EXPECT_TRUE(events.back().kind == Kind::Aborted || events.back().kind == Kind::Result);
    EXPECT_TRUE(item(a).quotations.empty());
    EXPECT_FALSE(m_doc.isUpdating(a));
    EXPECT_FALSE(m_scheduler.abortRequested());
    m_scheduler.startUpdate({a});
    pump();
    ASSERT_EQ(item(a).quotations.size(), 1u);
    EXPECT_DOUBLE_EQ(item(a).quotations[0].value, 9.5);
}

TEST_F(UpdateSchedulerTest, LateResultOfADeletedItemIsDropped)
{
    server().addPage("/deleted/p.html", "Price 2.5");
    const ItemId a = addItem("A", standardRules(server().url("/deleted/p.html?delay=0.3"), "Price"));
    m_scheduler.startUpdate({a});
    m_doc.deleteContents();
    const auto events = pump();
    EXPECT_EQ(events.back().kind, Kind::Result);
    EXPECT_EQ(m_scheduler.storedQuotations(), 0);
    EXPECT_EQ(m_doc.itemCount(), 0);
    EXPECT_EQ(m_scheduler.pendingUpdates(), 0);
}

TEST_F(UpdateSchedulerTest, InvestedAmountHistoryIsNeverUpdated)
{
    const ItemId history = m_doc.itemId(m_doc.investedAmountHistoryPosition());
    EXPECT_EQ(m_scheduler.startUpdate({history}), 0);
    EXPECT_FALSE(m_doc.isUpdating(history));
}

TEST_F(UpdateSchedulerTest, UpdateOnAGivenDateStoresThatDate)
{
    const time_t given = localTime(2004, 3, 2, 20, 0, 0);
    server().addPage("/ondate/q01.html", "Price 6.5");
    const ItemId a = addItem("A", standardRules(server().url("/ondate/q[&d].html"), "Price"));
    m_scheduler.startUpdate({a}, given);
    pump();
    ASSERT_EQ(item(a).quotations.size(), 1u);
    EXPECT_EQ(item(a).quotations[0].time, given);
}

TEST_F(UpdateSchedulerTest, ItemsNamingAStoredServerUseItsRules)
{
    server().addPage("/stored/Z1.html", "Last 77.5");
    ServerConfig rules = standardRules(server().url("/stored/[&symbol].html"), "Last");
    ASSERT_TRUE(ServerStore::writeServerConfig("Local", rules));
    PortfolioItem entry = PortfolioItem::newItem("Zed", 0, 0);
    entry.symbol = "Z1";
    entry.server.name = "Local";
    const ItemId z = m_doc.itemId(m_doc.addItem(entry));
    m_scheduler.startUpdate({z});
    pump();
    ASSERT_EQ(item(z).quotations.size(), 1u);
    EXPECT_DOUBLE_EQ(item(z).quotations[0].value, 77.5);
}

TEST_F(UpdateSchedulerTest, ServerHeadersCarryTheItemVariablesAndSeparateDownloads)
{
    ServerConfig rules = standardRules(server().url("/headers"), "no such text");
    rules.Headers = {"X-Symbol: [&symbol]"};
    ASSERT_TRUE(ServerStore::writeServerConfig("WithHeaders", rules));
    std::vector<ItemId> ids;
    for (const char* symbol : {"AAA", "BBB", "AAA"}) {
        PortfolioItem entry = PortfolioItem::newItem(std::string("Item ") + symbol + std::to_string(ids.size()), 0, 0);
        entry.symbol = symbol;
        entry.server.name = "WithHeaders";
        ids.push_back(m_doc.itemId(m_doc.addItem(entry)));
    }
    ids.push_back(addItem("Own rules", rules));
    EXPECT_EQ(m_scheduler.startUpdate(ids), 3) << "equal addresses with equal headers share a download";
    std::map<std::string, std::string> pages;
    for (DownloadEvent& event : pump())
        if (event.isFinal())
            pages[event.itemName] = readFileBytes(event.convertedFile.path());
    ASSERT_EQ(pages.size(), 4u);
    EXPECT_NE(pages["Item AAA0"].find("X-Symbol: AAA"), std::string::npos) << pages["Item AAA0"];
    EXPECT_EQ(pages["Item AAA2"], pages["Item AAA0"]);
    EXPECT_NE(pages["Item BBB1"].find("X-Symbol: BBB"), std::string::npos) << pages["Item BBB1"];
    EXPECT_EQ(pages["Own rules"].find("X-Symbol"), std::string::npos) << "items with their own rules send none";
    EXPECT_NE(pages["Own rules"].find("User-Agent: Tickora/1.0.0"), std::string::npos) << pages["Own rules"];
}

TEST_F(UpdateSchedulerTest, TestUpdatesReportWithoutStoringAnything)
{
    server().addPage("/test/p.html", "Price 1.2345 Volume");
    std::vector<UpdateScheduler::TestReport> reports;
    std::vector<bool> busy;
    m_scheduler.setTestReportHandler([&](const UpdateScheduler::TestReport& report) { reports.push_back(report); });
    m_scheduler.setTestBusyHandler([&](bool on) { busy.push_back(on); });
    m_scheduler.startTest("Foo", "F", standardRules(server().url("/test/p.html"), "Price"));
    pump();
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].icon, UpdateScheduler::TestReport::Information);
    EXPECT_EQ(reports[0].message.rfind("Quotation for 'Foo':\nValue: 1.2345\nDate/Time: ", 0), 0u)
        << reports[0].message;
    EXPECT_TRUE(busy.front());
    EXPECT_FALSE(busy.back());
    EXPECT_EQ(m_scheduler.runningDownloads(), 0);

    m_scheduler.startTest("Foo", "F", standardRules(server().url("/test/p.html"), "Volume"));
    pump();
    EXPECT_EQ(reports.back().icon, UpdateScheduler::TestReport::Warning);
    EXPECT_EQ(reports.back().message, "Quotation for 'Foo' not found!\n\n");
    EXPECT_TRUE(m_temp.files().isEmpty()) << "the page of a failed test is deleted";

    std::vector<std::string> shown;
    m_scheduler.setShowFileOnError(true, [&](const std::string& path) { shown.push_back(path); });
    m_scheduler.startTest("Foo", "F", standardRules(server().url("/test/p.html"), "Volume"));
    pump();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].substr(shown[0].size() - 4), ".TXT");
    EXPECT_EQ(readFileBytes(shown[0]), "Price 1.2345 Volume ");
    QFile::remove(QString::fromStdString(shown[0]));

    m_scheduler.startTest("Foo", "F", standardRules(server().url("/status/500"), "Price"));
    pump();
    EXPECT_EQ(reports.back().message,
              "Download error:\nItem: Foo\nURL: " + server().url("/status/500") + "\nError: Server!");
}

TEST_F(UpdateSchedulerTest, DroppedEventsDeleteTheirPagesAndUpdatesLeaveNoTemporaryFile)
{
    server().addPage("/left/p.html", "Price 5.5 Volume");
    const std::string url = server().url("/left/p.html");
    const ServerConfig found = standardRules(url, "Price");
    const ServerConfig notFound = standardRules(url, "Yield");
    {
        PortfolioDocument doc(5);
        doc.newPortfolio();
        auto queue = std::make_shared<EventQueue>();
        UpdateScheduler scheduler(doc, queue);
        PortfolioItem entry = PortfolioItem::newItem("N", 0, 0);
        entry.server = notFound;
        EXPECT_EQ(scheduler.startUpdate({doc.itemId(doc.addItem(entry)), doc.itemId(doc.addItem(entry))}), 1);
        scheduler.waitForWorkers();
        EXPECT_EQ(m_temp.files().size(), 2) << "the pages of both failed searches wait in the queue";
        // Taken and dropped without reaching the scheduler, as when the window they were sent to closed.
        int dropped = 0;
        while (queue->take(std::chrono::milliseconds(0)))
            ++dropped;
        EXPECT_EQ(dropped, 8);
        EXPECT_TRUE(m_temp.files().isEmpty()) << m_temp.files().join(",").toStdString();
    }

    const std::vector<ItemId> items{addItem("F1", found),
                                    addItem("F2", found),
                                    addItem("N1", notFound),
                                    addItem("N2", notFound),
                                    addItem("E", standardRules(server().url("/status/500"), "x")),
                                    addItem("M", standardRules(server().url("/left/missing.html"), "x"))};
    m_scheduler.startUpdate(items);
    pump();
    EXPECT_EQ(m_scheduler.storedQuotations(), 2);
    EXPECT_TRUE(m_temp.files().isEmpty()) << m_temp.files().join(",").toStdString();

    std::vector<std::string> shown;
    m_scheduler.setShowFileOnError(true, [&](const std::string& path) { shown.push_back(path); });
    m_scheduler.startUpdate(items);
    pump();
    EXPECT_EQ(m_temp.files().size(), 2) << "only the shown pages stay";
    for (const std::string& path : shown)
        EXPECT_EQ(readFileBytes(path), "Price 5.5 Volume ");
    EXPECT_EQ(shown.size(), 2u);
}

} // namespace

TEST_F(UpdateSchedulerTest, TextsTooLongWithNameAndSymbolFailWithoutADownload)
{
    server().addPage("/long/ok.html", "Price 7.5 EUR");
    ServerConfig longAddress = standardRules(server().url("/long/x?s=[&symbol]"), "Price");
    const ItemId byAddress = addItem(std::string(250, 'n'), longAddress);
    ServerConfig longStart = standardRules(server().url("/long/ok.html"), "[&name][&symbol]");
    const ItemId byStartText = addItem(std::string(140, 'm'), longStart);
    const ItemId fine = addItem("Fine", standardRules(server().url("/long/ok.html"), "Price"));

    EXPECT_EQ(m_scheduler.startUpdate({byAddress, byStartText, fine}), 3)
        << "refused items never share the job of a good address";
    const auto events = pump();
    EXPECT_EQ(server().requestCount("/long/ok.html"), 1);
    EXPECT_TRUE(item(byAddress).quotations.empty());
    EXPECT_TRUE(item(byStartText).quotations.empty());
    EXPECT_FALSE(m_doc.isUpdating(byAddress));
    EXPECT_EQ(item(fine).quotations.size(), 1u);
    int refusals = 0;
    for (const DownloadEvent& event : events) {
        if (event.isFinal() && event.kind != Kind::Result) {
            EXPECT_NE(event.statusText().find("longer than 259 characters"), std::string::npos) << event.statusText();
            ++refusals;
        }
    }
    EXPECT_EQ(refusals, 2);
}
