// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/servers/ServerWizard.h"

#include "core/base/FileReader.h"
#include "core/base/TempFiles.h"
#include "core/download/DownloadEvent.h"
#include "core/extract/PageText.h"
#include "core/extract/WizardRules.h"
#include "core/extract/XPathProposals.h"
#include "gui/servers/WizardDownloadPage.h"
#include "gui/servers/WizardRulePage.h"
#include "gui/widgets/ExternalViewer.h"
#include "gui/widgets/MessageDialog.h"

#include <QStackedWidget>
#include <QUrl>
#include <QVBoxLayout>

ServerWizard::ServerWizard(const ServerConfig& config, const std::string& serverName, const std::string& itemName,
                           const std::string& symbol, QWidget* parent)
    : QDialog(parent), m_itemName(itemName), m_symbol(symbol), m_pages(new QStackedWidget(this)),
      m_downloadPage(new WizardDownloadPage(config.URL, itemName, symbol, m_pages)),
      m_rulePage(new WizardRulePage(config.Format, config.TAUSEND, config.DECIMAL, m_pages))
{
    const std::string& shown = serverName == ServerConfig::kUserDefinedName ? itemName : serverName;
    setWindowTitle(tr("Server Configuration Wizard - [%1]").arg(QString::fromStdString(shown)));
    m_pages->addWidget(m_downloadPage);
    m_pages->addWidget(m_rulePage);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pages);
    resize(720, 560);
    connect(m_downloadPage, &WizardDownloadPage::loaded, this, &ServerWizard::takeSamples);
    connect(m_downloadPage, &WizardDownloadPage::proceed, this, &ServerWizard::showRulePage);
    connect(m_downloadPage, &WizardDownloadPage::cancelled, this, &QDialog::reject);
    connect(m_rulePage, &WizardRulePage::back, this, [this] { m_pages->setCurrentWidget(m_downloadPage); });
    connect(m_rulePage, &WizardRulePage::finish, this, &QDialog::accept);
    connect(m_rulePage, &WizardRulePage::cancelled, this, &QDialog::reject);
    // Tests find the controls by these names.
    m_downloadPage->setObjectName(QStringLiteral("downloadPage"));
    m_rulePage->setObjectName(QStringLiteral("rulePage"));
}

ServerWizard::~ServerWizard()
{
    removeSamples();
}

void ServerWizard::done(int result)
{
    removeSamples();
    QDialog::done(result);
}

void ServerWizard::removeSamples()
{
    for (TempFile& sample : m_samples)
        sample.reset();
}

std::array<std::string, 3> ServerWizard::sampleFiles() const
{
    return {m_samples[0].path(), m_samples[1].path(), m_samples[2].path()};
}

void ServerWizard::takeSamples(DownloadEvent& event)
{
    removeSamples();
    m_samples = {TempFiles::rename(std::move(event.rawFile), ".html"), std::move(event.semiFile),
                 std::move(event.convertedFile)};
    ExternalViewer::open(this, QUrl::fromLocalFile(QString::fromStdString(m_samples[0].path())));
}

void ServerWizard::showRulePage()
{
    WizardRulePage::PageVersions pages;
    for (size_t mode = 0; mode < m_samples.size(); ++mode) {
        std::optional<std::string> bytes = readWholeFile(m_samples[mode].path());
        if (!bytes) {
            MessageDialog::warning(this, tr("Could not open file for reading!"));
            pages = {};
            break;
        }
        pages[mode] = PageText::forSearch(PageText::normalizeEncoding(std::move(*bytes)));
    }
    m_rulePage->setPages(std::move(pages));
    m_pages->setCurrentWidget(m_rulePage);
}

Status ServerWizard::applyTo(ServerConfig& config) const
{
    const WizardRules::Rule* rule = m_rulePage->selectedRule();
    const std::optional<std::string> xpath = m_rulePage->selectedXPath();
    if (!rule && !xpath)
        return Status::error(Status::Code::InvalidInput, "No rule is selected.");
    std::string thousands;
    std::string decimal;
    m_rulePage->separators(thousands, decimal);
    if (xpath)
        return XPathProposals::apply(*xpath, m_downloadPage->address(), thousands, decimal, config);
    return WizardRules::apply(*rule, m_downloadPage->address(), thousands, decimal, m_itemName, m_symbol, config);
}
