// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/importexport/QuotationImporter.h"

#include "core/importexport/ImportEngine.h"
#include "gui/importexport/ImportDialog.h"
#include "gui/widgets/MessageDialog.h"

#include <QFile>

QuotationImporter::~QuotationImporter()
{
    discardLoadedFile();
}

ImportSettings& QuotationImporter::settings()
{
    if (!m_settings)
        m_settings = ImportSettings::initial(std::time(nullptr));
    return *m_settings;
}

void QuotationImporter::discardLoadedFile()
{
    if (!m_settings || m_settings->loadedFile.empty())
        return;
    QFile::remove(QString::fromStdString(m_settings->loadedFile));
    m_settings->loadedFile.clear();
}

bool QuotationImporter::run(QWidget* parent, PortfolioDocument& doc, PortfolioDocument::ItemId item)
{
    for (;;) {
        const int pos = doc.positionOf(item);
        if (pos < 0)
            return false;
        ImportDialog dialog(doc.item(pos).name, doc.item(pos).symbol, settings(), parent);
        const bool accepted = dialog.exec() == QDialog::Accepted;
        settings() = dialog.settings();
        if (!accepted) {
            discardLoadedFile();
            return false;
        }
        // The item may have gone while the dialog was open (a paste, a delete from the tray's window).
        const int current = doc.positionOf(item);
        if (current >= 0 && importLoadedFile(parent, doc, current)) {
            discardLoadedFile();
            return true;
        }
    }
}

bool QuotationImporter::importLoadedFile(QWidget* parent, PortfolioDocument& doc, int pos) const
{
    const ImportSettings& s = *m_settings;
    ImportEngine::Rule rule;
    rule.thousands = s.thousands;
    rule.decimal = s.decimal;
    rule.caseInsensitive = s.caseInsensitive;
    rule.pattern = ImportPattern::translate(s.format, s.thousands, s.decimal, doc.item(pos).symbol);
    const Result<ImportEngine::Gathered> run = ImportEngine::run(s.loadedFile, rule);
    const std::vector<Quotation> none;
    const std::vector<Quotation>& quotations = run ? run->quotations : none;
    if (quotations.empty()) {
        const std::string message = run ? run->message : run.message();
        MessageDialog::warning(parent, QString::fromStdString(ImportEngine::errorText(s.loadedFile, message)));
        return false;
    }
    if (MessageDialog::question(parent, QString::fromStdString(ImportEngine::confirmationQuestion(quotations))) !=
        QMessageBox::Yes)
        return false;
    doc.mergeQuotations(pos, quotations);
    return true;
}
