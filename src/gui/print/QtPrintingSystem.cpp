// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/print/QtPrintingSystem.h"

#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>

QtPrintingSystem::QtPrintingSystem() : m_printer(QPrinter::HighResolution)
{
    m_printer.setPageOrientation(QPageLayout::Landscape);
}

QPrinter& QtPrintingSystem::printer()
{
    return m_printer;
}

void QtPrintingSystem::print(QWidget* parent, const QString& title, const Painting& paint)
{
    QPrintDialog dialog(&m_printer, parent);
    dialog.setWindowTitle(title);
    if (dialog.exec() == QDialog::Accepted)
        paint(m_printer);
}

void QtPrintingSystem::printPreview(QWidget* parent, const Painting& paint)
{
    QPrintPreviewDialog dialog(&m_printer, parent);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&paint](QPrinter* printer) { paint(*printer); });
    dialog.exec();
}

void QtPrintingSystem::printSetup(QWidget* parent)
{
    QPageSetupDialog dialog(&m_printer, parent);
    dialog.exec();
}

extern "C" Q_DECL_EXPORT PrintingSystem* tickoraCreatePrintingSystem()
{
    return new QtPrintingSystem;
}
