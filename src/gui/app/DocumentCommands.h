// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/model/PortfolioDocument.h"

#include <QObject>
#include <QString>
#include <QStringList>

class PortfolioPreload;
class QAction;
class QWidget;

// New, Open, Save, Save As, the save question, the recent-file list and the quotation export.
class DocumentCommands : public QObject {
    Q_OBJECT
public:
    static constexpr int kRecentFileCount = 8;

    DocumentCommands(PortfolioDocument& doc, bool autosaveOnExit, QWidget* window);

    const QString& path() const { return m_path; }
    // The file name, or "Untitled" for a portfolio never saved.
    QString title() const;

    void newPortfolio();
    // `preload` holds the file when it was read ahead at start-up.
    bool openPortfolio(const QString& path, PortfolioPreload* preload = nullptr);
    void openWithDialog();
    bool save();
    bool saveAs();
    // Puts a backup in the file's place and opens it.
    void restoreFromBackup();
    // False when the user cancelled or a save failed: whatever was about to replace the portfolio stops.
    bool saveModified();
    void exportQuotations();
    void setAutosaveOnExit(bool autosave) { m_autosaveOnExit = autosave; }

    QStringList recentFiles() const;
    void bindRecentFileActions(const QList<QAction*>& actions);

    // The name the export dialog offers: the path less a four-character extension such as ".tkr".
    static QString exportBaseName(const QString& path);

signals:
    void documentReplaced();
    void titleChanged();

private:
    bool saveTo(const QString& path);
    void showStatus(const QString& text);
    void addRecentFile(const QString& path);
    void refreshRecentFileActions();

    PortfolioDocument& m_doc;
    bool m_autosaveOnExit;
    QWidget* m_window;
    QString m_path;
    QList<QAction*> m_recentActions;
};
