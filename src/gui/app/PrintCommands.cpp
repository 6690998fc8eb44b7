// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/app/PrintCommands.h"

#include "gui/widgets/MessageDialog.h"

#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

PrintCommands::PrintCommands(std::function<PrintRequest()> request, QWidget* window)
    : QObject(window), m_request(std::move(request)), m_window(window)
{
}

PrintCommands::~PrintCommands() = default;

QPrinter& PrintCommands::printer()
{
    if (!m_printer) {
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        m_printer->setPageOrientation(QPageLayout::Landscape);
    }
    return *m_printer;
}

int PrintCommands::printOn(QPrinter& printer)
{
    const PrintRequest request = m_request();
    if (request.items.empty())
        return 0;
    QPainter painter;
    if (!painter.begin(&printer)) {
        MessageDialog::warning(m_window, tr("The printer could not be opened."));
        return 0;
    }
    const int pages = PortfolioPrinter::print(painter, printer, request);
    painter.end();
    return pages;
}

void PrintCommands::print()
{
    QPrintDialog dialog(&printer(), m_window);
    dialog.setWindowTitle(tr("Print"));
    if (dialog.exec() == QDialog::Accepted)
        printOn(printer());
}

void PrintCommands::printPreview()
{
    QPrintPreviewDialog dialog(&printer(), m_window);
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* printer) { printOn(*printer); });
    dialog.exec();
}

void PrintCommands::printSetup()
{
    QPageSetupDialog dialog(&printer(), m_window);
    dialog.exec();
}
