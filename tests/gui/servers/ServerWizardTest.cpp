// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/servers/ServerWizard.h"
#include "GuiTestCase.h"
#include "HttpTestServer.h"
#include "TestEnvironment.h"
#include "WidgetLookup.h"
#include "gui/servers/AddressField.h"
#include "gui/servers/WizardDownloadPage.h"
#include "gui/servers/WizardRulePage.h"
#include "gui/widgets/MessageDialog.h"

#include <QComboBox>
#include <QDesktopServices>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QtTest>

// Collects the files the wizard shows in the web browser.
class OpenedFiles : public QObject {
    Q_OBJECT
public:
    OpenedFiles() { QDesktopServices::setUrlHandler("file", this, "open"); }
    ~OpenedFiles() override { QDesktopServices::unsetUrlHandler("file"); }
    QList<QUrl> urls;
public slots:
    void open(const QUrl& url) { urls << url; }
};

namespace {

const char* const kLoaded = "The file has been successfully downloaded, the web page is shown in the\nweb browser. If "
                            "the page is ok, press next to go to the next step where\nyou can configure the "
                            "quotation extraction rules.";

ServerConfig serverFor(const std::string& url)
{
    ServerConfig config = ServerConfig::newServerDefaults();
    config.URL = url;
    config.Format = 0;
    config.Filtering = 1;
    config.Numbers_before_Value = 4;
    return config;
}

// Downloads the page on page one and goes on to page two.
bool loadAndProceed(ServerWizard& wizard)
{
    WizardDownloadPage* one = child<WizardDownloadPage>(&wizard, "downloadPage");
    QTest::mouseClick(child<QPushButton>(one, "downloadButton"), Qt::LeftButton);
    if (!QTest::qWaitFor([one] { return one->statusText() == QLatin1String(kLoaded); }, 20000))
        return false;
    if (child<QPushButton>(one, "downloadButton")->isVisibleTo(one) ||
        !child<QPushButton>(one, "nextButton")->isVisibleTo(one))
        return false;
    QTest::mouseClick(child<QPushButton>(one, "nextButton"), Qt::LeftButton);
    return true;
}

QStringList listed(const QListWidget* list)
{
    QStringList texts;
    for (int row = 0; row < list->count(); ++row)
        texts << list->item(row)->text();
    return texts;
}

} // namespace

class TestWizard : public GuiTestCase {
    Q_OBJECT
private slots:
    void kursPageYieldsTheTagRuleAndMarksItsRegion()
    {
        TestEnvironment env;
        HttpTestServer server;
        QVERIFY(server.running());
        server.addPage("/kurs.html", "Kurs:<td><b>22,65</b></td> and more text");
        OpenedFiles opened;
        ServerWizard wizard(serverFor(server.url("/[&symbol].html")), "Bank", "Item", "kurs");
        wizard.show();
        QCOMPARE(wizard.windowTitle(), QStringLiteral("Server Configuration Wizard - [Bank]"));
        WizardDownloadPage* one = child<WizardDownloadPage>(&wizard, "downloadPage");
        QCOMPARE(one->statusText(), QStringLiteral("Press next to download the web page"));
        QVERIFY(!child<QPushButton>(one, "backButton")->isEnabled());
        QVERIFY(!child<QPushButton>(one, "nextButton")->isVisible());
        QVERIFY(loadAndProceed(wizard));
        QCOMPARE(server.requests(), std::vector<std::string>{"/kurs.html"});

        const std::array<std::string, 3> samples = wizard.sampleFiles();
        QVERIFY(QString::fromStdString(samples[0]).endsWith(".html"));
        for (const std::string& sample : samples)
            QVERIFY(QFile::exists(QString::fromStdString(sample)));
        QCOMPARE(opened.urls, QList<QUrl>{QUrl::fromLocalFile(QString::fromStdString(samples[0]))});

        WizardRulePage* two = child<WizardRulePage>(&wizard, "rulePage");
        QCOMPARE(child<QComboBox>(two, "conversionList")->currentText(), QStringLiteral("semi-html"));
        QVERIFY(child<QPlainTextEdit>(two, "pageView")->toPlainText().startsWith("Kurs:<><>22,65"));
        // Enter in the quotation field runs "Get &Configuration".
        MessageDialog::setNextAnswer(QMessageBox::Ok);
        QTest::keyClick(child<QLineEdit>(two, "quotationField"), Qt::Key_Return);
        QCOMPARE(MessageDialog::shownTexts(), QStringList{"Please enter the quotation to be extracted!"});
        QTest::keyClicks(child<QLineEdit>(two, "quotationField"), "22,65");
        QTest::keyClick(child<QLineEdit>(two, "quotationField"), Qt::Key_Return);
        QCOMPARE(listed(child<QListWidget>(two, "ruleList")),
                 QStringList({"find text \"Kurs:\" and skip 2 html tag(s) ",
                              "XPath: //p[normalize-space()='Kurs:']/following-sibling::td[1]"}));
        QCOMPARE(child<QProgressBar>(two, "progressBar")->maximum(), 6 * 16);
        QCOMPARE(child<QProgressBar>(two, "progressBar")->value(), 6 * 16);
        QCOMPARE(child<QPlainTextEdit>(two, "pageView")->textCursor().selectedText(), QStringLiteral("Kurs:<><>22,65"));
        const QList<QTextEdit::ExtraSelection> marks = child<QPlainTextEdit>(two, "pageView")->extraSelections();
        QCOMPARE(marks.size(), 2);
        QCOMPARE(marks[0].cursor.selectedText(), QStringLiteral("Kurs:"));
        QCOMPARE(marks[1].cursor.selectedText(), QStringLiteral("22,65"));
        QVERIFY(child<QPushButton>(two, "nextButton")->isEnabled());

        child<QComboBox>(two, "conversionList")->setCurrentIndex(2);
        QCOMPARE(child<QListWidget>(two, "ruleList")->count(), 0);
        QVERIFY(!child<QPushButton>(two, "nextButton")->isEnabled());
        child<QComboBox>(two, "conversionList")->setCurrentIndex(1);
        QTest::mouseClick(child<QPushButton>(two, "generateButton"), Qt::LeftButton);
        child<QComboBox>(two, "separatorList")->setCurrentIndex(2);
        QTest::mouseClick(child<QPushButton>(two, "nextButton"), Qt::LeftButton);
        QCOMPARE(wizard.result(), int(QDialog::Accepted));

        ServerConfig config = serverFor("old");
        config.RegExp = "kept";
        QVERIFY(wizard.applyTo(config).isOk());
        QCOMPARE(config.URL, server.url("/[&symbol].html"));
        QCOMPARE(config.Format, 1);
        QCOMPARE(config.Text_before_Value, std::string("Kurs:"));
        QCOMPARE(config.Nr_HTML_before_Value, 2);
        QCOMPARE(config.Numbers_before_Value, 0);
        QCOMPARE(config.TAUSEND, std::string(","));
        QCOMPARE(config.DECIMAL, std::string("."));
        QCOMPARE(config.Filtering, 0);
        QCOMPARE(config.NoCaseSensitiv, 1);
        QCOMPARE(config.RegExp, std::string("kept"));
        for (const std::string& sample : samples)
            QVERIFY(!QFile::exists(QString::fromStdString(sample)));
    }

    void theItemsNameGoesBackIntoTheStartText()
    {
        TestEnvironment env;
        HttpTestServer server;
        server.addPage("/ibm.html", "<td>IBM Corp. 123,45</td>");
        OpenedFiles opened;
        ServerWizard wizard(serverFor(server.url("/ibm.html")), ServerConfig::kUserDefinedName, "IBM", "IBM.N");
        QCOMPARE(wizard.windowTitle(), QStringLiteral("Server Configuration Wizard - [IBM]"));
        wizard.show();
        QVERIFY(loadAndProceed(wizard));
        child<QLineEdit>(child<WizardRulePage>(&wizard, "rulePage"), "quotationField")->setText("123,45");
        child<WizardRulePage>(&wizard, "rulePage")->generate();
        QVERIFY(child<WizardRulePage>(&wizard, "rulePage")->selectedRule());
        ServerConfig config = serverFor("old");
        QVERIFY(wizard.applyTo(config).isOk());
        QCOMPARE(config.Text_before_Value, std::string("[&name] Corp. "));
    }

    void editingTheAddressOrAFailedDownloadReturnsToTheStart()
    {
        TestEnvironment env;
        HttpTestServer server;
        ServerWizard wizard(serverFor(server.url("/missing.html")), "Bank", "Item", "S");
        wizard.show();
        WizardDownloadPage* one = child<WizardDownloadPage>(&wizard, "downloadPage");
        QTest::mouseClick(child<QPushButton>(one, "downloadButton"), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(one->statusText(), QStringLiteral("Error: File not found: /missing.html"), 20000);
        QVERIFY(child<QPushButton>(one, "downloadButton")->isEnabled());
        child<AddressField>(one, "addressField")->setText(QString::fromStdString(server.url("/other.html")));
        QCOMPARE(one->statusText(), QStringLiteral("Press next to download the web page"));

        QMimeData link;
        link.setText("http://dropped.example/page.html");
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &link, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(child<AddressField>(one, "addressField"), &enter);
        QDragMoveEvent move(QPoint(5, 5), Qt::CopyAction, &link, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(child<AddressField>(one, "addressField"), &move);
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &link, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(child<AddressField>(one, "addressField"), &drop);
        QCOMPARE(one->address(), std::string("http://dropped.example/page.html"));
    }
};

QTEST_MAIN(TestWizard)
#include "ServerWizardTest.moc"
