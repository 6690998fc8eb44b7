// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/items/ItemGeneralPage.h"

#include "core/base/TextCompare.h"
#include "core/base/UrlVariables.h"
#include "core/model/ItemRules.h"
#include "core/servers/ServerStore.h"
#include "gui/items/NoteDialog.h"
#include "gui/widgets/ExternalViewer.h"
#include "gui/widgets/MessageDialog.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

ItemGeneralPage::ItemGeneralPage(const PortfolioItem& item, QWidget* parent)
    : QWidget(parent), m_item(item), m_shownServer(QString::fromStdString(
                                         item.server.name.empty() ? ServerConfig::kUserDefinedName : item.server.name)),
      m_name(new QLineEdit(QString::fromStdString(item.name), this)),
      m_symbol(new QLineEdit(QString::fromStdString(item.symbol), this)),
      m_note(new QPlainTextEdit(QString::fromStdString(item.note), this)),
      m_noteButton(new QPushButton(tr("..."), this)), m_servers(new QComboBox(this)),
      m_wizard(new QPushButton(tr("Wizard"), this)), m_edit(new QPushButton(tr("Edit"), this)),
      m_delete(new QPushButton(tr("Delete"), this)), m_test(new QPushButton(tr("Test quotation update"), this)),
      m_webPage(new QPushButton(tr("Open web page"), this)), m_health(new QLabel(this)),
      m_repair(new QPushButton(tr("Repair..."), this))
{
    m_note->setMaximumHeight(80);
    auto* noteRow = new QHBoxLayout;
    noteRow->addWidget(m_note, 1);
    noteRow->addWidget(m_noteButton, 0, Qt::AlignTop);
    auto* fields = new QFormLayout;
    fields->addRow(tr("Name:"), m_name);
    fields->addRow(tr("Symbol / Ticker / ISIN:"), m_symbol);
    fields->addRow(tr("Note:"), noteRow);

    auto* server = new QGroupBox(tr("Quotation server configuration"), this);
    auto* serverLayout = new QGridLayout(server);
    serverLayout->addWidget(m_servers, 0, 0, 1, 3);
    serverLayout->addWidget(m_wizard, 1, 0);
    serverLayout->addWidget(m_edit, 1, 1);
    serverLayout->addWidget(m_delete, 1, 2);
    serverLayout->addWidget(m_test, 2, 0, 1, 2);
    serverLayout->addWidget(m_webPage, 2, 2);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    m_health->setWordWrap(true);
    m_health->setTextFormat(Qt::PlainText);
    m_health->hide();
    m_repair->hide();
    auto* healthRow = new QHBoxLayout;
    healthRow->addWidget(m_health, 1);
    healthRow->addWidget(m_repair, 0, Qt::AlignTop);
    layout->addLayout(healthRow);
    layout->addWidget(server);
    layout->addStretch(1);

    for (QPushButton* button : {m_noteButton, m_wizard, m_edit, m_delete, m_test, m_webPage})
        button->setAutoDefault(false);
    m_test->setEnabled(false);
    connect(m_name, &QLineEdit::textChanged, this, &ItemGeneralPage::nameChanged);
    connect(m_noteButton, &QPushButton::clicked, this, &ItemGeneralPage::editNote);
    connect(m_wizard, &QPushButton::clicked, this, &ItemGeneralPage::wizardRequested);
    connect(m_edit, &QPushButton::clicked, this, &ItemGeneralPage::editRequested);
    connect(m_delete, &QPushButton::clicked, this, &ItemGeneralPage::deleteServer);
    connect(m_test, &QPushButton::clicked, this, &ItemGeneralPage::testUpdate);
    connect(m_webPage, &QPushButton::clicked, this, &ItemGeneralPage::openWebPage);
    connect(m_repair, &QPushButton::clicked, this, &ItemGeneralPage::repairRequested);
    fillServerList();
    // Tests find the controls by these names.
    m_note->setObjectName(QStringLiteral("noteField"));
    m_servers->setObjectName(QStringLiteral("serverList"));
    m_wizard->setObjectName(QStringLiteral("wizardButton"));
    m_edit->setObjectName(QStringLiteral("editButton"));
    m_delete->setObjectName(QStringLiteral("deleteButton"));
    m_test->setObjectName(QStringLiteral("testButton"));
    m_repair->setObjectName(QStringLiteral("repairButton"));
    m_webPage->setObjectName(QStringLiteral("webPageButton"));
    m_noteButton->setObjectName(QStringLiteral("noteButton"));
    m_health->setObjectName(QStringLiteral("healthLabel"));
}

void ItemGeneralPage::setTester(Tester tester)
{
    m_tester = std::move(tester);
    m_test->setEnabled(bool(m_tester));
}

void ItemGeneralPage::setHealthWarning(const QString& text)
{
    m_health->setText(text);
    m_health->setVisible(!text.isEmpty());
    m_repair->setVisible(!text.isEmpty());
}

void ItemGeneralPage::fillServerList()
{
    m_servers->clear();
    m_servers->addItem(QString::fromLatin1(ServerConfig::kUserDefinedName));
    for (const std::string& name : ServerStore::listServerNames())
        m_servers->addItem(QString::fromStdString(name));
    m_servers->setCurrentIndex(m_servers->findText(m_shownServer, Qt::MatchFixedString));
}

std::string ItemGeneralPage::serverChoice() const
{
    const std::string name = chosenServerName();
    return name.empty() ? ServerConfig::kUserDefinedName : name;
}

void ItemGeneralPage::chooseServer(const std::string& name)
{
    m_shownServer = QString::fromStdString(name.empty() ? ServerConfig::kUserDefinedName : name);
    fillServerList();
    // A name not stored (any more) stays the item's, as when the page opened on it.
    if (m_servers->currentIndex() < 0)
        m_item.server.name = name;
}

void ItemGeneralPage::setOwnRules(const ServerConfig& rules)
{
    const std::string name = m_item.server.name;
    m_item.server = rules;
    m_item.server.name = name;
}

void ItemGeneralPage::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (m_opened)
        return;
    m_opened = true;
    if (m_servers->currentIndex() >= 0)
        return;
    // After the sheet is on screen, so the message stands over it.
    QTimer::singleShot(0, this, [this] {
        MessageDialog::warning(this,
                               QString::fromStdString(ServerStore::missingServerMessage(m_shownServer.toStdString())));
    });
}

std::string ItemGeneralPage::chosenServerName() const
{
    if (m_servers->currentIndex() < 0 || m_servers->currentText().isEmpty())
        return m_item.server.name;
    if (m_servers->currentIndex() == 0)
        return std::string();
    return m_servers->currentText().toStdString();
}

PortfolioItem ItemGeneralPage::currentItem() const
{
    PortfolioItem item = m_item;
    store(item);
    return item;
}

void ItemGeneralPage::store(PortfolioItem& item) const
{
    item.name = m_name->text().toStdString();
    item.symbol = m_symbol->text().toStdString();
    item.note = m_note->toPlainText().toStdString();
    item.server = m_item.server;
    item.server.name = chosenServerName();
}

ServerConfig ItemGeneralPage::currentRules() const
{
    return resolveItemRules(currentItem());
}

void ItemGeneralPage::editNote()
{
    NoteDialog dialog(m_note->toPlainText(), this);
    if (dialog.exec() == QDialog::Accepted)
        m_note->setPlainText(dialog.note());
}

void ItemGeneralPage::deleteServer()
{
    if (m_servers->currentIndex() <= 0 || m_servers->currentText().isEmpty())
        return;
    ServerStore::deleteServerConfig(m_servers->currentText().toStdString());
    fillServerList();
}

void ItemGeneralPage::testUpdate()
{
    const PortfolioItem item = currentItem();
    if (m_tester)
        m_tester(item.name, item.symbol, resolveItemRules(item));
}

void ItemGeneralPage::openWebPage()
{
    const PortfolioItem item = currentItem();
    const auto dated = UrlVariables::substituteDateVariablesNow(resolveItemRules(item).URL, 0);
    const auto url = UrlVariables::substituteItemVariables(dated.text, item.name, item.symbol);
    ExternalViewer::open(this, QUrl::fromUserInput(QString::fromStdString(url.text)));
}
