// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/servers/ServerPropertiesLayout.h"

#include "core/servers/SeparatorFormat.h"
#include "core/servers/ServerConfig.h"
#include "gui/servers/XPathRuleFields.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace {

// Wide enough to hold any typed number, so that a number out of range meets the range message.
constexpr int kTypedLimit = 999999;

// The context that lupdate gives the texts of ServerPropertiesLayout's functions.
QString tr(const char* text)
{
    return QCoreApplication::translate("ServerPropertiesLayout", text);
}

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

// Choices cannot wrap their texts themselves: the text is broken into lines of at most `characters` average
// characters of the widget's font, so that the dialog fits small screens.
void wrapText(QAbstractButton* button, int characters)
{
    const QFontMetrics metrics(button->font());
    const int width = metrics.averageCharWidth() * characters;
    QStringList lines;
    for (const QString& word : button->text().split(QLatin1Char(' '))) {
        if (!lines.isEmpty() && metrics.horizontalAdvance(lines.last() + QLatin1Char(' ') + word) <= width)
            lines.last() += QLatin1Char(' ') + word;
        else
            lines << word;
    }
    button->setText(lines.join(QLatin1Char('\n')));
}

// In average characters of the font: the address field's width and the longest line of a choice's text.
constexpr int kAddressCharacters = 60;
constexpr int kChoiceCharacters = 55;

} // namespace

void ServerPropertiesLayout::build(QDialog* dialog)
{
    auto* layout = new QVBoxLayout(dialog);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(buildAddressRow(dialog));
    auto* formats = new QHBoxLayout;
    formats->addWidget(buildConversionGroup(dialog));
    formats->addWidget(buildQuotationFormatGroup(dialog));
    layout->addLayout(formats);
    layout->addWidget(buildRulesGroup(dialog));
    layout->addLayout(buildButtons(dialog));
    nameControls();
}

QWidget* ServerPropertiesLayout::buildAddressRow(QWidget* parent)
{
    auto* row = new QWidget(parent);
    auto* layout = new QGridLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    downloadUrl = new QPushButton(tr("Download URL:"), row);
    url = textField(row);
    url->setMinimumWidth(url->fontMetrics().averageCharWidth() * kAddressCharacters);
    const QString example = tr("e.g. http://www.example.com/quote?symbol=[&symbol] or file:///home/user/page.html");
    url->setToolTip(example);
    downloadUrl->setToolTip(example);
    timeout = numberField(row, -kTypedLimit, kTypedLimit);
    timeout->setToolTip(tr("Web page download timeout"));
    // The timeout shares the address's row and the headers show two lines: the dialog fits small screens.
    layout->addWidget(downloadUrl, 0, 0);
    layout->addWidget(url, 0, 1);
    layout->addWidget(new QLabel(tr("Download timeout:"), row), 0, 2);
    layout->addWidget(timeout, 0, 3);
    layout->addWidget(new QLabel(tr("seconds"), row), 0, 4);
    headers = new QPlainTextEdit(row);
    headers->setTabChangesFocus(true);
    headers->setFixedHeight(headers->fontMetrics().lineSpacing() * 2 + 12);
    layout->addWidget(new QLabel(tr("Request headers:"), row), 1, 0, Qt::AlignTop);
    layout->addWidget(headers, 1, 1, 1, 4);
    layout->setColumnStretch(1, 1);
    return row;
}

QWidget* ServerPropertiesLayout::buildConversionGroup(QWidget* parent)
{
    auto* group = new QGroupBox(tr("Web page convertion"), parent);
    auto* layout = new QVBoxLayout(group);
    format[0] = new QRadioButton(tr("None"), group);
    format[1] = new QRadioButton(
        tr("Convert to semi-html (remove html tag contents, i.e. leave html tags empty \"<>\")"), group);
    format[2] = new QRadioButton(tr("Convert to text-only (remove html tags completely)"), group);
    for (QRadioButton* button : format) {
        wrapText(button, kChoiceCharacters);
        layout->addWidget(button);
    }
    return group;
}

QWidget* ServerPropertiesLayout::buildQuotationFormatGroup(QWidget* parent)
{
    auto* group = new QGroupBox(tr("Quotation format"), parent);
    auto* layout = new QVBoxLayout(group);
    separators = new QComboBox(group);
    for (const char* sample : SeparatorFormat::kSamples)
        separators->addItem(QString::fromLatin1(sample));
    caseInsensitive =
        new QCheckBox(tr("Case insensitive search (don't differentiate small and capital letters)"), group);
    wrapText(caseInsensitive, kChoiceCharacters);
    layout->addWidget(new QLabel(tr("Thousands/decimal separator format:"), group));
    layout->addWidget(separators);
    layout->addWidget(caseInsensitive);
    return group;
}

QGroupBox* ServerPropertiesLayout::buildRulesGroup(QWidget* parent)
{
    rulesGroup = new QGroupBox(tr("Quotation extraction rules"), parent);
    // No spacing around the section: hiding it takes exactly its height off the group.
    auto* layout = new QVBoxLayout(rulesGroup);
    layout->setSpacing(0);
    auto* standard = new QGridLayout;
    startText = textField(rulesGroup);
    tags = numberField(rulesGroup, -kTypedLimit, kTypedLimit);
    numbers = numberField(rulesGroup, -kTypedLimit, kTypedLimit);
    standard->addWidget(new QLabel(tr("Start searching for quotation after the following text:"), rulesGroup), 0, 0, 1,
                        6);
    standard->addWidget(startText, 1, 0, 1, 6);
    standard->addWidget(new QLabel(tr("and "), rulesGroup), 2, 0);
    standard->addWidget(tags, 2, 1);
    standard->addWidget(new QLabel(tr("   html tags and"), rulesGroup), 2, 2);
    standard->addWidget(numbers, 2, 3);
    standard->addWidget(new QLabel(tr("numbers."), rulesGroup), 2, 4);
    standard->setColumnStretch(5, 1);
    layout->addLayout(standard);
    layout->addWidget(buildAdvancedSection());
    return rulesGroup;
}

QWidget* ServerPropertiesLayout::buildAdvancedSection()
{
    advancedSection = new QWidget(rulesGroup);
    auto* layout = new QGridLayout(advancedSection);
    // Many rows: a small gap between them keeps the dialog on small screens.
    layout->setVerticalSpacing(std::max(1, layout->verticalSpacing() / 2));
    standard = new QRadioButton(tr("Standard Search"), advancedSection);
    advanced = new QRadioButton(tr("Advanced Search"), advancedSection);
    json = new QRadioButton(tr("JSON path"), advancedSection);
    for (QLineEdit*& field : jsonPath)
        field = textField(advancedSection);
    regExp = textField(advancedSection);
    quotationIndex = numberField(advancedSection, 0, 99);
    extractDate = new QCheckBox(tr("Extract quotation date"), advancedSection);
    extractTime = new QCheckBox(tr("Extract quotation time"), advancedSection);
    for (QSpinBox*& field : dateIndex)
        field = numberField(advancedSection, 0, 99);
    for (QSpinBox*& field : timeIndex)
        field = numberField(advancedSection, 0, 99);

    layout->addWidget(standard, 0, 0, 1, 2);
    layout->addWidget(advanced, 0, 2, 1, 2);
    layout->addWidget(json, 0, 4, 1, 2);
    layout->addWidget(new QLabel(tr("Perl regular expression (extended by TKR variables)"), advancedSection), 1, 0, 1,
                      7);
    layout->addWidget(regExp, 2, 0, 1, 7);
    layout->addWidget(new QLabel(tr("Quotation match parentesis index:"), advancedSection), 3, 0, 1, 2);
    layout->addWidget(quotationIndex, 3, 2);
    layout->addWidget(extractDate, 4, 0);
    const QString dateLabels[] = {tr("Day match index:"), tr("Month match index:"), tr("Year match index:")};
    for (int part = 0; part < 3; ++part) {
        layout->addWidget(new QLabel(dateLabels[part], advancedSection), 4, 1 + part * 2);
        layout->addWidget(dateIndex[part], 4, 2 + part * 2);
    }
    layout->addWidget(extractTime, 5, 0);
    const QString timeLabels[] = {tr("Hour match index:"), tr("Minute match index:")};
    for (int part = 0; part < 2; ++part) {
        layout->addWidget(new QLabel(timeLabels[part], advancedSection), 5, 1 + part * 2);
        layout->addWidget(timeIndex[part], 5, 2 + part * 2);
    }
    const QString pathLabels[] = {tr("Value path:"), tr("Date path:"), tr("Time path:")};
    for (int path = 0; path < 3; ++path) {
        layout->addWidget(new QLabel(pathLabels[path], advancedSection), 6 + path, 0);
        layout->addWidget(jsonPath[path], 6 + path, 1, 1, 6);
    }
    xpath = new XPathRuleFields(advancedSection, layout, 9);
    layout->addWidget(xpath->choice(), 0, 6);
    // A fixed height, whichever rows the search kind shows, so that hiding the section takes exactly it off.
    advancedSection->setFixedHeight(layout->sizeHint().height());
    return advancedSection;
}

QLayout* ServerPropertiesLayout::buildButtons(QDialog* dialog)
{
    toggle = new QPushButton(dialog);
    test = new QPushButton(tr("&Test quotation update"), dialog);
    saveAs = new QPushButton(tr("Save configuration &As..."), dialog);
    help = new QPushButton(tr("Help"), dialog);
    ok = new QPushButton(tr("OK"), dialog);
    cancel = new QPushButton(tr("Cancel"), dialog);
    ok->setDefault(true);
    auto* layout = new QHBoxLayout;
    for (QPushButton* button : {toggle, test, saveAs, help})
        layout->addWidget(button);
    layout->addStretch(1);
    layout->addWidget(ok);
    layout->addWidget(cancel);
    return layout;
}

void ServerPropertiesLayout::nameControls()
{
    const std::pair<QWidget*, const char*> names[] = {
        {url, "urlField"},
        {downloadUrl, "downloadUrlButton"},
        {timeout, "timeoutField"},
        {headers, "headersField"},
        {format[0], "noConversionButton"},
        {format[1], "semiHtmlButton"},
        {format[2], "textOnlyButton"},
        {separators, "separatorList"},
        {caseInsensitive, "caseInsensitiveBox"},
        {rulesGroup, "rulesGroup"},
        {standard, "standardButton"},
        {advanced, "advancedButton"},
        {json, "jsonButton"},
        {jsonPath[0], "valuePathField"},
        {jsonPath[1], "datePathField"},
        {jsonPath[2], "timePathField"},
        {startText, "startTextField"},
        {tags, "tagsField"},
        {numbers, "numbersField"},
        {advancedSection, "advancedSection"},
        {regExp, "regExpField"},
        {quotationIndex, "quotationIndexField"},
        {extractDate, "extractDateBox"},
        {extractTime, "extractTimeBox"},
        {dateIndex[0], "dayIndexField"},
        {dateIndex[1], "monthIndexField"},
        {dateIndex[2], "yearIndexField"},
        {timeIndex[0], "hourIndexField"},
        {timeIndex[1], "minuteIndexField"},
        {toggle, "advancedToggle"},
        {test, "testButton"},
        {saveAs, "saveAsButton"},
        {help, "helpButton"},
        {ok, "okButton"},
        {cancel, "cancelButton"},
    };
    for (const auto& [control, name] : names)
        control->setObjectName(QLatin1String(name));
}
