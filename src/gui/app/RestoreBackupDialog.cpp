// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/app/RestoreBackupDialog.h"

#include "core/base/LocaleFormat.h"
#include "core/model/PortfolioBackups.h"
#include "core/settings/GeneralOptions.h"
#include "gui/widgets/MessageDialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

enum Column { NameColumn, TimeColumn, ItemsColumn, QuotationsColumn };

QTreeWidgetItem* rowOf(const PortfolioBackups::Entry& entry)
{
    const QString name = entry.backup.name == FileBackups::kLastName ? RestoreBackupDialog::tr("Last save")
                                                                     : QString::fromStdString(entry.backup.name);
    const QString time = QString::fromStdString(LocaleFormat::localTime(entry.backup.modified, "%Y-%m-%d %H:%M"));
    const QString unreadable = RestoreBackupDialog::tr("unreadable");
    auto* row = new QTreeWidgetItem({name, time, entry.readable ? QString::number(entry.items) : unreadable,
                                     entry.readable ? QString::number(entry.quotations) : QString()});
    row->setData(NameColumn, Qt::UserRole, QString::fromStdString(entry.backup.name));
    row->setTextAlignment(ItemsColumn, Qt::AlignRight);
    row->setTextAlignment(QuotationsColumn, Qt::AlignRight);
    return row;
}

} // namespace

RestoreBackupDialog::RestoreBackupDialog(const std::string& path, const QString& title, QWidget* parent)
    : QDialog(parent), m_path(path), m_title(title), m_list(new QTreeWidget(this))
{
    setWindowTitle(tr("Restore from backup"));
    m_list->setObjectName(QStringLiteral("backups"));
    m_list->setRootIsDecorated(false);
    m_list->setHeaderLabels({tr("Backup"), tr("Saved"), tr("Items"), tr("Quotations")});
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    m_restore = buttons->addButton(tr("&Restore"), QDialogButtonBox::AcceptRole);
    m_restore->setObjectName(QStringLiteral("restore"));
    connect(buttons, &QDialogButtonBox::accepted, this, &RestoreBackupDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &RestoreBackupDialog::reject);
    connect(m_list, &QTreeWidget::itemSelectionChanged, this,
            [this] { m_restore->setEnabled(!m_list->selectedItems().isEmpty()); });
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, &RestoreBackupDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("Backups of %1:").arg(title), this));
    layout->addWidget(m_list);
    layout->addWidget(buttons);
    fillList();
}

void RestoreBackupDialog::fillList()
{
    const Result<std::vector<PortfolioBackups::Entry>> backups = PortfolioBackups::list(m_path);
    if (!backups) {
        m_list->setDisabled(true);
        m_list->setHeaderLabels({QString::fromStdString(backups.message())});
    } else {
        for (const PortfolioBackups::Entry& entry : *backups)
            m_list->addTopLevelItem(rowOf(entry));
    }
    m_list->header()->resizeSections(QHeaderView::ResizeToContents);
    if (m_list->topLevelItemCount() > 0)
        m_list->setCurrentItem(m_list->topLevelItem(0));
    m_restore->setEnabled(m_list->currentItem() != nullptr);
}

void RestoreBackupDialog::accept()
{
    const QTreeWidgetItem* chosen = m_list->currentItem();
    if (!chosen)
        return;
    const QString question = tr("Replace %1 with the backup of %2?").arg(m_title, chosen->text(TimeColumn));
    if (MessageDialog::question(this, question) != QMessageBox::Yes)
        return;
    const std::string name = chosen->data(NameColumn, Qt::UserRole).toString().toStdString();
    const Status restored =
        PortfolioBackups::restore(m_path, name, GeneralOptions::readOptions().BackupDays, m_backupFailure);
    if (!restored) {
        MessageDialog::warning(this, QString::fromStdString(restored.message()));
        return;
    }
    QDialog::accept();
}
