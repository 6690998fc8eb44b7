// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gui/print/PrintingSystem.h"

#include <QPrinter>

// Printing through Qt Print Support.
class QtPrintingSystem : public PrintingSystem {
public:
    QtPrintingSystem();

    QPrinter& printer() override;
    void print(QWidget* parent, const QString& title, const Painting& paint) override;
    void printPreview(QWidget* parent, const Painting& paint) override;
    void printSetup(QWidget* parent) override;

private:
    QPrinter m_printer;
};
