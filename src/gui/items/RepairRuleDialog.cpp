// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/items/RepairRuleDialog.h"

#include "core/base/FileReader.h"
#include "core/base/FormatText.h"
#include "core/download/ItemPageDownload.h"
#include "core/model/ItemRules.h"
#include "core/model/RuleRepairApply.h"
#include "gui/download/HandOverFetcher.h"
#include "gui/widgets/MessageDialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

RepairRuleDialog::RepairRuleDialog(PortfolioDocument& doc, PortfolioDocument::ItemId item, std::string lastTextBefore,
                                   QWidget* parent)
    : QDialog(parent), m_doc(doc), m_item(item), m_lastTextBefore(std::move(lastTextBefore)),
      m_status(new QLabel(this)), m_candidates(new QTreeWidget(this)), m_excerpt(new QLabel(this)),
      m_apply(new QPushButton(tr("Apply"), this)), m_webPage(new QPushButton(tr("Open web page"), this)),
      m_close(new QPushButton(tr("Cancel"), this))
{
    const int pos = m_doc.positionOf(m_item);
    setWindowTitle(tr("Repair rule: %1").arg(pos < 0 ? QString() : QString::fromStdString(m_doc.item(pos).name)));
    setObjectName(QStringLiteral("RepairRuleDialog"));
    m_status->setObjectName(QStringLiteral("RepairStatus"));
    m_status->setTextFormat(Qt::PlainText);
    m_status->setWordWrap(true);
    m_candidates->setObjectName(QStringLiteral("RepairCandidates"));
    m_candidates->setHeaderLabels({tr("Value"), tr("Rule")});
    m_candidates->setRootIsDecorated(false);
    m_candidates->header()->setStretchLastSection(true);
    m_excerpt->setObjectName(QStringLiteral("RepairExcerpt"));
    m_excerpt->setTextFormat(Qt::RichText);
    m_excerpt->setWordWrap(true);
    m_apply->setObjectName(QStringLiteral("RepairApply"));
    m_apply->setEnabled(false);
    m_webPage->setObjectName(QStringLiteral("RepairWebPage"));
    m_close->setObjectName(QStringLiteral("RepairClose"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_webPage);
    buttons->addStretch();
    buttons->addWidget(m_apply);
    buttons->addWidget(m_close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_status);
    layout->addWidget(m_candidates, 1);
    layout->addWidget(m_excerpt);
    layout->addLayout(buttons);
    resize(640, 360);

    connect(m_candidates, &QTreeWidget::currentItemChanged, this, &RepairRuleDialog::showSelectedExcerpt);
    connect(m_apply, &QPushButton::clicked, this, &RepairRuleDialog::applySelected);
    connect(m_webPage, &QPushButton::clicked, this, &RepairRuleDialog::openWebPageRequested);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
}

RepairRuleDialog::~RepairRuleDialog() = default;

void RepairRuleDialog::startDownload()
{
    const int pos = m_doc.positionOf(m_item);
    if (pos < 0)
        return;
    const PortfolioItem& item = m_doc.item(pos);
    m_fetcher = new HandOverFetcher(this);
    connect(m_fetcher, &HandOverFetcher::statusChanged, m_status, &QLabel::setText);
    connect(m_fetcher, &HandOverFetcher::failed, this, [this] { m_close->setText(tr("Close")); });
    connect(m_fetcher, &HandOverFetcher::loaded, this, [this](DownloadEvent& event) {
        const std::optional<std::string> page = readWholeFile(event.rawFile.path());
        if (page)
            propose(*page);
        else
            m_status->setText(tr("Could not open file for reading!"));
        m_close->setText(tr("Close"));
    });
    m_fetcher->startJob(ItemPageDownload::makeJob(resolveItemRules(item), item.name, item.symbol));
}

void RepairRuleDialog::propose(const std::string& page)
{
    const int pos = m_doc.positionOf(m_item);
    if (pos < 0)
        return;
    const PortfolioItem& item = m_doc.item(pos);
    const std::optional<double> reference = item.lastValue();
    m_close->setText(tr("Close"));
    if (!reference) {
        m_status->setText(tr("%1 has no quotation to compare with.").arg(QString::fromStdString(item.name)));
        return;
    }
    RuleRepair::Request request{
        resolveItemRules(item), item.name, item.symbol, *reference, RuleRepair::kDefaultTolerancePercent,
        m_lastTextBefore};
    m_outcome = RuleRepair::propose(request, page);
    showOutcome();
    if (m_outcome.candidates.empty())
        m_status->setText(m_status->text() + '\n' +
                          QString::fromStdString(RuleRepair::noCandidateMessage(request.tolerancePercent, *reference)));
}

void RepairRuleDialog::showOutcome()
{
    const ExtractResult& current = m_outcome.current;
    const std::string found =
        current.status == ExtractStatus::QuotationFound ? formatText("%.4f", current.value) : current.statusText();
    m_status->setText(tr("Current rule: %1").arg(QString::fromStdString(found)));
    m_candidates->clear();
    for (const RuleRepair::Candidate& candidate : m_outcome.candidates)
        m_candidates->addTopLevelItem(new QTreeWidgetItem({QString::fromStdString(formatText("%.4f", candidate.value)),
                                                           QString::fromStdString(candidate.description)}));
    if (m_candidates->topLevelItemCount() > 0)
        m_candidates->setCurrentItem(m_candidates->topLevelItem(0));
    m_apply->setEnabled(m_candidates->topLevelItemCount() > 0);
}

void RepairRuleDialog::showSelectedExcerpt()
{
    const int row = m_candidates->indexOfTopLevelItem(m_candidates->currentItem());
    if (row < 0) {
        m_excerpt->clear();
        return;
    }
    const RuleRepair::Candidate& candidate = m_outcome.candidates[size_t(row)];
    const QString before = QString::fromStdString(candidate.excerpt.substr(0, candidate.excerptValueStart));
    const QString value =
        QString::fromStdString(candidate.excerpt.substr(candidate.excerptValueStart, candidate.excerptValueLength));
    const QString after =
        QString::fromStdString(candidate.excerpt.substr(candidate.excerptValueStart + candidate.excerptValueLength));
    m_excerpt->setText(before.toHtmlEscaped() + "<b style=\"background-color: yellow\">" + value.toHtmlEscaped() +
                       "</b>" + after.toHtmlEscaped());
}

bool RepairRuleDialog::confirmServerChange(const std::string& server)
{
    const int users = RuleRepairApply::itemsUsing(m_doc, server);
    if (users <= 1)
        return true;
    return MessageDialog::question(this,
                                   tr("The rule belongs to server %1, used by %2 items. Change it for all of them?")
                                       .arg(QString::fromStdString(server))
                                       .arg(users)) == QMessageBox::Yes;
}

void RepairRuleDialog::applySelected()
{
    const int row = m_candidates->indexOfTopLevelItem(m_candidates->currentItem());
    const int pos = m_doc.positionOf(m_item);
    if (row < 0 || pos < 0)
        return;
    const std::string server = RuleRepairApply::storedServerOf(m_doc.item(pos));
    if (!server.empty() && !confirmServerChange(server))
        return;
    const Status applied = RuleRepairApply::apply(m_doc, pos, m_outcome.candidates[size_t(row)].rules);
    if (!applied) {
        MessageDialog::warning(this, QString::fromStdString(applied.message()));
        return;
    }
    if (!server.empty())
        MessageDialog::information(this,
                                   QString::fromStdString(RuleRepairApply::serverChangedMessage(
                                       server, RuleRepairApply::itemsUsing(m_doc, server))));
    accept();
}
