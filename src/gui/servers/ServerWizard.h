// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/base/Status.h"
#include "core/base/TempFile.h"
#include "core/servers/ServerConfig.h"

#include <QDialog>

#include <array>
#include <string>

class QStackedWidget;
class WizardDownloadPage;
class WizardRulePage;
struct DownloadEvent;

// "Server Configuration Wizard": derives a standard-search rule from a sample page and a quotation the
// user reads off it. The sample page's three files live while the wizard is open.
class ServerWizard : public QDialog {
    Q_OBJECT
public:
    ServerWizard(const ServerConfig& config, const std::string& serverName, const std::string& itemName,
                 const std::string& symbol, QWidget* parent = nullptr);
    ~ServerWizard() override;

    // Gives `config` the address, the selected rule and the separators chosen; the other fields stay.
    Status applyTo(ServerConfig& config) const;
    // The sample page: raw (".html"), semi-html and text-only.
    std::array<std::string, 3> sampleFiles() const;
    void done(int result) override;

private:
    void takeSamples(DownloadEvent& event);
    void showRulePage();
    void removeSamples();

    std::string m_itemName;
    std::string m_symbol;
    std::array<TempFile, 3> m_samples;
    QStackedWidget* m_pages;
    WizardDownloadPage* m_downloadPage;
    WizardRulePage* m_rulePage;
};
