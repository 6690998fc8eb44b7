#pragma once

#include "core/servers/ServerConfig.h"

#include <QDialog>

#include <functional>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class XPathRuleFields;

// "Server Settings": every field of one server's rules, with the address tried in the browser, a test
// update of the unsaved rules and saving under another name.
class ServerPropertiesDialog : public QDialog {
    Q_OBJECT
public:
    using Tester = std::function<void(const std::string& name, const std::string& symbol, const ServerConfig& rules)>;
    // The section with the search kinds, the regular expression, the JSON paths and the XPath expressions.
    static constexpr int kAdvancedHeight = 370;

    ServerPropertiesDialog(const ServerConfig& config, const std::string& serverName, const std::string& itemName,
                           const std::string& symbol, QWidget* parent = nullptr);

    // "&Test quotation update" hands the item's name and symbol and the unsaved rules to `tester`.
    void setTester(Tester tester) { m_tester = std::move(tester); }
    // The edited record, as last taken over from the fields.
    const ServerConfig& config() const { return m_config; }
    // The server name, changed by "Save configuration &As...".
    const std::string& serverName() const { return m_serverName; }

    // Reads every field into the record; refuses a number outside its range with the standard message.
    bool takeOverFields();
    void toggleAdvanced();
    void openDownloadUrl();
    void testUpdate();
    void saveAs();
    void openHelp();
    void accept() override;

    bool advancedShown() const { return m_advancedShown; }
    QLineEdit* urlField() const { return m_url; }
    QSpinBox* timeoutField() const { return m_timeout; }
    QPlainTextEdit* headersField() const { return m_headers; }
    QRadioButton* formatButton(int format) const { return m_format[format]; }
    QComboBox* separatorList() const { return m_separators; }
    QCheckBox* caseInsensitiveBox() const { return m_caseInsensitive; }
    QRadioButton* standardButton() const { return m_standard; }
    QRadioButton* advancedButton() const { return m_advanced; }
    QRadioButton* jsonButton() const { return m_json; }
    QLineEdit* jsonPathField(int path) const { return m_jsonPath[path]; }
    XPathRuleFields* xpathFields() const { return m_xpath; }
    QLineEdit* startTextField() const { return m_startText; }
    QSpinBox* tagsField() const { return m_tags; }
    QSpinBox* numbersField() const { return m_numbers; }
    QLineEdit* regExpField() const { return m_regExp; }
    QSpinBox* quotationIndexField() const { return m_quotationIndex; }
    QCheckBox* extractDateBox() const { return m_extractDate; }
    QCheckBox* extractTimeBox() const { return m_extractTime; }
    QSpinBox* dateIndexField(int part) const { return m_dateIndex[part]; }
    QSpinBox* timeIndexField(int part) const { return m_timeIndex[part]; }
    QGroupBox* rulesGroup() const { return m_rulesGroup; }
    QWidget* advancedSection() const { return m_advancedSection; }
    QPushButton* advancedToggle() const { return m_toggle; }
    QPushButton* downloadUrlButton() const { return m_downloadUrl; }
    QPushButton* testButton() const { return m_test; }
    QPushButton* saveAsButton() const { return m_saveAs; }
    QPushButton* helpButton() const { return m_help; }

private:
    QWidget* buildAddressRow();
    QWidget* buildConversionGroup();
    QWidget* buildQuotationFormatGroup();
    QGroupBox* buildRulesGroup();
    QWidget* buildAdvancedSection();
    QLayout* buildButtons();
    void showFields();
    void applyEnablingRules();
    void setAdvancedShown(bool shown);
    void updateTitle();
    bool checkRange(QSpinBox* field, int min, int max);
    // The lines of "Request headers:" without blank ones; refuses a line the server store would refuse.
    bool readHeaders(std::vector<std::string>& headers);
    // Only a stored server sends request headers; the item's own rules send none.
    void enableHeaders();

    ServerConfig m_config;
    std::string m_serverName;
    std::string m_itemName;
    std::string m_symbol;
    Tester m_tester;
    bool m_advancedShown = false;

    QLineEdit* m_url = nullptr;
    QPushButton* m_downloadUrl = nullptr;
    QSpinBox* m_timeout = nullptr;
    QPlainTextEdit* m_headers = nullptr;
    QRadioButton* m_format[3] = {};
    QComboBox* m_separators = nullptr;
    QCheckBox* m_caseInsensitive = nullptr;
    QGroupBox* m_rulesGroup = nullptr;
    QRadioButton* m_standard = nullptr;
    QRadioButton* m_advanced = nullptr;
    QRadioButton* m_json = nullptr;
    // Value, date and time path.
    QLineEdit* m_jsonPath[3] = {};
    XPathRuleFields* m_xpath = nullptr;
    QLineEdit* m_startText = nullptr;
    QSpinBox* m_tags = nullptr;
    QSpinBox* m_numbers = nullptr;
    QWidget* m_advancedSection = nullptr;
    QLineEdit* m_regExp = nullptr;
    QSpinBox* m_quotationIndex = nullptr;
    QCheckBox* m_extractDate = nullptr;
    QCheckBox* m_extractTime = nullptr;
    QSpinBox* m_dateIndex[3] = {};
    QSpinBox* m_timeIndex[2] = {};
    QPushButton* m_toggle = nullptr;
    QPushButton* m_test = nullptr;
    QPushButton* m_saveAs = nullptr;
    QPushButton* m_help = nullptr;
};
