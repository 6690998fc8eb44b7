// SPDX-License-Identifier: GPL-3.0-or-later
// Every name the program stores or prints for others to read, in one text compared with a golden file: a
// rename that reaches one of them fails here before it breaks a user's files, settings or scripts.
#include "CliRunner.h"
#include "TestEnvironment.h"
#include "core/download/DownloadEvent.h"
#include "core/extract/ExtractResult.h"
#include "core/extract/JsonRule.h"
#include "core/extract/XPathRule.h"
#include "core/importexport/ImportEngine.h"
#include "core/model/PortfolioArchive.h"
#include "core/model/PortfolioDocument.h"
#include "core/model/PortfolioFile.h"
#include "core/servers/ServerConfigExport.h"
#include "core/servers/ServerStore.h"
#include "core/settings/GeneralOptions.h"
#include "core/settings/SettingsKeys.h"
#include "gui/widgets/HelpPages.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <set>
#include <string>

namespace {

class NameText {
public:
    void section(const std::string& title) { m_text += (m_text.empty() ? "[" : "\n[") + title + "]\n"; }
    void add(const std::string& name) { m_text += name + '\n'; }
    void add(const char* name) { add(std::string(name)); }
    void add(const QString& name) { add(name.toStdString()); }
    const std::string& text() const { return m_text; }

private:
    std::string m_text;
};

void addSettingsNames(NameText& names)
{
    names.section("settings store");
    names.add(std::string(SettingsKeys::kOrganisationName) + '/' + SettingsKeys::kApplicationName);
    for (int i = 0; i <= int(SettingsKey::ServerPresetVersion); ++i)
        names.add(SettingsKeys::path(static_cast<SettingsKey>(i)));
    names.add(SettingsKeys::recentFile(1));
    for (const GeneralOptions::Field& field : GeneralOptions::fields())
        names.add(SettingsKeys::generalOptionsGroup() + '/' + field.name);
    const QString server = SettingsKeys::serverSection() + "/NAME/";
    for (const ServerConfig::Field& field : ServerConfig::fields())
        names.add(server + field.key);
    for (const char* field : {SettingsKeys::kServerHeaders, SettingsKeys::kServerFallback,
                              SettingsKeys::kServerCrossCheck, SettingsKeys::kServerCrossCheckPercent})
        names.add(server + field);
    const QString health = SettingsKeys::ruleHealthSection() + "/PORTFOLIO/ITEM/";
    for (const char* field : {SettingsKeys::kRuleHealthLastSuccess, SettingsKeys::kRuleHealthFailures,
                              SettingsKeys::kRuleHealthLastFailure, SettingsKeys::kRuleHealthLastTextBefore,
                              SettingsKeys::kRuleHealthFallback, SettingsKeys::kRuleHealthFallbackSince})
        names.add(health + field);
}

void addRegistryLayout(NameText& names)
{
    names.section("server export");
    ServerConfig example = ServerConfig::newServerDefaults();
    example.name = "NAME";
    example.Headers = {"Accept: text/html"};
    std::string layout = ServerConfigExport::render({example}, 3);
    for (size_t at = layout.find('\r'); at != std::string::npos; at = layout.find('\r', at))
        layout.erase(at, 1);
    names.add(layout.substr(0, layout.find_last_not_of('\n') + 1));
}

void addStatusTexts(NameText& names)
{
    names.section("status texts");
    DownloadEvent event;
    event.url = "http://host/page?q=1";
    event.errorText = "FAILURE\nTEXT";
    event.kilobytes = 12;
    event.seconds = 30;
    event.quotation = Quotation{0, 1.5};
    event.lastValue = 2.0;
    for (int kind = int(DownloadEventKind::Started); kind <= int(DownloadEventKind::WaitingForMemory); ++kind) {
        event.kind = static_cast<DownloadEventKind>(kind);
        // A result shows its value, a failed search the extraction's text (below).
        if (event.kind != DownloadEventKind::Result && event.kind != DownloadEventKind::QuotationNotFound &&
            event.kind != DownloadEventKind::DownloadError)
            names.add(event.statusText());
    }
    event.kind = DownloadEventKind::DownloadError;
    for (DownloadErrorCode code :
         {DownloadErrorCode::WrongUrl, DownloadErrorCode::NotFound, DownloadErrorCode::Timeout,
          DownloadErrorCode::ClientError, DownloadErrorCode::ServerError, DownloadErrorCode::Failure,
          DownloadErrorCode::ServerBusy, DownloadErrorCode::NoConnection, DownloadErrorCode::HostNotFound,
          DownloadErrorCode::Incomplete}) {
        event.code = code;
        names.add(event.statusText());
    }
    event.code = DownloadErrorCode::ServerBusy;
    event.seconds = 0;
    names.add(event.statusText());
    names.add(DownloadEvent::downloadFailedText("REASON"));
    for (ExtractStatus status :
         {ExtractStatus::QuotationNotFound, ExtractStatus::StartTextNotFound, ExtractStatus::InvalidValue,
          ExtractStatus::PageNotJson, ExtractStatus::JsonPathNotFound, ExtractStatus::XPathNotFound})
        names.add(ExtractResult{status, 0.0, "EXCERPT", 0, {}}.statusText());
}

void addMessages(NameText& names)
{
    names.section("messages");
    for (const char* message : {PortfolioArchive::kFormatError, PortfolioArchive::kClipboardReadError,
                                PortfolioFile::kOpenFailed, PortfolioFile::kSaveFailed, kUnstorableTimeText,
                                ImportEngine::kNoMatch, JsonRule::kTooLong, ServerConfig::kUserDefinedName})
        names.add(message);
    names.add(ServerStore::missingServerMessage("NAME"));
}

// Every key of a JSON answer as a path ("items[].server.URL"), each once.
void collectKeys(const QJsonValue& value, const QString& path, std::set<QString>& keys)
{
    if (value.isArray()) {
        for (const QJsonValue& element : value.toArray())
            collectKeys(element, path + "[]", keys);
    } else if (value.isObject()) {
        const QJsonObject object = value.toObject();
        for (auto it = object.begin(); it != object.end(); ++it) {
            keys.insert(path + '.' + it.key());
            collectKeys(it.value(), path + '.' + it.key(), keys);
        }
    }
}

// `command` with "FILE" standing for `file`.
void addJsonKeys(NameText& names, QStringList command, const QString& file)
{
    names.section("tickora-cli " + command.join(' ').toStdString());
    command.replaceInStrings(QStringLiteral("FILE"), file);
    const CliResult result = runCli(command);
    ASSERT_EQ(result.exitCode, 0) << result.err;
    std::set<QString> keys;
    collectKeys(QJsonDocument::fromJson(QByteArray::fromStdString(result.out)).object(), QString(), keys);
    for (const QString& key : keys)
        names.add(key.mid(1));
}

} // namespace

TEST(StoredNames, MatchTheGoldenList)
{
    TestEnvironment env;
    NameText names;
    names.section("portfolio file");
    names.add(PortfolioArchive::kItemClassName);
    names.add(PortfolioArchive::kQuotationClassName);
    names.add(PortfolioItem::kInvestedAmountHistoryName);
    names.add(PortfolioDocument::kClipboardMimeType);
    addSettingsNames(names);
    addRegistryLayout(names);
    names.section("JSON rule");
    names.add(JsonRule::kPrefix);
    names.add(JsonRule("$.price", "$.day|x", "$.time").encode());
    names.section("XPath rule");
    names.add(XPathRule::kPrefix);
    names.add(XPathRule("//td[1]", "//p|//q", "").encode());
    addStatusTexts(names);
    addMessages(names);
    names.section("help pages");
    names.add(HelpPages::kFaqPage);
    names.add(HelpPages::kServerHelpPage);

    const QString portfolio = QString::fromStdString(testDataPath("portfolios/version8.tkr"));
    addJsonKeys(names, {"dump", "FILE"}, portfolio);
    addJsonKeys(names, {"show", "FILE", "--json"}, portfolio);
    ASSERT_EQ(runCli({"servers", "set", "NAME", "--header", "Accept: text/html"}).exitCode, 0);
    addJsonKeys(names, {"servers", "show", "NAME", "--json"}, portfolio);

    EXPECT_EQ(names.text(), readFileBytes(testDataPath("golden/stored-names.txt")));
}
