#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct Result {
    int exitCode = -1;
    QString output;
};

Result run(const QString& program, const QStringList& arguments,
           const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    Result result;
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
        QVERIFY(m_prefix.isValid());
        const Result install =
            run(QStringLiteral(TICKORA_CMAKE_COMMAND), {"--install", TICKORA_BUILD_DIR, "--prefix", m_prefix.path()});
        QVERIFY2(install.exitCode == 0, qPrintable(install.output));
    }

    void programWithItsHelpPagesBesideIt()
    {
        const QDir bin(m_prefix.filePath(QStringLiteral("bin")));
        QVERIFY(QFileInfo(bin.filePath("tickora")).isExecutable());
        for (const char* page : {"TKRSrv.html", "FAQ.html"}) {
            const QByteArray installed = contents(bin.filePath(QString::fromLatin1(page)));
            QVERIFY2(installed.contains("<html"), page);
            QCOMPARE(installed,
                     contents(QStringLiteral(TICKORA_SOURCE_DIR "/src/gui/help/") + QString::fromLatin1(page)));
        }
        // The installed program runs; without a display it says what it needs.
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(QString::fromLatin1(name));
        const Result started = run(bin.filePath("tickora"), {}, environment);
        QVERIFY(started.exitCode != 0);
        QVERIFY2(started.output.contains(QStringLiteral("needs a display")), qPrintable(started.output));
    }

    void desktopEntryStartsTheProgramForPortfolios()
    {
        const QString path = m_prefix.filePath(QStringLiteral("share/applications/tickora.desktop"));
        const Result validation = run(QStringLiteral("desktop-file-validate"), {path});
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
        const Result update = run(QStringLiteral("update-mime-database"), {mime});
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
#include "install.moc"
