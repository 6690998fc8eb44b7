// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QCheckBox;
class QComboBox;
class QDialog;
class QGroupBox;
class QLayout;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QWidget;
class XPathRuleFields;

// The controls of "Server Settings" and how they stand in the window; ServerPropertiesDialog maps them to
// the fields of a server's rules.
struct ServerPropertiesLayout {
    QLineEdit* url = nullptr;
    QPushButton* downloadUrl = nullptr;
    QSpinBox* timeout = nullptr;
    QPlainTextEdit* headers = nullptr;
    // None, semi-html, text-only: the stored Format.
    QRadioButton* format[3] = {};
    QComboBox* separators = nullptr;
    QCheckBox* caseInsensitive = nullptr;
    QGroupBox* rulesGroup = nullptr;
    QRadioButton* standard = nullptr;
    QRadioButton* advanced = nullptr;
    QRadioButton* json = nullptr;
    // Value, date and time path.
    QLineEdit* jsonPath[3] = {};
    XPathRuleFields* xpath = nullptr;
    QLineEdit* startText = nullptr;
    QSpinBox* tags = nullptr;
    QSpinBox* numbers = nullptr;
    QWidget* advancedSection = nullptr;
    QLineEdit* regExp = nullptr;
    QSpinBox* quotationIndex = nullptr;
    QCheckBox* extractDate = nullptr;
    QCheckBox* extractTime = nullptr;
    // Day, month and year match index.
    QSpinBox* dateIndex[3] = {};
    // Hour and minute match index.
    QSpinBox* timeIndex[2] = {};
    QPushButton* toggle = nullptr;
    QPushButton* test = nullptr;
    QPushButton* saveAs = nullptr;
    QPushButton* help = nullptr;
    QPushButton* ok = nullptr;
    QPushButton* cancel = nullptr;

    // Creates the controls on `dialog`, lays them out and gives them their object names.
    void build(QDialog* dialog);

private:
    QWidget* buildAddressRow(QWidget* parent);
    QWidget* buildConversionGroup(QWidget* parent);
    QWidget* buildQuotationFormatGroup(QWidget* parent);
    QGroupBox* buildRulesGroup(QWidget* parent);
    QWidget* buildAdvancedSection();
    QLayout* buildButtons(QDialog* dialog);
    void nameControls();
};
