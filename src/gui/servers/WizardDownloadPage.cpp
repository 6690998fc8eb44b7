// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/servers/WizardDownloadPage.h"

#include "gui/download/HandOverFetcher.h"
#include "gui/servers/AddressField.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

WizardDownloadPage::WizardDownloadPage(const std::string& url, const std::string& itemName, const std::string& symbol,
                                       QWidget* parent)
    : QWidget(parent), m_itemName(itemName), m_symbol(symbol), m_address(new AddressField(this)),
      m_status(new QPlainTextEdit(this)), m_download(new QPushButton(tr("Next     >"), this)),
      m_next(new QPushButton(tr("Next     >"), this)), m_back(new QPushButton(tr("< Back"), this)),
      m_cancel(new QPushButton(tr("Cancel"), this)), m_fetcher(new HandOverFetcher(this))
{
    m_address->setText(QString::fromStdString(url));
    m_address->setMinimumWidth(520);
    m_status->setReadOnly(true);
    m_status->setMaximumHeight(80);
    m_back->setEnabled(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (QPushButton* button : {m_back, m_download, m_next, m_cancel})
        buttons->addWidget(button);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("Quotation web page address:"), this));
    layout->addWidget(m_address);
    auto* notes = new QLabel(tr("Note: if the web page consists of frames, enter the address of the frame which "
                                "shows the quotation (open the frame on its own in the web browser).\n"
                                "The address may hold the variables [&name], [&symbol], [&d], [&dw], [&m], "
                                "[&mstr] and [&y]."),
                             this);
    notes->setWordWrap(true);
    layout->addWidget(notes);
    layout->addWidget(m_status);
    layout->addStretch(1);
    layout->addLayout(buttons);

    connect(m_address, &QLineEdit::textChanged, this, &WizardDownloadPage::showStart);
    connect(m_download, &QPushButton::clicked, this, &WizardDownloadPage::download);
    connect(m_next, &QPushButton::clicked, this, &WizardDownloadPage::proceed);
    connect(m_cancel, &QPushButton::clicked, this, &WizardDownloadPage::cancelled);
    connect(m_fetcher, &HandOverFetcher::statusChanged, this, &WizardDownloadPage::setStatus);
    connect(m_fetcher, &HandOverFetcher::failed, this, [this] { m_download->setEnabled(true); });
    connect(m_fetcher, &HandOverFetcher::loaded, this, [this](DownloadEvent& event) {
        emit loaded(event);
        showLoaded();
    });
    showStart();
    // Tests find the controls by these names.
    m_address->setObjectName(QStringLiteral("addressField"));
    m_download->setObjectName(QStringLiteral("downloadButton"));
    m_next->setObjectName(QStringLiteral("nextButton"));
    m_back->setObjectName(QStringLiteral("backButton"));
    m_cancel->setObjectName(QStringLiteral("cancelButton"));
}

std::string WizardDownloadPage::address() const
{
    return m_address->text().toStdString();
}

QString WizardDownloadPage::statusText() const
{
    return m_status->toPlainText();
}

void WizardDownloadPage::showStart()
{
    m_download->setEnabled(true);
    m_download->show();
    m_download->setDefault(true);
    m_next->hide();
    setStatus(tr("Press next to download the web page"));
}

void WizardDownloadPage::setStatus(const QString& text)
{
    m_status->setPlainText(QString(text).replace(QLatin1String("\r\n"), QLatin1String("\n")));
}

void WizardDownloadPage::download()
{
    m_download->setEnabled(false);
    m_fetcher->start(HandOverDownload::Kind::Wizard, address(), m_itemName, m_symbol);
}

void WizardDownloadPage::showLoaded()
{
    setStatus(tr("The file has been successfully downloaded, the web page is shown in the\r\nweb browser. If the "
                 "page is ok, press next to go to the next step where\r\nyou can configure the quotation "
                 "extraction rules."));
    m_download->hide();
    m_next->show();
    m_next->setDefault(true);
}
