// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/extract/RuleRepair.h"
#include "core/model/PortfolioDocument.h"

#include <QDialog>

class HandOverFetcher;
class QLabel;
class QPushButton;
class QTreeWidget;

// "Repair rule...": downloads an item's page, shows what its present rule finds there and the rules that
// would read a value near its newest quotation, best first. Only "Apply" stores anything.
class RepairRuleDialog : public QDialog {
    Q_OBJECT
public:
    // `lastTextBefore` is the rule health's text before the value at the last success.
    RepairRuleDialog(PortfolioDocument& doc, PortfolioDocument::ItemId item, std::string lastTextBefore,
                     QWidget* parent = nullptr);
    ~RepairRuleDialog() override;

    // Downloads the page with the item's rules and then proposes.
    void startDownload();
    // Proposes for a page already at hand.
    void propose(const std::string& page);

signals:
    void openWebPageRequested();

private:
    void showOutcome();
    void showSelectedExcerpt();
    void applySelected();
    bool confirmServerChange(const std::string& server);

    PortfolioDocument& m_doc;
    PortfolioDocument::ItemId m_item;
    std::string m_lastTextBefore;
    RuleRepair::Outcome m_outcome;
    HandOverFetcher* m_fetcher = nullptr;
    QLabel* m_status;
    QTreeWidget* m_candidates;
    QLabel* m_excerpt;
    QPushButton* m_apply;
    QPushButton* m_webPage;
    QPushButton* m_close;
};
