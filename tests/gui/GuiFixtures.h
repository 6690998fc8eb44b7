#pragma once

#include "core/model/PortfolioDocument.h"
#include "gui/views/PortfolioListView.h"

#include <QApplication>
#include <QItemSelectionModel>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <memory>
#include <string>

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
