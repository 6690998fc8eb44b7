// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/servers/ServerLinkFields.h"

#include "core/base/NumberInput.h"
#include "core/servers/ServerLinks.h"
#include "core/servers/ServerStore.h"
#include "gui/widgets/MessageDialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include <cmath>

namespace {

QString percentShown(int32_t hundredths)
{
    return QLocale().toString(hundredths / 100.0, 'g', 6);
}

} // namespace

ServerLinkFields::ServerLinkFields(const ServerConfig& config, const std::string& serverName, QWidget* parent)
    : QWidget(parent), m_shown(config), m_shownName(serverName)
{
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_fallback = serverList(config.Fallback);
    setObjectName(QStringLiteral("serverLinkFields"));
    m_fallback->setObjectName("fallbackServer");
    m_crossCheck = serverList(config.CrossCheck);
    m_crossCheck->setObjectName("crossCheckServer");
    m_percent = new QLineEdit(percentShown(config.CrossCheckPercent), this);
    m_percent->setObjectName("crossCheckPercent");
    m_percent->setMaximumWidth(80);
    m_percent->setToolTip(tr("How far the two results may differ (0.1 to 100 %)"));
    layout->addWidget(new QLabel(tr("Fallback server:"), this), 0, 0);
    layout->addWidget(m_fallback, 0, 1);
    layout->addWidget(new QLabel(tr("Cross-check with:"), this), 1, 0);
    layout->addWidget(m_crossCheck, 1, 1);
    layout->addWidget(m_percent, 1, 2);
    layout->addWidget(new QLabel(tr("%"), this), 1, 3);
    layout->setColumnStretch(1, 1);
}

QComboBox* ServerLinkFields::serverList(const std::string& chosen)
{
    auto* list = new QComboBox(this);
    // The first entry stands for no server, whatever its text.
    list->addItem(tr("-- none --"));
    for (const std::string& name : ServerStore::listServerNames())
        list->addItem(QString::fromStdString(name));
    // A server deleted since it was chosen stays until another choice is made.
    if (!chosen.empty() && list->findText(QString::fromStdString(chosen), Qt::MatchExactly) < 0)
        list->addItem(QString::fromStdString(chosen));
    list->setCurrentIndex(chosen.empty() ? 0 : list->findText(QString::fromStdString(chosen), Qt::MatchExactly));
    return list;
}

void ServerLinkFields::enableFor(const std::string& serverName)
{
    setEnabled(serverName != ServerConfig::kUserDefinedName);
}

std::string ServerLinkFields::chosenServer(const QComboBox* list) const
{
    return list->currentIndex() <= 0 ? std::string() : list->currentText().toStdString();
}

void ServerLinkFields::refuse(QWidget* field, const std::string& message)
{
    MessageDialog::warning(this, QString::fromStdString(message));
    field->setFocus();
}

bool ServerLinkFields::takeOver(const std::string& serverName, ServerConfig& config)
{
    if (serverName == ServerConfig::kUserDefinedName) {
        config.Fallback.clear();
        config.CrossCheck.clear();
        return true;
    }
    ServerConfig linked = config;
    linked.Fallback = chosenServer(m_fallback);
    linked.CrossCheck = chosenServer(m_crossCheck);
    const Result<double> percent = readNumber(m_percent->text().trimmed().toStdString(), 0.1, 100);
    if (!percent) {
        refuse(m_percent, percent.message());
        return false;
    }
    linked.CrossCheckPercent = static_cast<int32_t>(std::lround(*percent * 100));
    const bool changed =
        linked.Fallback != m_shown.Fallback || linked.CrossCheck != m_shown.CrossCheck || serverName != m_shownName;
    const ServerLinks::ServerLookup lookup = ServerLinks::storeLookup();
    if (const Status checked = ServerLinks::check(serverName, linked, lookup); changed && !checked) {
        ServerConfig fallbackOnly = linked;
        fallbackOnly.CrossCheck.clear();
        refuse(ServerLinks::check(serverName, fallbackOnly, lookup) ? m_crossCheck : m_fallback, checked.message());
        return false;
    }
    config.Fallback = linked.Fallback;
    config.CrossCheck = linked.CrossCheck;
    config.CrossCheckPercent = linked.CrossCheckPercent;
    return true;
}
