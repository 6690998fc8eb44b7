// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TestEnvironment.h"
#include "WidgetLookup.h"
#include "core/model/PortfolioDocument.h"
#include "core/settings/GeneralOptions.h"
#include "gui/views/PortfolioListView.h"

#include <QApplication>
#include <QItemSelectionModel>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

// The lines of tests/data/golden/<fileName>, without comments ("#...") and empty lines. A missing or empty
// file ends the test program: every comparison with it would pass.
inline QStringList goldenLines(const std::string& fileName)
{
    const QString text = QString::fromStdString(readFileBytes(testDataPath("golden/" + fileName)));
    QStringList lines;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        if (!line.isEmpty() && !line.startsWith(QLatin1Char('#')))
            lines << line;
    }
    if (lines.isEmpty())
        qFatal("no golden lines in %s", fileName.c_str());
    return lines;
}

// The fields of a golden line, separated by "|" and trimmed.
inline QStringList goldenFields(const QString& line)
{
    QStringList fields = line.split(QLatin1Char('|'));
    for (QString& field : fields)
        field = field.trimmed();
    return fields;
}

// Options for a window that neither shows a failed page nor updates on its own.
inline GeneralOptions quietOptions()
{
    GeneralOptions options;
    options.ShowFileOnError = 0;
    options.Autoupdate = 0;
    return options;
}

// An item that reads its quotation from `url` after the text `symbol`, numbers written "9999.99".
inline PortfolioItem pageItem(const std::string& name, const std::string& symbol, const std::string& url)
{
    PortfolioItem item = PortfolioItem::newItem(name, 1700000000, 1);
    item.symbol = symbol;
    item.server.name.clear();
    item.server.URL = url;
    item.server.Timeout = 30;
    item.server.Format = 0;
    item.server.Filtering = 0;
    item.server.Text_before_Value = "[&symbol]";
    item.server.TAUSEND = "";
    item.server.DECIMAL = ".";
    return item;
}

// The position of the item called `name`, -1 when there is none.
inline int positionNamed(const PortfolioDocument& doc, const std::string& name)
{
    for (int pos = 0; pos < doc.itemCount(); ++pos) {
        if (doc.item(pos).name == name)
            return pos;
    }
    return -1;
}

inline const PortfolioItem& itemNamed(const PortfolioDocument& doc, const std::string& name)
{
    const int pos = positionNamed(doc, name);
    if (pos < 0)
        throw std::logic_error("no item " + name);
    return doc.item(pos);
}

// Selects the rows of the named items as a click and Ctrl+clicks would; the first one gets the focus.
inline void selectItems(PortfolioListView* list, const QStringList& names)
{
    QItemSelectionModel* selection = list->selectionModel();
    selection->clearSelection();
    bool first = true;
    for (const QString& name : names) {
        for (int row = 0; row < list->model()->rowCount(); ++row) {
            const QModelIndex index = list->model()->index(row, 0);
            if (index.data().toString() != name)
                continue;
            selection->select(index, QItemSelectionModel::Select | QItemSelectionModel::Rows);
            if (first)
                selection->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
            first = false;
        }
    }
}

// Runs `handle` on the next modal dialog of type T as soon as it shows (from inside its exec()).
template <typename T>
void whenModal(std::function<void(T*)> handle)
{
    auto* poll = new QTimer;
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, handle] {
        if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) {
            poll->stop();
            poll->deleteLater();
            handle(dialog);
        }
    });
    poll->start();
}
