// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLineEdit>

// An address field that takes a dropped text (a link dragged from a browser) in place of its content.
class AddressField : public QLineEdit {
    Q_OBJECT
public:
    explicit AddressField(QWidget* parent = nullptr);

protected:
    void dropEvent(QDropEvent* event) override;
};
