// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/servers/WizardRulePage.h"

#include "core/extract/XPathProposals.h"
#include "core/servers/SeparatorFormat.h"
#include "gui/widgets/MessageDialog.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTextBlock>
#include <QVBoxLayout>

namespace {

QTextEdit::ExtraSelection highlight(QPlainTextEdit* view, int from, int to, const QColor& colour)
{
    QTextEdit::ExtraSelection selection;
    selection.cursor = QTextCursor(view->document());
    selection.cursor.setPosition(from);
    selection.cursor.setPosition(to, QTextCursor::KeepAnchor);
    selection.format.setBackground(colour);
    return selection;
}

} // namespace

WizardRulePage::WizardRulePage(int format, const std::string& thousands, const std::string& decimal, QWidget* parent)
    : QWidget(parent), m_conversion(new QComboBox(this)), m_separators(new QComboBox(this)),
      m_quotation(new QLineEdit(this)), m_generate(new QPushButton(tr("Get &Configuration"), this)),
      m_progress(new QProgressBar(this)), m_ruleList(new QListWidget(this)), m_pageView(new QPlainTextEdit(this)),
      m_back(new QPushButton(tr("< Back"), this)), m_next(new QPushButton(tr("Next >"), this)),
      m_cancel(new QPushButton(tr("Cancel"), this))
{
    m_conversion->addItems({tr("none"), tr("semi-html"), tr("text-only")});
    m_conversion->setCurrentIndex(format == 2 ? 2 : 1);
    for (const char* sample : SeparatorFormat::kSamples)
        m_separators->addItem(QString::fromLatin1(sample));
    const int separators = SeparatorFormat::indexOf(thousands, decimal);
    m_separators->setCurrentIndex(separators < 0 ? 1 : separators);
    m_progress->setRange(0, 1);
    m_progress->setValue(0);
    m_pageView->setReadOnly(true);
    m_pageView->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_pageView->setMinimumHeight(180);
    m_next->setEnabled(false);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(tr("Web page format convertion:"), this), 0, 0);
    grid->addWidget(m_conversion, 0, 1);
    grid->addWidget(new QLabel(tr("(standard = semi-html)"), this), 0, 2);
    grid->addWidget(new QLabel(tr("Quotation's thousands/decimal separator format:"), this), 1, 0);
    grid->addWidget(m_separators, 1, 1);
    grid->addWidget(new QLabel(tr("Quotation which is to be extracted from the web page:\n(actual value shown on the "
                                  "web page in the browser, e.g. 22,65)"),
                               this),
                    2, 0);
    grid->addWidget(m_quotation, 2, 1);
    grid->addWidget(m_generate, 2, 2);
    grid->setColumnStretch(3, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (QPushButton* button : {m_back, m_next, m_cancel})
        buttons->addWidget(button);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(m_progress);
    layout->addWidget(
        new QLabel(tr("Select quotation extraction rule (related web page text will be highlighted):"), this));
    layout->addWidget(m_ruleList);
    layout->addWidget(m_pageView, 1);
    layout->addLayout(buttons);

    connect(m_conversion, &QComboBox::currentIndexChanged, this, &WizardRulePage::showPageVersion);
    connect(m_generate, &QPushButton::clicked, this, &WizardRulePage::generate);
    connect(m_ruleList, &QListWidget::currentRowChanged, this, &WizardRulePage::markSelectedRule);
    connect(m_back, &QPushButton::clicked, this, &WizardRulePage::back);
    connect(m_next, &QPushButton::clicked, this, &WizardRulePage::finish);
    connect(m_cancel, &QPushButton::clicked, this, &WizardRulePage::cancelled);
    // Tests find the controls by these names.
    m_conversion->setObjectName(QStringLiteral("conversionList"));
    m_separators->setObjectName(QStringLiteral("separatorList"));
    m_quotation->setObjectName(QStringLiteral("quotationField"));
    m_generate->setObjectName(QStringLiteral("generateButton"));
    m_progress->setObjectName(QStringLiteral("progressBar"));
    m_ruleList->setObjectName(QStringLiteral("ruleList"));
    m_pageView->setObjectName(QStringLiteral("pageView"));
    m_back->setObjectName(QStringLiteral("backButton"));
    m_next->setObjectName(QStringLiteral("nextButton"));
    m_cancel->setObjectName(QStringLiteral("cancelButton"));
}

void WizardRulePage::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // The wizard has one default button: the first page's took it over while this page was hidden.
    m_generate->setDefault(true);
}

void WizardRulePage::setPages(PageVersions pages)
{
    m_pages = std::move(pages);
    showPageVersion();
}

PageConverter::Mode WizardRulePage::mode() const
{
    return PageConverter::modeOf(m_conversion->currentIndex());
}

void WizardRulePage::showPageVersion()
{
    m_rules.clear();
    m_xpaths.clear();
    m_ruleList->clear();
    m_next->setEnabled(false);
    const std::optional<std::string>& page = m_pages[size_t(m_conversion->currentIndex())];
    m_pageView->setPlainText(page ? QString::fromStdString(*page) : QString());
}

void WizardRulePage::generate()
{
    const std::optional<std::string>& page = m_pages[size_t(m_conversion->currentIndex())];
    const std::string quotation = m_quotation->text().toStdString();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const auto progress = [this](int done, int total) {
        m_progress->setRange(0, total);
        m_progress->setValue(done);
        m_progress->repaint();
    };
    Result<std::vector<WizardRules::Rule>> generated =
        WizardRules::generate(page.value_or(std::string()), mode(), quotation, progress);
    QApplication::restoreOverrideCursor();
    m_rules.clear();
    m_ruleList->clear();
    m_next->setEnabled(false);
    if (!generated) {
        MessageDialog::information(this, QString::fromStdString(generated.message()));
        return;
    }
    m_rules = std::move(generated).value();
    for (const WizardRules::Rule& rule : m_rules)
        m_ruleList->addItem(QString::fromStdString(WizardRules::listText(rule)));
    // XPath rules read the page's markup, so they come from the page without conversion.
    std::string raw = m_pages[0].value_or(std::string());
    if (!raw.empty() && raw.back() == '\0')
        raw.pop_back();
    if (Result<std::vector<std::string>> proposed = XPathProposals::propose(raw, quotation))
        m_xpaths = std::move(proposed).value();
    for (const std::string& expression : m_xpaths)
        m_ruleList->addItem(tr("XPath: %1").arg(QString::fromStdString(expression)));
    if (m_ruleList->count() > 0)
        m_ruleList->setCurrentRow(0);
}

const WizardRules::Rule* WizardRulePage::selectedRule() const
{
    const int row = m_ruleList->currentRow();
    return row >= 0 && row < int(m_rules.size()) ? &m_rules[size_t(row)] : nullptr;
}

std::optional<std::string> WizardRulePage::selectedXPath() const
{
    const int row = m_ruleList->currentRow() - int(m_rules.size());
    return row >= 0 && row < int(m_xpaths.size()) ? std::optional(m_xpaths[size_t(row)]) : std::nullopt;
}

void WizardRulePage::separators(std::string& thousands, std::string& decimal) const
{
    SeparatorFormat::pairFor(m_separators->currentIndex(), thousands, decimal);
}

int WizardRulePage::viewPosition(size_t byteOffset) const
{
    const std::optional<std::string>& page = m_pages[size_t(m_conversion->currentIndex())];
    if (!page)
        return 0;
    return int(QString::fromUtf8(page->data(), qsizetype(std::min(byteOffset, page->size()))).size());
}

void WizardRulePage::markSelectedRule()
{
    const WizardRules::Rule* rule = selectedRule();
    m_next->setEnabled(rule != nullptr || selectedXPath());
    if (!rule) {
        m_pageView->setExtraSelections({});
        return;
    }
    const size_t end = rule->regionStart + rule->regionLength;
    const size_t quotationLength = std::min(m_quotation->text().toStdString().size(), rule->regionLength);
    const int from = viewPosition(rule->regionStart);
    const int to = viewPosition(end);
    QTextCursor region(m_pageView->document());
    region.setPosition(from);
    region.setPosition(to, QTextCursor::KeepAnchor);
    m_pageView->setTextCursor(region);
    m_pageView->ensureCursorVisible();
    // The start text the search finds and the quotation it reads, over the marked region.
    m_pageView->setExtraSelections(
        {highlight(m_pageView, from, viewPosition(rule->regionStart + rule->startText.size()), QColor(255, 230, 120)),
         highlight(m_pageView, viewPosition(end - quotationLength), to, QColor(140, 230, 140))});
}
