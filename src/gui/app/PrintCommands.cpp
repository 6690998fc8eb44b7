// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/app/PrintCommands.h"

#include "gui/print/PrintingSystem.h"
#include "gui/widgets/MessageDialog.h"

#include <QCoreApplication>
#include <QLibrary>
#include <QPagedPaintDevice>
#include <QPainter>

namespace {

// Beside the program (the build tree), in the library folder of the installation it belongs to, then
// wherever the system looks for libraries.
QStringList printLibraryCandidates()
{
    const QString programDir = QCoreApplication::applicationDirPath();
    const QString name = QStringLiteral("tickora-print");
    return {programDir + QLatin1Char('/') + name,
            programDir + QStringLiteral("/../" TICKORA_PRINT_LIBRARY_DIR "/") + name, name};
}

} // namespace

PrintCommands::PrintCommands(std::function<PrintRequest()> request, QWidget* window)
    : QObject(window), m_request(std::move(request)), m_window(window)
{
}

PrintCommands::~PrintCommands() = default;

PrintingSystem* PrintCommands::printingSystem()
{
    if (m_system)
        return m_system.get();
    QString error;
    for (const QString& candidate : printLibraryCandidates()) {
        // Stays loaded for the session: the printing system's code runs until the window closes.
        QLibrary library(candidate);
        if (auto create = reinterpret_cast<CreatePrintingSystem>(library.resolve(kCreatePrintingSystemSymbol))) {
            m_system.reset(create());
            return m_system.get();
        }
        if (error.isEmpty())
            error = library.errorString();
    }
    MessageDialog::warning(m_window, tr("Printing is not available: %1").arg(error));
    return nullptr;
}

QPrinter* PrintCommands::printer()
{
    PrintingSystem* system = printingSystem();
    return system ? &system->printer() : nullptr;
}

int PrintCommands::printOn(QPagedPaintDevice& device)
{
    const PrintRequest request = m_request();
    if (request.items.empty())
        return 0;
    QPainter painter;
    if (!painter.begin(&device)) {
        MessageDialog::warning(m_window, tr("The printer could not be opened."));
        return 0;
    }
    const int pages = PortfolioPrinter::print(painter, device, request);
    painter.end();
    return pages;
}

void PrintCommands::print()
{
    if (PrintingSystem* system = printingSystem())
        system->print(m_window, tr("Print"), [this](QPagedPaintDevice& device) { printOn(device); });
}

void PrintCommands::printPreview()
{
    if (PrintingSystem* system = printingSystem())
        system->printPreview(m_window, [this](QPagedPaintDevice& device) { printOn(device); });
}

void PrintCommands::printSetup()
{
    if (PrintingSystem* system = printingSystem())
        system->printSetup(m_window);
}
