// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/servers/ServerPropertiesDialog.h"

#include "core/base/UrlVariables.h"
#include "core/extract/JsonRule.h"
#include "core/servers/SeparatorFormat.h"
#include "core/servers/ServerStore.h"
#include "gui/servers/SaveServerAsDialog.h"
#include "gui/servers/ServerLinkFields.h"
#include "gui/servers/XPathRuleFields.h"
#include "gui/widgets/ExternalViewer.h"
#include "gui/widgets/HelpPages.h"
#include "gui/widgets/MessageDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QUrl>
#include <QVBoxLayout>

#include <initializer_list>

ServerPropertiesDialog::ServerPropertiesDialog(const ServerConfig& config, const std::string& serverName,
                                               const std::string& itemName, const std::string& symbol, QWidget* parent)
    : QDialog(parent), m_config(config), m_serverName(serverName), m_itemName(itemName), m_symbol(symbol)
{
    m_controls.build(this);
    m_links = new ServerLinkFields(m_config, m_serverName, this);
    // Between the rules and the buttons.
    auto* column = static_cast<QVBoxLayout*>(layout());
    column->insertWidget(column->count() - 1, m_links);
    connect(m_controls.downloadUrl, &QPushButton::clicked, this, &ServerPropertiesDialog::openDownloadUrl);
    connect(m_controls.toggle, &QPushButton::clicked, this, &ServerPropertiesDialog::toggleAdvanced);
    connect(m_controls.test, &QPushButton::clicked, this, &ServerPropertiesDialog::testUpdate);
    connect(m_controls.saveAs, &QPushButton::clicked, this, &ServerPropertiesDialog::saveAs);
    connect(m_controls.help, &QPushButton::clicked, this, &ServerPropertiesDialog::openHelp);
    connect(m_controls.ok, &QPushButton::clicked, this, &ServerPropertiesDialog::accept);
    connect(m_controls.cancel, &QPushButton::clicked, this, &ServerPropertiesDialog::reject);

    showFields();
    const ServerPropertiesLayout& c = m_controls;
    for (QRadioButton* button : {c.format[0], c.format[1], c.format[2], c.standard, c.advanced, c.json})
        connect(button, &QRadioButton::toggled, this, &ServerPropertiesDialog::applyEnablingRules);
    for (QCheckBox* box : {c.extractDate, c.extractTime})
        connect(box, &QCheckBox::toggled, this, &ServerPropertiesDialog::applyEnablingRules);
    applyEnablingRules();
    setAdvancedShown(m_config.Filtering == 1);
    updateTitle();
    enableHeaders();
}

void ServerPropertiesDialog::showFields()
{
    const ServerConfig& c = m_config;
    m_controls.url->setText(QString::fromStdString(c.URL));
    m_controls.timeout->setValue(c.Timeout);
    QStringList headers;
    for (const std::string& line : c.Headers)
        headers << QString::fromStdString(line);
    m_controls.headers->setPlainText(headers.join(QLatin1Char('\n')));
    if (c.Format >= 0 && c.Format <= 2)
        m_controls.format[c.Format]->setChecked(true);
    m_controls.separators->setCurrentIndex(SeparatorFormat::indexOf(c.TAUSEND, c.DECIMAL));
    m_controls.caseInsensitive->setChecked(c.NoCaseSensitiv != 0);
    const std::optional<JsonRule> paths = c.Filtering != 0 ? JsonRule::decode(c.RegExp) : std::nullopt;
    (paths ? m_controls.json : c.Filtering == 1 ? m_controls.advanced : m_controls.standard)->setChecked(true);
    if (paths) {
        m_controls.jsonPath[0]->setText(QString::fromStdString(paths->valuePath()));
        m_controls.jsonPath[1]->setText(QString::fromStdString(paths->datePath()));
        m_controls.jsonPath[2]->setText(QString::fromStdString(paths->timePath()));
    }
    m_controls.xpath->show(c);
    m_controls.startText->setText(QString::fromStdString(c.Text_before_Value));
    m_controls.tags->setValue(c.Nr_HTML_before_Value);
    m_controls.numbers->setValue(c.Numbers_before_Value);
    m_controls.regExp->setText(QString::fromStdString(c.RegExp));
    m_controls.quotationIndex->setValue(c.RegExpQuotationIndex);
    m_controls.extractDate->setChecked(c.bRegExpExtractDate != 0);
    m_controls.dateIndex[0]->setValue(c.RegExpDayIndex);
    m_controls.dateIndex[1]->setValue(c.RegExpMonthIndex);
    m_controls.dateIndex[2]->setValue(c.RegExpYearIndex);
    m_controls.extractTime->setChecked(c.bRegExpExtractTime != 0);
    m_controls.timeIndex[0]->setValue(c.RegExpHourIndex);
    m_controls.timeIndex[1]->setValue(c.RegExpMinuteIndex);
}

void ServerPropertiesDialog::applyEnablingRules()
{
    const bool standard = m_controls.standard->isChecked();
    m_controls.startText->setEnabled(standard);
    m_controls.numbers->setEnabled(standard);
    // The tag count only takes effect on semi-html pages.
    m_controls.tags->setEnabled(standard && m_controls.format[1]->isChecked());
    m_controls.toggle->setEnabled(standard);
    const bool regex = m_controls.advanced->isChecked();
    for (QWidget* field : std::initializer_list<QWidget*>{m_controls.regExp, m_controls.quotationIndex,
                                                          m_controls.extractDate, m_controls.extractTime})
        field->setEnabled(regex);
    for (QSpinBox* field : m_controls.dateIndex)
        field->setEnabled(regex && m_controls.extractDate->isChecked());
    for (QSpinBox* field : m_controls.timeIndex)
        field->setEnabled(regex && m_controls.extractTime->isChecked());
    for (QLineEdit* field : m_controls.jsonPath)
        field->setEnabled(m_controls.json->isChecked());
}

void ServerPropertiesDialog::setAdvancedShown(bool shown)
{
    m_advancedShown = shown;
    m_controls.advancedSection->setVisible(shown);
    m_controls.toggle->setText(shown ? tr("Advanced <<") : tr("Advanced >>"));
    m_controls.rulesGroup->layout()->activate();
    layout()->activate();
}

void ServerPropertiesDialog::toggleAdvanced()
{
    // While "Advanced Search" or "JSON path" is chosen the section holds the choice and stays.
    if (m_advancedShown && !m_controls.standard->isChecked())
        return;
    setAdvancedShown(!m_advancedShown);
}

void ServerPropertiesDialog::updateTitle()
{
    const std::string& shown = m_serverName == ServerConfig::kUserDefinedName ? m_itemName : m_serverName;
    setWindowTitle(tr("Server properties - [%1]").arg(QString::fromStdString(shown)));
}

bool ServerPropertiesDialog::checkRange(QSpinBox* field, int min, int max)
{
    if (field->value() >= min && field->value() <= max)
        return true;
    MessageDialog::warning(this, tr("Please enter an integer between %1 and %2.").arg(min).arg(max));
    field->setFocus();
    field->selectAll();
    return false;
}

void ServerPropertiesDialog::enableHeaders()
{
    const bool stored = m_serverName != ServerConfig::kUserDefinedName;
    m_controls.headers->setEnabled(stored);
    m_links->enableFor(m_serverName);
    m_controls.headers->setToolTip(stored ? tr("One \"Name: value\" per line, sent with every download of the server; "
                                               "[&name] and [&symbol] are put in.")
                                          : tr("Only a stored server sends request headers."));
}

bool ServerPropertiesDialog::readHeaders(std::vector<std::string>& headers)
{
    headers.clear();
    for (const QString& line : m_controls.headers->toPlainText().split(QLatin1Char('\n'))) {
        if (line.trimmed().isEmpty())
            continue;
        const std::string text = line.toStdString();
        if (const Status refusal = ServerConfig::checkHeaderLine(text); !refusal) {
            MessageDialog::warning(this, QString::fromStdString(refusal.message()));
            m_controls.headers->setFocus();
            return false;
        }
        headers.push_back(text);
    }
    return true;
}

bool ServerPropertiesDialog::takeOverFields()
{
    if (!checkRange(m_controls.timeout, 1, 600) || !checkRange(m_controls.tags, 0, 10000) ||
        !checkRange(m_controls.numbers, 0, 10000))
        return false;
    std::vector<std::string> headers;
    if (!readHeaders(headers) || !m_links->takeOver(m_serverName, m_config))
        return false;
    const JsonRule paths(m_controls.jsonPath[0]->text().toStdString(), m_controls.jsonPath[1]->text().toStdString(),
                         m_controls.jsonPath[2]->text().toStdString());
    if (const Status checked = paths.check(); m_controls.json->isChecked() && !checked) {
        MessageDialog::warning(this, QString::fromStdString(checked.message()));
        m_controls.jsonPath[0]->setFocus();
        return false;
    }
    if (const Status checked = m_controls.xpath->rule().check(); m_controls.xpath->isChosen() && !checked) {
        MessageDialog::warning(this, QString::fromStdString(checked.message()));
        m_controls.xpath->field(0)->setFocus();
        return false;
    }
    ServerConfig& c = m_config;
    c.Headers = std::move(headers);
    c.URL = m_controls.url->text().toStdString();
    c.Timeout = m_controls.timeout->value();
    for (int format = 0; format < 3; ++format)
        if (m_controls.format[format]->isChecked())
            c.Format = format;
    SeparatorFormat::pairFor(m_controls.separators->currentIndex(), c.TAUSEND, c.DECIMAL);
    c.NoCaseSensitiv = m_controls.caseInsensitive->isChecked() ? 1 : 0;
    c.Filtering = m_controls.standard->isChecked() ? 0 : 1;
    c.Text_before_Value = m_controls.startText->text().toStdString();
    c.Nr_HTML_before_Value = m_controls.tags->value();
    c.Numbers_before_Value = m_controls.numbers->value();
    c.RegExp = m_controls.json->isChecked() ? paths.encode()
        : m_controls.xpath->isChosen()      ? m_controls.xpath->rule().encode()
                                            : m_controls.regExp->text().toStdString();
    c.RegExpQuotationIndex = m_controls.quotationIndex->value();
    c.bRegExpExtractDate = m_controls.extractDate->isChecked() ? 1 : 0;
    c.RegExpDayIndex = m_controls.dateIndex[0]->value();
    c.RegExpMonthIndex = m_controls.dateIndex[1]->value();
    c.RegExpYearIndex = m_controls.dateIndex[2]->value();
    c.bRegExpExtractTime = m_controls.extractTime->isChecked() ? 1 : 0;
    c.RegExpHourIndex = m_controls.timeIndex[0]->value();
    c.RegExpMinuteIndex = m_controls.timeIndex[1]->value();
    return true;
}

void ServerPropertiesDialog::openDownloadUrl()
{
    if (!takeOverFields())
        return;
    const auto address = UrlVariables::webPageAddress(m_config.URL, m_itemName, m_symbol);
    ExternalViewer::open(this, QUrl::fromUserInput(QString::fromStdString(address.text)));
}

void ServerPropertiesDialog::testUpdate()
{
    if (takeOverFields() && m_tester)
        m_tester(m_itemName, m_symbol, m_config);
}

void ServerPropertiesDialog::saveAs()
{
    if (!takeOverFields())
        return;
    SaveServerAsDialog dialog(this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const std::string name = dialog.chosenName().toStdString();
    if (const Status valid = ServerStore::checkServerName(name); !valid) {
        MessageDialog::warning(this, QString::fromStdString(valid.message()));
        return;
    }
    if (name == ServerConfig::kUserDefinedName) {
        m_serverName = name;
        enableHeaders();
        return;
    }
    if (ServerStore::serverExists(name) &&
        MessageDialog::question(this, tr("Replace the server configuration '%1'?").arg(QString::fromStdString(name))) !=
            QMessageBox::Yes)
        return;
    if (const Status written = ServerStore::writeServerConfig(name, m_config); !written) {
        MessageDialog::warning(this, QString::fromStdString(written.message()));
        return;
    }
    // The item's own rules stay its own: the stored copy is a new server for other items.
    if (m_serverName == ServerConfig::kUserDefinedName)
        return;
    m_serverName = name;
    enableHeaders();
    updateTitle();
}

void ServerPropertiesDialog::openHelp()
{
    HelpPages::open(this, QString::fromLatin1(HelpPages::kServerHelpPage));
}

void ServerPropertiesDialog::accept()
{
    if (takeOverFields())
        QDialog::accept();
}
