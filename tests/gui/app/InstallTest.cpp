// SPDX-License-Identifier: GPL-3.0-or-later
#include "OpenedUrls.h"
#include "TestEnvironment.h"
#include "WidgetLookup.h"
#include "gui/app/MainWindow.h"

#include <QAction>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Set when a copy of this test runs from the installed bin folder.
const char* const kInstalledCopy = "TICKORA_INSTALLED_TEST_COPY";

struct ProcessResult {
    int exitCode = -1;
    QString output;
};

ProcessResult run(const QString& program, const QStringList& arguments,
                  const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    ProcessResult result;
    if (!process.waitForFinished(120000)) {
        process.kill();
        process.waitForFinished();
        result.output = QStringLiteral("(did not end)");
        return result;
    }
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.output = QString::fromLocal8Bit(process.readAll());
    return result;
}

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The key=value lines of the [Desktop Entry] group.
QMap<QString, QString> desktopEntry(const QString& path)
{
    QMap<QString, QString> entry;
    bool inGroup = false;
    for (const QString& line : QString::fromUtf8(contents(path)).split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1Char('[')))
            inGroup = line == QLatin1String("[Desktop Entry]");
        else if (inGroup && line.contains(QLatin1Char('=')))
            entry.insert(line.section(QLatin1Char('='), 0, 0), line.section(QLatin1Char('='), 1));
    }
    return entry;
}

} // namespace

class TestInstall : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_prefix;

private slots:
    void initTestCase()
    {
        if (qEnvironmentVariableIsSet(kInstalledCopy))
            return;
        QVERIFY(m_prefix.isValid());
        const ProcessResult install =
            run(QStringLiteral(TICKORA_CMAKE_COMMAND), {"--install", TICKORA_BUILD_DIR, "--prefix", m_prefix.path()});
        QVERIFY2(install.exitCode == 0, qPrintable(install.output));
    }

    void programAndItsHelpPages()
    {
        const QDir bin(m_prefix.filePath(QStringLiteral("bin")));
        const QDir help(m_prefix.filePath(QStringLiteral("share/tickora/help")));
        QVERIFY(QFileInfo(bin.filePath("tickora")).isExecutable());
        for (const char* page : {"TKRSrv.html", "FAQ.html"}) {
            const QByteArray installed = contents(help.filePath(QString::fromLatin1(page)));
            QVERIFY2(installed.contains("<html"), page);
            QCOMPARE(installed,
                     contents(QStringLiteral(TICKORA_SOURCE_DIR "/src/gui/help/") + QString::fromLatin1(page)));
        }
        // The installed program runs; without a display it says what it needs.
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(QString::fromLatin1(name));
        const ProcessResult started = run(bin.filePath("tickora"), {}, environment);
        QVERIFY(started.exitCode != 0);
        QVERIFY2(started.output.contains(QStringLiteral("needs a display")), qPrintable(started.output));
        // The version needs no display either.
        const ProcessResult version = run(bin.filePath("tickora"), {"--version"}, environment);
        QCOMPARE(version.exitCode, 0);
        QCOMPARE(version.output, QStringLiteral("tickora " TICKORA_VERSION "\n"));
        QCOMPARE(version.output, QStringLiteral("tickora 1.0.0\n"));
    }

    // The installed program looks for its print library from its own folder's parent.
    void printLibraryWhereTheProgramLooksForIt()
    {
        if (qEnvironmentVariableIsSet(kInstalledCopy))
            return;
        const QDir bin(m_prefix.filePath(QStringLiteral("bin")));
        QVERIFY(
            QFileInfo(bin.filePath(QStringLiteral("../" TICKORA_PRINT_LIBRARY_DIR "/libtickora-print.so"))).isFile());
    }

    // Both help commands open the installed pages: a copy of this test runs from the installed bin
    // folder, where the program looks for them as the installed tickora does.
    void helpCommandsOpenTheInstalledPages()
    {
        if (!qEnvironmentVariableIsSet(kInstalledCopy)) {
            const QString copy = m_prefix.filePath(QStringLiteral("bin/tickora-help-check"));
            QVERIFY(QFile::copy(QCoreApplication::applicationFilePath(), copy));
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert(QString::fromLatin1(kInstalledCopy), QStringLiteral("1"));
            const ProcessResult checked = run(copy, {"helpCommandsOpenTheInstalledPages"}, environment);
            QFile::remove(copy);
            QVERIFY2(checked.exitCode == 0, qPrintable(checked.output));
            QVERIFY2(checked.output.contains(QStringLiteral("PASS   : TestInstall::helpCommandsOpenTheInstalledPages")),
                     qPrintable(checked.output));
            return;
        }
        TestEnvironment env;
        OpenedUrls opened;
        MainWindow frame(GeneralOptions(), false);
        child<QAction>(&frame, "faq")->trigger();
        child<QAction>(&frame, "serverHelp")->trigger();
        const QString help = QDir::cleanPath(QCoreApplication::applicationDirPath() + "/../share/tickora/help");
        QCOMPARE(opened.urls,
                 (QList<QUrl>{QUrl::fromLocalFile(help + "/FAQ.html"), QUrl::fromLocalFile(help + "/TKRSrv.html")}));
        for (const QUrl& url : opened.urls)
            QVERIFY2(contents(url.toLocalFile()).contains("<html"), qPrintable(url.toLocalFile()));
    }

    void desktopEntryStartsTheProgramForPortfolios()
    {
        const QString path = m_prefix.filePath(QStringLiteral("share/applications/tickora.desktop"));
        const ProcessResult validation = run(QStringLiteral("desktop-file-validate"), {path});
        QVERIFY2(validation.exitCode == 0 && validation.output.trimmed().isEmpty(), qPrintable(validation.output));
        const QMap<QString, QString> entry = desktopEntry(path);
        QCOMPARE(entry.value("Type"), QStringLiteral("Application"));
        QCOMPARE(entry.value("Name"), QStringLiteral("Tickora"));
        // The file manager hands the portfolio over as the one plain parameter.
        QCOMPARE(entry.value("Exec"), QStringLiteral("tickora %f"));
        QVERIFY(QFileInfo(m_prefix.filePath(QStringLiteral("bin/tickora"))).exists());
        QCOMPARE(entry.value("MimeType"), QStringLiteral("application/x-tickora-portfolio;"));
        QCOMPARE(entry.value("Icon"), QStringLiteral("tickora"));
    }

    void iconIsAnImage()
    {
        const QString path = m_prefix.filePath(QStringLiteral("share/icons/hicolor/scalable/apps/tickora.svg"));
        QImageReader reader(path);
        reader.setScaledSize(QSize(48, 48));
        const QImage image = reader.read();
        QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));
        QCOMPARE(image.size(), QSize(48, 48));
    }

    void mimeTypeClaimsPortfolioFiles()
    {
        const QString mime = m_prefix.filePath(QStringLiteral("share/mime"));
        QVERIFY(QFileInfo::exists(mime + QStringLiteral("/packages/tickora-portfolio.xml")));
        // The system's own tool compiles the database from the installed package file.
        const ProcessResult update = run(QStringLiteral("update-mime-database"), {mime});
        QVERIFY2(update.exitCode == 0, qPrintable(update.output));
        const QString globs = QString::fromUtf8(contents(mime + QStringLiteral("/globs2")));
        // One glob without the case-sensitive flag, so "DEPOT.TKR" is a portfolio too.
        const QStringList lines = globs.split(QLatin1Char('\n')).filter(QStringLiteral("x-tickora-portfolio"));
        QCOMPARE(lines, QStringList{QStringLiteral("50:application/x-tickora-portfolio:*.tkr")});
        const QString icons = QString::fromUtf8(contents(mime + QStringLiteral("/icons")));
        QVERIFY2(icons.contains(QStringLiteral("application/x-tickora-portfolio:tickora")), qPrintable(icons));
        QVERIFY(QFileInfo::exists(mime + QStringLiteral("/application/x-tickora-portfolio.xml")));
    }
};

QTEST_MAIN(TestInstall)
#include "InstallTest.moc"
