// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/items/ItemCommands.h"

#include "core/base/UrlVariables.h"
#include "core/model/ItemRules.h"
#include "gui/download/UpdateController.h"
#include "gui/download/UpdateOnDateDialog.h"
#include "gui/items/ItemQuotationDialog.h"
#include "gui/items/RepairRuleDialog.h"
#include "gui/views/PortfolioListView.h"
#include "gui/widgets/ExternalViewer.h"
#include "gui/widgets/MessageDialog.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QUrl>

#include <ctime>

ItemCommands::ItemCommands(PortfolioDocument& doc, PortfolioListView& list, UpdateController& updates, QObject* parent)
    : QObject(parent), m_doc(doc), m_list(list), m_updates(updates)
{
}

void ItemCommands::deleteSelected()
{
    if (MessageDialog::question(&m_list, tr("Do you really want to delete the marked items?")) != QMessageBox::Yes)
        return;
    if (m_list.selectedItems().empty())
        return;
    const std::vector<ItemId> doomed = m_list.selectedItems();
    m_list.releaseSelection();
    m_doc.deleteItems(doomed);
    m_list.fill();
}

bool ItemCommands::copySelected()
{
    QClipboard* clipboard = QApplication::clipboard();
    if (!clipboard) {
        MessageDialog::warning(&m_list, tr("Clipboard could not be opened!"));
        return false;
    }
    const Result<QByteArray> stream = m_doc.copyItems(m_list.selectedItems());
    if (!stream) {
        MessageDialog::warning(&m_list, QString::fromStdString(stream.message()));
        return false;
    }
    auto* data = new QMimeData;
    data->setData(QString::fromLatin1(PortfolioDocument::kClipboardMimeType), *stream);
    clipboard->setMimeData(data);
    return true;
}

void ItemCommands::cutSelected()
{
    // Items that did not reach the clipboard are not deleted.
    if (copySelected())
        deleteSelected();
}

bool ItemCommands::clipboardHasPortfolio()
{
    const QClipboard* clipboard = QApplication::clipboard();
    const QMimeData* data = clipboard ? clipboard->mimeData() : nullptr;
    return data && data->hasFormat(QString::fromLatin1(PortfolioDocument::kClipboardMimeType));
}

void ItemCommands::paste()
{
    const QClipboard* clipboard = QApplication::clipboard();
    if (!clipboard) {
        MessageDialog::warning(&m_list, tr("Clipboard could not be opened!"));
        return;
    }
    const QMimeData* data = clipboard->mimeData();
    const QString format = QString::fromLatin1(PortfolioDocument::kClipboardMimeType);
    if (!data || !data->hasFormat(format)) {
        MessageDialog::warning(&m_list, tr("Clipboard data could not be read!"));
        return;
    }
    const Result<std::vector<int>> pasted = m_doc.pasteItems(data->data(format), m_list.shownNames());
    if (!pasted) {
        MessageDialog::warning(&m_list, QString::fromStdString(pasted.message()));
        return;
    }
    std::vector<ItemId> ids;
    for (int pos : *pasted)
        ids.push_back(m_doc.itemId(pos));
    m_list.selectNewItems(ids);
}

void ItemCommands::updateSelected()
{
    if (m_list.selectedItems().empty()) {
        MessageDialog::information(&m_list, tr("No items!"));
        return;
    }
    m_updates.startUpdate(m_list.selectedItems(), time(nullptr), false);
}

void ItemCommands::updateSelectedOnDate()
{
    if (m_list.selectedItems().empty()) {
        MessageDialog::information(&m_list, tr("No items selected!"));
        return;
    }
    UpdateOnDateDialog dialog(time(nullptr), &m_list);
    if (dialog.exec() == QDialog::Accepted)
        m_updates.startUpdate(m_list.selectedItems(), dialog.referenceTime(), true);
}

void ItemCommands::manualUpdate()
{
    const ItemId focused = m_list.focusedItem();
    const int pos = m_doc.positionOf(focused);
    if (pos < 0)
        return;
    ItemQuotationDialog dialog(QString::fromStdString(m_doc.item(pos).name), time(nullptr), &m_list);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const int current = m_doc.positionOf(focused);
    if (current >= 0)
        m_doc.addItemQuotation(current, dialog.value(), dialog.quotationTime());
}

void ItemCommands::testUpdate()
{
    if (m_list.focusedIsOrdinary())
        m_updates.startTest(m_list.focusedItem());
}

void ItemCommands::repairRule()
{
    if (!m_list.focusedIsOrdinary())
        return;
    RepairRuleDialog dialog(m_doc, m_list.focusedItem(), m_list.ruleHealth(m_list.focusedItem()).LastTextBefore,
                            &m_list);
    connect(&dialog, &RepairRuleDialog::openWebPageRequested, this, &ItemCommands::openWebPage);
    dialog.startDownload();
    dialog.exec();
}

void ItemCommands::openWebPage()
{
    if (!m_list.focusedIsOrdinary())
        return;
    const PortfolioItem& item = m_doc.item(m_doc.positionOf(m_list.focusedItem()));
    const auto url = UrlVariables::webPageAddress(resolveItemRules(item).URL, item.name, item.symbol);
    ExternalViewer::open(&m_list, QUrl::fromUserInput(QString::fromStdString(url.text)));
}

void ItemCommands::importQuotations()
{
    m_importer.run(&m_list, m_doc, m_list.focusedItem());
}
