// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>

class QPagedPaintDevice;
class QPrinter;
class QWidget;

// The printer and the print dialogs. They live in a library of their own that the program loads when
// printing is first used, so that no session pays for loading Qt Print Support before it prints.
class PrintingSystem {
public:
    // Draws the printout on the device given; the device is not begun yet.
    using Painting = std::function<void(QPagedPaintDevice&)>;

    virtual ~PrintingSystem() = default;

    // One printer for the session, set to landscape.
    virtual QPrinter& printer() = 0;
    virtual void print(QWidget* parent, const QString& title, const Painting& paint) = 0;
    virtual void printPreview(QWidget* parent, const Painting& paint) = 0;
    virtual void printSetup(QWidget* parent) = 0;
};

// The library's one entry point, looked up by this name; the caller owns the object returned.
using CreatePrintingSystem = PrintingSystem* (*)();
inline constexpr const char* kCreatePrintingSystemSymbol = "tickoraCreatePrintingSystem";
