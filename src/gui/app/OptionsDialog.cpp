// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/app/OptionsDialog.h"

#include "gui/widgets/DialogSizing.h"
#include "gui/widgets/MessageDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QTimeEdit>
#include <QVBoxLayout>

namespace {

QLineEdit* numberField(QWidget* parent, int value)
{
    auto* field = new QLineEdit(QString::number(value), parent);
    field->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,9}")), field));
    field->setMaximumWidth(70);
    return field;
}

QTimeEdit* timeField(QWidget* parent, int hour, int minute)
{
    auto* field = new QTimeEdit(QTime(hour, minute), parent);
    field->setDisplayFormat(QStringLiteral("HH:mm"));
    return field;
}

QCheckBox* checkBox(const QString& text, int32_t value, QWidget* parent)
{
    auto* box = new QCheckBox(text, parent);
    box->setChecked(value != 0);
    return box;
}

} // namespace

OptionsDialog::OptionsDialog(const GeneralOptions& options, const DownloadOptions& download, QWidget* parent)
    : QDialog(parent), m_options(options), m_download(download),
      m_downloads(numberField(this, options.NumberDownloads)), m_perHost(numberField(this, options.ConnectionsPerHost)),
      m_userAgent(new QLineEdit(QString::fromStdString(download.UserAgent), this)),
      m_guard(numberField(this, options.GuardPercent)), m_backupDays(numberField(this, options.BackupDays)),
      m_autosavePortfolio(checkBox(tr("Auto-save portfolio file"), options.AutosaveOnExit, this)),
      m_autoupdate(checkBox(tr("Automatically update all items every"), options.Autoupdate, this)),
      m_interval(numberField(this, options.UpdateIntervall)),
      m_timeWindow(checkBox(tr("Only in the time between"), options.Autoupdate_Time, this)),
      m_from(timeField(this, options.Hour1, options.Minute1)), m_to(timeField(this, options.Hour2, options.Minute2)),
      m_downloadStatus(checkBox(tr("Show download status automatically"), options.DownloadStatus, this)),
      m_autosaveView(checkBox(tr("Auto-save view options"), options.AutosaveWindows, this)),
      m_showFile(checkBox(tr("Show downloaded file if quotation not found"), options.ShowFileOnError, this))
{
    setWindowTitle(tr("General options"));
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(tr("Maximal number of simultaneous downloads: "), this), 0, 0);
    grid->addWidget(m_downloads, 0, 1);
    grid->addWidget(new QLabel(tr("Connections per host:"), this), 1, 0);
    grid->addWidget(m_perHost, 1, 1);
    grid->addWidget(new QLabel(tr("User agent:"), this), 2, 0);
    grid->addWidget(m_userAgent, 2, 1, 1, 3);
    grid->addWidget(new QLabel(tr("Hold back quotations that change by more than (%):"), this), 3, 0);
    grid->addWidget(m_guard, 3, 1);
    grid->addWidget(m_autoupdate, 4, 0);
    grid->addWidget(m_interval, 4, 1);
    grid->addWidget(new QLabel(tr("Minutes"), this), 4, 2);
    grid->addWidget(m_timeWindow, 5, 0);
    grid->addWidget(m_from, 5, 1);
    grid->addWidget(new QLabel(tr("and"), this), 5, 2);
    grid->addWidget(m_to, 5, 3);
    grid->addWidget(new QLabel(tr("Keep daily backups for (days):"), this), 6, 0);
    grid->addWidget(m_backupDays, 6, 1);
    m_backupDays->setObjectName(QStringLiteral("backupDays"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &OptionsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &OptionsDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    for (QCheckBox* box : {m_autosavePortfolio, m_downloadStatus, m_autosaveView, m_showFile})
        layout->addWidget(box);
    layout->addWidget(buttons);
    connect(m_autoupdate, &QCheckBox::toggled, this, &OptionsDialog::updateEnabling);
    connect(m_timeWindow, &QCheckBox::toggled, this, &OptionsDialog::updateEnabling);
    updateEnabling();
    DialogSizing::fitTitle(this);
    // Tests find the controls by these names.
    m_downloads->setObjectName(QStringLiteral("downloadsField"));
    m_interval->setObjectName(QStringLiteral("intervalField"));
    m_perHost->setObjectName(QStringLiteral("perHostField"));
    m_userAgent->setObjectName(QStringLiteral("userAgentField"));
    m_guard->setObjectName(QStringLiteral("guardField"));
    m_autoupdate->setObjectName(QStringLiteral("autoupdateBox"));
    m_timeWindow->setObjectName(QStringLiteral("timeWindowBox"));
    m_from->setObjectName(QStringLiteral("fromField"));
    m_to->setObjectName(QStringLiteral("toField"));
}

void OptionsDialog::updateEnabling()
{
    const bool automatic = m_autoupdate->isChecked();
    m_interval->setEnabled(automatic);
    m_timeWindow->setEnabled(automatic);
    const bool window = automatic && m_timeWindow->isChecked();
    m_from->setEnabled(window);
    m_to->setEnabled(window);
}

bool OptionsDialog::takeEntry(const char* fieldName, QLineEdit* field, int32_t& value)
{
    const GeneralOptions::Field* option = GeneralOptions::findField(fieldName);
    const Result<int32_t> entry = GeneralOptions::checkEntry(*option, field->text().toStdString());
    if (entry) {
        value = *entry;
        return true;
    }
    MessageDialog::warning(this, QString::fromStdString(entry.message()));
    field->setFocus();
    field->selectAll();
    return false;
}

void OptionsDialog::accept()
{
    GeneralOptions entered = m_options;
    if (!takeEntry("NumberDownloads", m_downloads, entered.NumberDownloads))
        return;
    if (!takeEntry("ConnectionsPerHost", m_perHost, entered.ConnectionsPerHost))
        return;
    const std::string agent = m_userAgent->text().toStdString();
    if (const Status refusal = DownloadOptions::checkUserAgent(agent); !refusal) {
        MessageDialog::warning(this, QString::fromStdString(refusal.message()));
        m_userAgent->setFocus();
        return;
    }
    if (!takeEntry("GuardPercent", m_guard, entered.GuardPercent))
        return;
    if (!takeEntry("UpdateIntervall", m_interval, entered.UpdateIntervall))
        return;
    if (!takeEntry("BackupDays", m_backupDays, entered.BackupDays))
        return;
    entered.AutosaveOnExit = m_autosavePortfolio->isChecked();
    entered.Autoupdate = m_autoupdate->isChecked();
    entered.Autoupdate_Time = m_timeWindow->isChecked();
    entered.DownloadStatus = m_downloadStatus->isChecked();
    entered.AutosaveWindows = m_autosaveView->isChecked();
    entered.ShowFileOnError = m_showFile->isChecked();
    entered.Hour1 = m_from->time().hour();
    entered.Minute1 = m_from->time().minute();
    entered.Hour2 = m_to->time().hour();
    entered.Minute2 = m_to->time().minute();
    m_options = entered;
    m_download.UserAgent = agent;
    QDialog::accept();
}
