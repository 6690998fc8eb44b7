// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/extract/WizardRules.h"

#include <QWidget>

#include <array>
#include <optional>
#include <string>
#include <vector>

class QComboBox;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

// The wizard's second page: the page version, the separator format, the quotation read off the page and
// the rules that find it, each marked in the page view when selected.
class WizardRulePage : public QWidget {
    Q_OBJECT
public:
    // The sample page as raw, semi-html and text-only text, each made searchable; empty when unreadable.
    using PageVersions = std::array<std::optional<std::string>, 3>;

    WizardRulePage(int format, const std::string& thousands, const std::string& decimal, QWidget* parent = nullptr);

    void setPages(PageVersions pages);
    // "Get &Configuration": every rule that finds the quotation in the chosen page version.
    void generate();
    const WizardRules::Rule* selectedRule() const;
    // The XPath rule selected below the start-text rules; none when a start-text rule or nothing is.
    std::optional<std::string> selectedXPath() const;
    // The separator pair chosen.
    void separators(std::string& thousands, std::string& decimal) const;

signals:
    void back();
    void finish();
    void cancelled();

protected:
    void showEvent(QShowEvent* event) override;

private:
    PageConverter::Mode mode() const;
    void showPageVersion();
    void markSelectedRule();
    // The position in the page view of a byte offset of the page version.
    int viewPosition(size_t byteOffset) const;

    PageVersions m_pages;
    std::vector<WizardRules::Rule> m_rules;
    std::vector<std::string> m_xpaths;
    QComboBox* m_conversion;
    QComboBox* m_separators;
    QLineEdit* m_quotation;
    QPushButton* m_generate;
    QProgressBar* m_progress;
    QListWidget* m_ruleList;
    QPlainTextEdit* m_pageView;
    QPushButton* m_back;
    QPushButton* m_next;
    QPushButton* m_cancel;
};
