// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QComboBox;

// "Server configuration": the name to save a server's rules under, typed or picked from the stored names.
class SaveServerAsDialog : public QDialog {
    Q_OBJECT
public:
    explicit SaveServerAsDialog(QWidget* parent = nullptr);

    QString chosenName() const;

private:
    QComboBox* m_names;
};
