// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/servers/AddressField.h"

#include <QDropEvent>
#include <QMimeData>

AddressField::AddressField(QWidget* parent) : QLineEdit(parent) { }

void AddressField::dropEvent(QDropEvent* event)
{
    const QMimeData* data = event->mimeData();
    const QString text = data->hasUrls() && !data->urls().isEmpty() ? data->urls().first().toString() : data->text();
    if (text.isEmpty()) {
        QLineEdit::dropEvent(event);
        return;
    }
    setText(text.trimmed());
    event->acceptProposedAction();
}
