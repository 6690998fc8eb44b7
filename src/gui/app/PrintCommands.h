// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "render/PortfolioPrinter.h"

#include <QObject>

#include <functional>
#include <memory>

class PrintingSystem;
class QPagedPaintDevice;
class QPrinter;
class QWidget;

// Print, Print preview and Print Setup of the selected items, on one printer set to landscape.
class PrintCommands : public QObject {
    Q_OBJECT
public:
    PrintCommands(std::function<PrintRequest()> request, QWidget* window);
    ~PrintCommands() override;

    // Made on first use, from the print library loaded then: loading Qt Print Support would cost the start-up
    // of every session. Null (after a message) when the library cannot be loaded.
    QPrinter* printer();

    void print();
    void printPreview();
    void printSetup();
    // Prints the current selection on `device`; the number of pages.
    int printOn(QPagedPaintDevice& device);

private:
    PrintingSystem* printingSystem();

    std::function<PrintRequest()> m_request;
    QWidget* m_window;
    std::unique_ptr<PrintingSystem> m_system;
};
