// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include <string>

class QPushButton;
class QTreeWidget;

// "Restore from backup...": lists the backups that saves kept of a portfolio (time, items, quotations) and
// puts the chosen one in the portfolio's place once the user agreed.
class RestoreBackupDialog : public QDialog {
    Q_OBJECT
public:
    // `path` is the portfolio's file as the file system takes it, `title` its name to show.
    RestoreBackupDialog(const std::string& path, const QString& title, QWidget* parent = nullptr);

    QTreeWidget* backupList() const { return m_list; }
    // Why a backup of the replaced file could not be made, after a restore.
    const std::string& backupFailure() const { return m_backupFailure; }

public slots:
    void accept() override;

private:
    void fillList();

    std::string m_path;
    QString m_title;
    QTreeWidget* m_list;
    QPushButton* m_restore;
    std::string m_backupFailure;
};
