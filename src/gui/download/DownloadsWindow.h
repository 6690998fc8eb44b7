// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/download/DownloadEvent.h"

#include <QDialog>
#include <QIcon>

#include <array>

class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// "Downloads": one row per item download with its latest status; failed rows stay until the item
// starts again or another portfolio is opened.
class DownloadsWindow : public QDialog {
    Q_OBJECT
public:
    DownloadsWindow(QWidget* parent = nullptr);

    // `downloadStatus`: hide when the last row leaves.
    void setOptions(bool downloadStatus);
    void showDownloadEvent(const DownloadEvent& event);
    void clearRows();
    void saveColumns() const;
    void setDocumentTitle(const QString& title, bool aborting);
    void setAbortEnabled(bool enabled);

    int rowCount() const;
    QString statusTextOf(int row) const;
    // The row's job: downloads are numbered 1, 2, ... in the order they start.
    QString jobNumberOf(int row) const;
    QString itemNameOf(int row) const;
    int imageOf(int row) const;

signals:
    void abortRequested();

private:
    QTreeWidgetItem* rowFor(const DownloadEvent& event) const;
    void setImage(QTreeWidgetItem* row, int image);
    void readColumns();
    // Column widths that show the longest common status texts in the list's font.
    QList<int> fittedColumns() const;
    // Wide enough for the columns, whatever widths they came with.
    void fitSize();

    QTreeWidget* m_list;
    QPushButton* m_hide;
    QPushButton* m_abort;
    std::array<QIcon, 5> m_images;
    bool m_downloadStatus = true;
    int m_startedJobs = 0;
};
