// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/importexport/ImportLocationDialog.h"

#include "core/importexport/ImportLocation.h"
#include "gui/widgets/FileDialog.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QDateEdit* dateField(QWidget* parent, time_t time)
{
    auto* field = new QDateEdit(QDateTime::fromSecsSinceEpoch(time).date(), parent);
    field->setCalendarPopup(true);
    return field;
}

// Noon of the chosen day: the period variables read the day only.
time_t timeOf(const QDateEdit* field)
{
    return time_t(QDateTime(field->date(), QTime(12, 0)).toSecsSinceEpoch());
}

} // namespace

ImportLocationDialog::ImportLocationDialog(const ImportSettings& settings, QWidget* parent)
    : QDialog(parent), m_settings(settings), m_local(new QRadioButton(tr("Local file"), this)),
      m_download(new QRadioButton(tr("Internet download"), this)), m_path(new QLineEdit(this)),
      m_pathButton(new QPushButton(tr("File path"), this)), m_begin(dateField(this, settings.periodBegin)),
      m_end(dateField(this, settings.periodEnd)), m_templates(new QComboBox(this))
{
    setWindowTitle(tr("Import location"));
    m_path->setText(QString::fromStdString(settings.localPath));
    m_path->setMinimumWidth(m_path->fontMetrics().averageCharWidth() * 50);
    m_templates->setEditable(true);
    // The offered templates are long addresses: the list is sized by characters, not by its longest entry.
    m_templates->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_templates->setMinimumContentsLength(50);
    m_templates->setInsertPolicy(QComboBox::NoInsert);
    for (const std::string& urlTemplate : ImportLocation::offeredTemplates())
        m_templates->addItem(QString::fromStdString(urlTemplate));
    m_templates->setCurrentText(QString::fromStdString(settings.urlTemplate));
    (settings.download ? m_download : m_local)->setChecked(true);

    auto* note = new QLabel(tr("Note: if you use yahoo's historical quotes server, you might need to change item's "
                               "symbol from ISIN/WKN to ticker to get URL template working (e.g. "
                               "710000.F->DCXGn.F)."),
                            this);
    note->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("Cancel"));

    auto* grid = new QGridLayout;
    grid->addWidget(m_local, 0, 0, 1, 3);
    grid->addWidget(m_path, 1, 0, 1, 2);
    grid->addWidget(m_pathButton, 1, 2);
    grid->addWidget(m_download, 2, 0, 1, 3);
    grid->addWidget(new QLabel(tr("Period begin:"), this), 3, 0);
    grid->addWidget(m_begin, 3, 1);
    grid->addWidget(new QLabel(tr("Period end:"), this), 4, 0);
    grid->addWidget(m_end, 4, 1);
    grid->addWidget(new QLabel(tr("Import URL Template:"), this), 5, 0, 1, 3);
    grid->addWidget(m_templates, 6, 0, 1, 3);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(note);
    layout->addWidget(buttons);

    connect(m_local, &QRadioButton::toggled, this, &ImportLocationDialog::applyEnablingRules);
    connect(m_pathButton, &QPushButton::clicked, this, &ImportLocationDialog::choosePath);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    applyEnablingRules();
    // Tests find the controls by these names.
    m_local->setObjectName(QStringLiteral("localButton"));
    m_download->setObjectName(QStringLiteral("downloadButton"));
    m_path->setObjectName(QStringLiteral("pathField"));
    m_pathButton->setObjectName(QStringLiteral("pathButton"));
    m_begin->setObjectName(QStringLiteral("beginField"));
    m_end->setObjectName(QStringLiteral("endField"));
    m_templates->setObjectName(QStringLiteral("templateList"));
}

void ImportLocationDialog::applyEnablingRules()
{
    const bool local = m_local->isChecked();
    m_path->setEnabled(local);
    m_pathButton->setEnabled(local);
    for (QWidget* field : std::initializer_list<QWidget*>{m_begin, m_end, m_templates})
        field->setEnabled(!local);
}

void ImportLocationDialog::choosePath()
{
    const QString path = FileDialog::openFileName(this, tr("Open"), tr("All Files (*.*)"));
    if (!path.isEmpty())
        m_path->setText(path);
}

ImportSettings ImportLocationDialog::settings() const
{
    ImportSettings settings = m_settings;
    settings.download = m_download->isChecked();
    settings.localPath = m_path->text().toStdString();
    settings.periodBegin = timeOf(m_begin);
    settings.periodEnd = timeOf(m_end);
    settings.urlTemplate = m_templates->currentText().toStdString();
    settings.address = address();
    return settings;
}

std::string ImportLocationDialog::address() const
{
    if (m_local->isChecked())
        return ImportLocation::localFileAddress(m_path->text().toStdString());
    return ImportLocation::downloadAddress(m_templates->currentText().toStdString(), timeOf(m_begin), timeOf(m_end));
}
