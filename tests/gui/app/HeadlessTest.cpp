// SPDX-License-Identifier: GPL-3.0-or-later
#include "GuiFixtures.h"
#include "HttpTestServer.h"
#include "StatusOutcome.h"
#include "TestEnvironment.h"
#include "core/servers/ServerStore.h"
#include "core/settings/RuleHealth.h"

#include <QProcess>
#include <QtTest>
#include <csignal>

namespace {

struct Run {
    int exitCode = -1;
    QString out;
    QString err;
};

// Runs the real program; without `display` the machine looks as if it had none.
Run runTickora(const QStringList& arguments, bool display)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    if (display)
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(TICKORA_GUI_PATH), arguments);
    Run run;
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        run.err = QStringLiteral("(did not end)");
        return run;
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    run.err = QString::fromLocal8Bit(process.readAllStandardError());
    return run;
}

QString savePortfolio(const TestEnvironment& env, const std::vector<PortfolioItem>& items)
{
    const std::string path = env.path("depot.tkr");
    PortfolioDocument doc;
    doc.newPortfolio();
    for (const PortfolioItem& item : items)
        doc.addItem(item);
    std::string error;
    if (!succeeded(doc.savePortfolio(path), error))
        throw std::runtime_error(error);
    return QString::fromStdString(path);
}

// Item name and newest value of every ordinary item, or an empty list when the file cannot be read.
QStringList newestValues(const QString& path)
{
    PortfolioDocument doc;
    std::string error;
    if (!succeeded(doc.openPortfolio(path.toStdString()), error))
        return {};
    QStringList values;
    for (int pos = 0; pos < doc.itemCount(); ++pos) {
        const PortfolioItem& item = doc.item(pos);
        if (!item.isInvestedAmountHistory)
            values << QString::fromStdString(item.name) + QLatin1Char('=') +
                    (item.quotations.empty() ? QStringLiteral("-") : QString::number(item.quotations.back().value));
    }
    return values;
}

} // namespace

class TestHeadless : public QObject {
    Q_OBJECT
private slots:
    void unattendedRunWithoutDisplayUpdatesAndSaves()
    {
        TestEnvironment env;
        HttpTestServer server;
        server.addPage("/q.html", "<p>AAA 12.5</p><p>BBB 7.25</p>");
        const QString path = savePortfolio(
            env, {pageItem("Alpha", "AAA", server.url("/q.html")), pageItem("Beta", "BBB", server.url("/q.html"))});
        const Run run = runTickora({QStringLiteral("/u"), path}, false);
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QCOMPARE(newestValues(path), (QStringList{"Alpha=12.5", "Beta=7.25"}));
        QCOMPARE(server.requestCount("/q.html"), 1);
        // The start installed the built-in servers into the settings named for the run.
        QCOMPARE(ServerStore::storedPresetVersion(), ServerStore::kServerPresetVersion);

        // "-u" is the same switch, and the file may come first.
        QCOMPARE(runTickora({path, QStringLiteral("-u")}, false).exitCode, 0);
        QCOMPARE(server.requestCount("/q.html"), 2);
    }

    void aStopSignalSavesWhatWasFetched()
    {
        // With a display the window's unattended mode runs, without one the headless update.
        for (const auto& [signal, exitCode, display] :
             {std::tuple{SIGINT, 130, true}, std::tuple{SIGTERM, 143, false}}) {
            TestEnvironment env;
            HttpTestServer server;
            server.addPage("/q.html", "<p>AAA 12.5</p>");
            const QString path =
                savePortfolio(env,
                              {pageItem("Alpha", "AAA", server.url("/q.html")),
                               pageItem("Slow", "SSS", server.url("/slow?bytes=100000&chunk=100&interval=0.5"))});
            QProcess process;
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
                environment.remove(QString::fromLatin1(name));
            if (display)
                environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
            process.setProcessEnvironment(environment);
            process.start(QStringLiteral(TICKORA_GUI_PATH), {QStringLiteral("/u"), path});
            QVERIFY(process.waitForStarted());
            QTRY_COMPARE_WITH_TIMEOUT(server.requestCount("/q.html"), 1, 20000);
            // The slow page holds the run open; the fast one has been stored by now.
            QTest::qWait(1500);
            ::kill(static_cast<pid_t>(process.processId()), signal);
            QVERIFY(process.waitForFinished(20000));
            QCOMPARE(process.exitStatus(), QProcess::NormalExit);
            QCOMPARE(process.exitCode(), exitCode);
            QCOMPARE(newestValues(path), (QStringList{"Alpha=12.5", "Slow=-"}));
        }
    }

    void exitsRightAfterTheFirstPaintWhenAsked()
    {
        TestEnvironment env;
        const QString path = savePortfolio(env, {pageItem("Alpha", "AAA", "http://127.0.0.1:9/q.html")});
        qputenv("TICKORA_EXIT_AFTER_FIRST_PAINT", "1");
        const Run run = runTickora({path}, true);
        qunsetenv("TICKORA_EXIT_AFTER_FIRST_PAINT");
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QCOMPARE(newestValues(path), QStringList{"Alpha=-"});
    }

    void failingItemEndsWithOneAndKeepsTheOthers()
    {
        TestEnvironment env;
        HttpTestServer server;
        server.addPage("/q.html", "<p>AAA 12.5</p>");
        const QString path = savePortfolio(
            env,
            {pageItem("Alpha", "AAA", server.url("/q.html")), pageItem("Gone", "GGG", server.url("/missing.html"))});
        const Run run = runTickora({QStringLiteral("/u"), path}, false);
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(QStringLiteral("Gone: Error: File not found: /missing.html")), qPrintable(run.err));
        QVERIFY2(!run.err.contains(QStringLiteral("Alpha")), qPrintable(run.err));
        QCOMPARE(newestValues(path), (QStringList{"Alpha=12.5", "Gone=-"}));
    }

    void unattendedRunsPrintAlarmsOnceAndRecordRuleHealth_data()
    {
        QTest::addColumn<bool>("display");
        QTest::newRow("without display") << false;
        QTest::newRow("with display") << true;
    }

    void unattendedRunsPrintAlarmsOnceAndRecordRuleHealth()
    {
        QFETCH(bool, display);
        TestEnvironment env;
        HttpTestServer server;
        server.addPage("/q.html", "<p>AAA 120</p>");
        PortfolioItem alarm = pageItem("Alpha", "AAA", server.url("/q.html"));
        alarm.quotations = {{1000, 110}};
        alarm.alarmAboveEnabled = 1;
        alarm.alarmAbove = 115;
        const QString path = savePortfolio(env, {alarm, pageItem("Gone", "GGG", server.url("/missing.html"))});
        for (const int expected : {1, 0}) {
            const Run run = runTickora({QStringLiteral("/u"), path}, display);
            QCOMPARE(run.exitCode, 1);
            QVERIFY2(run.err.count(QStringLiteral("Alarm: Alpha: above 115.00\n")) == expected, qPrintable(run.err));
        }
        const std::map<std::string, RuleHealth> health = RuleHealth::read(path.toStdString());
        QCOMPARE(health.at("Gone").Failures, 2);
        QVERIFY(health.at("Alpha").LastSuccess > 0);
        QCOMPARE(health.at("Alpha").Failures, 0);
    }

    void runThatStoresNothingLeavesTheFileAsItWas()
    {
        TestEnvironment env;
        HttpTestServer server;
        const QString path = savePortfolio(env, {pageItem("Gone", "GGG", server.url("/missing.html"))});
        const std::string before = readFileBytes(path.toStdString());
        const Run run = runTickora({QStringLiteral("/u"), path}, false);
        QCOMPARE(run.exitCode, 1);
        QVERIFY(readFileBytes(path.toStdString()) == before);
        QVERIFY2(!run.err.contains(QLatin1Char('\t')), qPrintable(run.err));
    }

    void unreadablePortfolioEndsWithThree()
    {
        TestEnvironment env;
        const std::string garbage = env.writeFile("garbage.tkr", "this is no portfolio");
        Run run = runTickora({QStringLiteral("/u"), QString::fromStdString(garbage)}, false);
        QCOMPARE(run.exitCode, 3);
        QVERIFY2(run.err.contains(QStringLiteral("Unexpected file format.")), qPrintable(run.err));
        QCOMPARE(readFileBytes(garbage), std::string("this is no portfolio"));

        run = runTickora({QStringLiteral("/u"), QString::fromStdString(env.path("absent.tkr"))}, false);
        QCOMPARE(run.exitCode, 3);
        QVERIFY2(!run.err.trimmed().isEmpty(), "no message");
    }

    void withoutDisplayAndWithoutSwitchItSaysSo()
    {
        TestEnvironment env;
        const QString path = savePortfolio(env, {});
        for (const QStringList& arguments : {QStringList{}, QStringList{path}, QStringList{"/U", path}}) {
            const Run run = runTickora(arguments, false);
            QVERIFY2(run.exitCode != 0, qPrintable(arguments.join(' ')));
            QVERIFY2(run.err.contains(QStringLiteral("needs a display")), qPrintable(run.err));
        }
        const Run noFile = runTickora({QStringLiteral("/u")}, false);
        QCOMPARE(noFile.exitCode, 2);
        QVERIFY2(!noFile.err.trimmed().isEmpty(), "no message");
    }

    void unattendedRunWithDisplayShowsNoBoxAndEndsTheSameWay()
    {
        TestEnvironment env;
        HttpTestServer server;
        server.addPage("/q.html", "<p>AAA 12.5</p>");
        const QString path = savePortfolio(
            env,
            {pageItem("Alpha", "AAA", server.url("/q.html")), pageItem("Gone", "GGG", server.url("/missing.html"))});
        const Run run = runTickora({QStringLiteral("/u"), path}, true);
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(QStringLiteral("Gone: Error: File not found: /missing.html")), qPrintable(run.err));
        QCOMPARE(newestValues(path), (QStringList{"Alpha=12.5", "Gone=-"}));

        const std::string garbage = env.writeFile("garbage.tkr", "this is no portfolio");
        const Run broken = runTickora({QStringLiteral("/u"), QString::fromStdString(garbage)}, true);
        QCOMPARE(broken.exitCode, 3);
        QVERIFY2(broken.err.contains(QStringLiteral("Unexpected file format.")), qPrintable(broken.err));
    }
};

QTEST_MAIN(TestHeadless)
#include "HeadlessTest.moc"
