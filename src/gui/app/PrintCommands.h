// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "render/PortfolioPrinter.h"

#include <QObject>

#include <functional>
#include <memory>

class QPrinter;
class QWidget;

// Print, Print preview and Print Setup of the selected items, on one printer set to landscape.
class PrintCommands : public QObject {
    Q_OBJECT
public:
    PrintCommands(std::function<PrintRequest()> request, QWidget* window);
    ~PrintCommands() override;

    // Made on first use: setting up the printing system costs the start-up of every session.
    QPrinter& printer();

    void print();
    void printPreview();
    void printSetup();
    // Prints the current selection on `printer`; the number of pages.
    int printOn(QPrinter& printer);

private:
    std::function<PrintRequest()> m_request;
    QWidget* m_window;
    std::unique_ptr<QPrinter> m_printer;
};
