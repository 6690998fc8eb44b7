#include "gui/servers/ServerPropertiesDialog.h"

#include "core/base/UrlVariables.h"
#include "core/extract/JsonRule.h"
#include "core/servers/SeparatorFormat.h"
#include "core/servers/ServerStore.h"
#include "gui/servers/SaveServerAsDialog.h"
#include "gui/servers/XPathRuleFields.h"
#include "gui/widgets/HelpPages.h"
#include "gui/widgets/MessageDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QUrl>

#include <QVBoxLayout>
#include <initializer_list>

namespace {

// Wide enough to hold any typed number, so that a number out of range meets the range message.
constexpr int kTypedLimit = 999999;

QSpinBox* numberField(QWidget* parent, int min, int max)
{
    auto* field = new QSpinBox(parent);
    field->setRange(min, max);
    return field;
}

QLineEdit* textField(QWidget* parent)
{
    auto* field = new QLineEdit(parent);
    field->setMaxLength(ServerConfig::kMaxTextLength);
    return field;
}

} // namespace

ServerPropertiesDialog::ServerPropertiesDialog(const ServerConfig& config, const std::string& serverName,
                                               const std::string& itemName, const std::string& symbol, QWidget* parent)
    : QDialog(parent), m_config(config), m_serverName(serverName), m_itemName(itemName), m_symbol(symbol)
{
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(buildAddressRow());
    auto* formats = new QHBoxLayout;
    formats->addWidget(buildConversionGroup());
    formats->addWidget(buildQuotationFormatGroup());
    layout->addLayout(formats);
    layout->addWidget(buildRulesGroup());
    layout->addLayout(buildButtons());

    showFields();
    for (QRadioButton* button : {m_format[0], m_format[1], m_format[2], m_standard, m_advanced, m_json})
        connect(button, &QRadioButton::toggled, this, &ServerPropertiesDialog::applyEnablingRules);
    for (QCheckBox* box : {m_extractDate, m_extractTime})
        connect(box, &QCheckBox::toggled, this, &ServerPropertiesDialog::applyEnablingRules);
    applyEnablingRules();
    setAdvancedShown(m_config.Filtering == 1);
    updateTitle();
    enableHeaders();
}

QWidget* ServerPropertiesDialog::buildAddressRow()
{
    auto* row = new QWidget(this);
    auto* layout = new QGridLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    m_downloadUrl = new QPushButton(tr("Download URL:"), row);
    m_url = textField(row);
    m_url->setMinimumWidth(460);
    const QString example = tr("e.g. http://www.example.com/quote?symbol=[&symbol] or file:///home/user/page.html");
    m_url->setToolTip(example);
    m_downloadUrl->setToolTip(example);
    m_timeout = numberField(row, -kTypedLimit, kTypedLimit);
    m_timeout->setToolTip(tr("Web page download timeout"));
    layout->addWidget(m_downloadUrl, 0, 0);
    layout->addWidget(m_url, 0, 1, 1, 3);
    layout->addWidget(new QLabel(tr("Download timeout:"), row), 1, 0);
    layout->addWidget(m_timeout, 1, 1);
    layout->addWidget(new QLabel(tr("seconds"), row), 1, 2);
    m_headers = new QPlainTextEdit(row);
    m_headers->setTabChangesFocus(true);
    m_headers->setFixedHeight(m_headers->fontMetrics().lineSpacing() * 3 + 12);
    layout->addWidget(new QLabel(tr("Request headers:"), row), 2, 0, Qt::AlignTop);
    layout->addWidget(m_headers, 2, 1, 1, 3);
    layout->setColumnStretch(3, 1);
    connect(m_downloadUrl, &QPushButton::clicked, this, &ServerPropertiesDialog::openDownloadUrl);
    return row;
}

QWidget* ServerPropertiesDialog::buildConversionGroup()
{
    auto* group = new QGroupBox(tr("Web page convertion"), this);
    auto* layout = new QVBoxLayout(group);
    m_format[0] = new QRadioButton(tr("None"), group);
    m_format[1] = new QRadioButton(
        tr("Convert to semi-html (remove html tag contents, i.e. leave html tags empty \"<>\")"), group);
    m_format[2] = new QRadioButton(tr("Convert to text-only (remove html tags completely)"), group);
    for (QRadioButton* button : m_format)
        layout->addWidget(button);
    return group;
}

QWidget* ServerPropertiesDialog::buildQuotationFormatGroup()
{
    auto* group = new QGroupBox(tr("Quotation format"), this);
    auto* layout = new QVBoxLayout(group);
    m_separators = new QComboBox(group);
    for (const char* sample : SeparatorFormat::kSamples)
        m_separators->addItem(QString::fromLatin1(sample));
    m_caseInsensitive =
        new QCheckBox(tr("Case insensitive search (don't differentiate small and capital letters)"), group);
    layout->addWidget(new QLabel(tr("Thousands/decimal separator format:"), group));
    layout->addWidget(m_separators);
    layout->addWidget(m_caseInsensitive);
    return group;
}

QGroupBox* ServerPropertiesDialog::buildRulesGroup()
{
    m_rulesGroup = new QGroupBox(tr("Quotation extraction rules"), this);
    // No spacing around the section: hiding it takes exactly its height off the group.
    auto* layout = new QVBoxLayout(m_rulesGroup);
    layout->setSpacing(0);
    auto* standard = new QGridLayout;
    m_startText = textField(m_rulesGroup);
    m_tags = numberField(m_rulesGroup, -kTypedLimit, kTypedLimit);
    m_numbers = numberField(m_rulesGroup, -kTypedLimit, kTypedLimit);
    standard->addWidget(new QLabel(tr("Start searching for quotation after the following text:"), m_rulesGroup), 0, 0,
                        1, 6);
    standard->addWidget(m_startText, 1, 0, 1, 6);
    standard->addWidget(new QLabel(tr("and "), m_rulesGroup), 2, 0);
    standard->addWidget(m_tags, 2, 1);
    standard->addWidget(new QLabel(tr("   html tags and"), m_rulesGroup), 2, 2);
    standard->addWidget(m_numbers, 2, 3);
    standard->addWidget(new QLabel(tr("numbers."), m_rulesGroup), 2, 4);
    standard->setColumnStretch(5, 1);
    layout->addLayout(standard);
    layout->addWidget(buildAdvancedSection());
    return m_rulesGroup;
}

QWidget* ServerPropertiesDialog::buildAdvancedSection()
{
    m_advancedSection = new QWidget(m_rulesGroup);
    m_advancedSection->setFixedHeight(kAdvancedHeight);
    auto* layout = new QGridLayout(m_advancedSection);
    m_standard = new QRadioButton(tr("Standard Search"), m_advancedSection);
    m_advanced = new QRadioButton(tr("Advanced Search"), m_advancedSection);
    m_json = new QRadioButton(tr("JSON path"), m_advancedSection);
    for (QLineEdit*& field : m_jsonPath)
        field = textField(m_advancedSection);
    m_regExp = textField(m_advancedSection);
    m_quotationIndex = numberField(m_advancedSection, 0, 99);
    m_extractDate = new QCheckBox(tr("Extract quotation date"), m_advancedSection);
    m_extractTime = new QCheckBox(tr("Extract quotation time"), m_advancedSection);
    for (QSpinBox*& field : m_dateIndex)
        field = numberField(m_advancedSection, 0, 99);
    for (QSpinBox*& field : m_timeIndex)
        field = numberField(m_advancedSection, 0, 99);

    layout->addWidget(m_standard, 0, 0, 1, 2);
    layout->addWidget(m_advanced, 0, 2, 1, 2);
    layout->addWidget(m_json, 0, 4, 1, 2);
    layout->addWidget(new QLabel(tr("Perl regular expression (extended by TKR variables)"), m_advancedSection), 1, 0, 1,
                      7);
    layout->addWidget(m_regExp, 2, 0, 1, 7);
    layout->addWidget(new QLabel(tr("Quotation match parentesis index:"), m_advancedSection), 3, 0, 1, 2);
    layout->addWidget(m_quotationIndex, 3, 2);
    layout->addWidget(m_extractDate, 4, 0);
    const QString dateLabels[] = {tr("Day match index:"), tr("Month match index:"), tr("Year match index:")};
    for (int part = 0; part < 3; ++part) {
        layout->addWidget(new QLabel(dateLabels[part], m_advancedSection), 4, 1 + part * 2);
        layout->addWidget(m_dateIndex[part], 4, 2 + part * 2);
    }
    layout->addWidget(m_extractTime, 5, 0);
    const QString timeLabels[] = {tr("Hour match index:"), tr("Minute match index:")};
    for (int part = 0; part < 2; ++part) {
        layout->addWidget(new QLabel(timeLabels[part], m_advancedSection), 5, 1 + part * 2);
        layout->addWidget(m_timeIndex[part], 5, 2 + part * 2);
    }
    const QString pathLabels[] = {tr("Value path:"), tr("Date path:"), tr("Time path:")};
    for (int path = 0; path < 3; ++path) {
        layout->addWidget(new QLabel(pathLabels[path], m_advancedSection), 6 + path, 0);
        layout->addWidget(m_jsonPath[path], 6 + path, 1, 1, 6);
    }
    m_xpath = new XPathRuleFields(m_advancedSection, layout, 9);
    layout->addWidget(m_xpath->choice(), 0, 6);
    return m_advancedSection;
}

QLayout* ServerPropertiesDialog::buildButtons()
{
    m_toggle = new QPushButton(this);
    m_test = new QPushButton(tr("&Test quotation update"), this);
    m_saveAs = new QPushButton(tr("Save configuration &As..."), this);
    m_help = new QPushButton(tr("Help"), this);
    auto* ok = new QPushButton(tr("OK"), this);
    auto* cancel = new QPushButton(tr("Cancel"), this);
    ok->setDefault(true);
    auto* layout = new QHBoxLayout;
    for (QPushButton* button : {m_toggle, m_test, m_saveAs, m_help})
        layout->addWidget(button);
    layout->addStretch(1);
    layout->addWidget(ok);
    layout->addWidget(cancel);
    connect(m_toggle, &QPushButton::clicked, this, &ServerPropertiesDialog::toggleAdvanced);
    connect(m_test, &QPushButton::clicked, this, &ServerPropertiesDialog::testUpdate);
    connect(m_saveAs, &QPushButton::clicked, this, &ServerPropertiesDialog::saveAs);
    connect(m_help, &QPushButton::clicked, this, &ServerPropertiesDialog::openHelp);
    connect(ok, &QPushButton::clicked, this, &ServerPropertiesDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &ServerPropertiesDialog::reject);
    return layout;
}

void ServerPropertiesDialog::showFields()
{
    const ServerConfig& c = m_config;
    m_url->setText(QString::fromStdString(c.URL));
    m_timeout->setValue(c.Timeout);
    QStringList headers;
    for (const std::string& line : c.Headers)
        headers << QString::fromStdString(line);
    m_headers->setPlainText(headers.join(QLatin1Char('\n')));
    if (c.Format >= 0 && c.Format <= 2)
        m_format[c.Format]->setChecked(true);
    m_separators->setCurrentIndex(SeparatorFormat::indexOf(c.TAUSEND, c.DECIMAL));
    m_caseInsensitive->setChecked(c.NoCaseSensitiv != 0);
    const std::optional<JsonRule> paths = c.Filtering != 0 ? JsonRule::decode(c.RegExp) : std::nullopt;
    (paths ? m_json : c.Filtering == 1 ? m_advanced : m_standard)->setChecked(true);
    if (paths) {
        m_jsonPath[0]->setText(QString::fromStdString(paths->valuePath()));
        m_jsonPath[1]->setText(QString::fromStdString(paths->datePath()));
        m_jsonPath[2]->setText(QString::fromStdString(paths->timePath()));
    }
    m_xpath->show(c);
    m_startText->setText(QString::fromStdString(c.Text_before_Value));
    m_tags->setValue(c.Nr_HTML_before_Value);
    m_numbers->setValue(c.Numbers_before_Value);
    m_regExp->setText(QString::fromStdString(c.RegExp));
    m_quotationIndex->setValue(c.RegExpQuotationIndex);
    m_extractDate->setChecked(c.bRegExpExtractDate != 0);
    m_dateIndex[0]->setValue(c.RegExpDayIndex);
    m_dateIndex[1]->setValue(c.RegExpMonthIndex);
    m_dateIndex[2]->setValue(c.RegExpYearIndex);
    m_extractTime->setChecked(c.bRegExpExtractTime != 0);
    m_timeIndex[0]->setValue(c.RegExpHourIndex);
    m_timeIndex[1]->setValue(c.RegExpMinuteIndex);
}

void ServerPropertiesDialog::applyEnablingRules()
{
    const bool standard = m_standard->isChecked();
    m_startText->setEnabled(standard);
    m_numbers->setEnabled(standard);
    // The tag count only takes effect on semi-html pages.
    m_tags->setEnabled(standard && m_format[1]->isChecked());
    m_toggle->setEnabled(standard);
    const bool regex = m_advanced->isChecked();
    for (QWidget* field : std::initializer_list<QWidget*>{m_regExp, m_quotationIndex, m_extractDate, m_extractTime})
        field->setEnabled(regex);
    for (QSpinBox* field : m_dateIndex)
        field->setEnabled(regex && m_extractDate->isChecked());
    for (QSpinBox* field : m_timeIndex)
        field->setEnabled(regex && m_extractTime->isChecked());
    for (QLineEdit* field : m_jsonPath)
        field->setEnabled(m_json->isChecked());
}

void ServerPropertiesDialog::setAdvancedShown(bool shown)
{
    m_advancedShown = shown;
    m_advancedSection->setVisible(shown);
    m_toggle->setText(shown ? tr("Advanced <<") : tr("Advanced >>"));
    m_rulesGroup->layout()->activate();
    layout()->activate();
}

void ServerPropertiesDialog::toggleAdvanced()
{
    // While "Advanced Search" or "JSON path" is chosen the section holds the choice and stays.
    if (m_advancedShown && !m_standard->isChecked())
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
    m_headers->setEnabled(stored);
    m_headers->setToolTip(stored ? tr("One \"Name: value\" per line, sent with every download of the server; "
                                      "[&name] and [&symbol] are put in.")
                                 : tr("Only a stored server sends request headers."));
}

bool ServerPropertiesDialog::readHeaders(std::vector<std::string>& headers)
{
    headers.clear();
    for (const QString& line : m_headers->toPlainText().split(QLatin1Char('\n'))) {
        if (line.trimmed().isEmpty())
            continue;
        const std::string text = line.toStdString();
        if (const std::optional<std::string> refusal = ServerConfig::headerRefusal(text)) {
            MessageDialog::warning(this, QString::fromStdString(*refusal));
            m_headers->setFocus();
            return false;
        }
        headers.push_back(text);
    }
    return true;
}

bool ServerPropertiesDialog::takeOverFields()
{
    if (!checkRange(m_timeout, 1, 600) || !checkRange(m_tags, 0, 10000) || !checkRange(m_numbers, 0, 10000))
        return false;
    std::vector<std::string> headers;
    if (!readHeaders(headers))
        return false;
    const JsonRule paths(m_jsonPath[0]->text().toStdString(), m_jsonPath[1]->text().toStdString(),
                         m_jsonPath[2]->text().toStdString());
    if (const Status checked = paths.check(); m_json->isChecked() && !checked) {
        MessageDialog::warning(this, QString::fromStdString(checked.message()));
        m_jsonPath[0]->setFocus();
        return false;
    }
    if (const Status checked = m_xpath->rule().check(); m_xpath->isChosen() && !checked) {
        MessageDialog::warning(this, QString::fromStdString(checked.message()));
        m_xpath->field(0)->setFocus();
        return false;
    }
    ServerConfig& c = m_config;
    c.Headers = std::move(headers);
    c.URL = m_url->text().toStdString();
    c.Timeout = m_timeout->value();
    for (int format = 0; format < 3; ++format)
        if (m_format[format]->isChecked())
            c.Format = format;
    SeparatorFormat::pairFor(m_separators->currentIndex(), c.TAUSEND, c.DECIMAL);
    c.NoCaseSensitiv = m_caseInsensitive->isChecked() ? 1 : 0;
    c.Filtering = m_standard->isChecked() ? 0 : 1;
    c.Text_before_Value = m_startText->text().toStdString();
    c.Nr_HTML_before_Value = m_tags->value();
    c.Numbers_before_Value = m_numbers->value();
    c.RegExp = m_json->isChecked() ? paths.encode()
        : m_xpath->isChosen()      ? m_xpath->rule().encode()
                                   : m_regExp->text().toStdString();
    c.RegExpQuotationIndex = m_quotationIndex->value();
    c.bRegExpExtractDate = m_extractDate->isChecked() ? 1 : 0;
    c.RegExpDayIndex = m_dateIndex[0]->value();
    c.RegExpMonthIndex = m_dateIndex[1]->value();
    c.RegExpYearIndex = m_dateIndex[2]->value();
    c.bRegExpExtractTime = m_extractTime->isChecked() ? 1 : 0;
    c.RegExpHourIndex = m_timeIndex[0]->value();
    c.RegExpMinuteIndex = m_timeIndex[1]->value();
    return true;
}

void ServerPropertiesDialog::openDownloadUrl()
{
    if (!takeOverFields())
        return;
    const auto address = UrlVariables::webPageAddress(m_config.URL, m_itemName, m_symbol);
    QDesktopServices::openUrl(QUrl::fromUserInput(QString::fromStdString(address.text)));
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
    m_serverName = name;
    enableHeaders();
    if (name == ServerConfig::kUserDefinedName)
        return;
    updateTitle();
    if (const Status written = ServerStore::writeServerConfig(name, m_config); !written)
        MessageDialog::warning(this, QString::fromStdString(written.message()));
}

void ServerPropertiesDialog::openHelp()
{
    HelpPages::open(QStringLiteral("TKRSrv.html"));
}

void ServerPropertiesDialog::accept()
{
    if (takeOverFields())
        QDialog::accept();
}
