// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/importexport/ImportDialog.h"

#include "core/base/TempFiles.h"
#include "core/download/DownloadEvent.h"
#include "core/importexport/ImportLocation.h"
#include "core/servers/SeparatorFormat.h"
#include "gui/download/HandOverFetcher.h"
#include "gui/importexport/ImportLocationDialog.h"
#include "gui/widgets/ExternalViewer.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace {

// Price files as common sources write them: the header line the user recognises, and its format.
struct CommonLayout {
    const char* header;
    const char* format;
};

constexpr CommonLayout kCommonLayouts[] = {
    {"Date,Open,High,Low,Close", "[&year]-[&month]-[&day],[&dummyvalue],[&dummyvalue],[&dummyvalue],[&value]"},
    {"Date,Close", "[&year]-[&month]-[&day],[&value]"},
    {"Date Time,Close", "[&year]-[&month]-[&day] [&hour]:[&minute],[&value]"},
    {"Date,Open,High,Low,Close (MM/DD/YYYY)",
     "[&month]/[&day]/[&year],[&dummyvalue],[&dummyvalue],[&dummyvalue],[&value]"},
    {"Datum;Er\u00f6ffnung;Hoch;Tief;Schluss",
     "[&day]\\.[&month]\\.[&year];[&dummyvalue];[&dummyvalue];[&dummyvalue];[&value]"},
    {"Date,Open,High,Low,Close,Volume,Adj Close",
     "[&year]-[&month]-[&day],[&dummyvalue],[&dummyvalue],[&dummyvalue],[&dummyvalue],[&dummyvalue],[&value]"},
};

} // namespace

ImportDialog::ImportDialog(const std::string& itemName, const std::string& symbol, const ImportSettings& settings,
                           QWidget* parent)
    : QDialog(parent), m_itemName(itemName), m_symbol(symbol), m_settings(settings), m_address(new QLineEdit(this)),
      m_locationButton(new QPushButton(tr("..."), this)), m_separators(new QComboBox(this)),
      m_caseInsensitive(new QCheckBox(tr("Case insensitive"), this)), m_format(new QLineEdit(this)),
      m_layouts(new QListWidget(this)), m_status(new QLineEdit(this)), m_read(new QPushButton(tr("Read file"), this)),
      m_view(new QPushButton(tr("View file in Notepad"), this)), m_ok(new QPushButton(tr("OK"), this)),
      m_fetcher(new HandOverFetcher(this))
{
    setWindowTitle(tr("Import quotations for \"%1\"").arg(QString::fromStdString(itemName)));
    m_address->setText(QString::fromStdString(settings.address));
    m_address->setMinimumWidth(m_address->fontMetrics().averageCharWidth() * 60);
    for (const char* sample : SeparatorFormat::kSamples)
        m_separators->addItem(QString::fromLatin1(sample));
    m_separators->setCurrentIndex(SeparatorFormat::indexOf(settings.thousands, settings.decimal));
    m_caseInsensitive->setChecked(settings.caseInsensitive);
    m_format->setText(QString::fromStdString(settings.format));
    // A long format shows its beginning, where the date is.
    m_format->setCursorPosition(0);
    for (const CommonLayout& layout : kCommonLayouts) {
        auto* row = new QListWidgetItem(QString::fromUtf8(layout.header), m_layouts);
        row->setData(Qt::UserRole, QString::fromLatin1(layout.format));
        row->setToolTip(QString::fromLatin1(layout.format));
    }
    m_layouts->setMaximumHeight(m_layouts->sizeHintForRow(0) * 4 + 2 * m_layouts->frameWidth());
    m_status->setReadOnly(true);
    auto* cancel = new QPushButton(tr("Cancel"), this);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(tr("URL or local file path:"), this), 0, 0, 1, 2);
    grid->addWidget(m_address, 1, 0);
    grid->addWidget(m_locationButton, 1, 1);
    grid->addWidget(new QLabel(tr("Thousands/decimal separator format:"), this), 2, 0);
    grid->addWidget(m_separators, 3, 0);
    grid->addWidget(m_caseInsensitive, 4, 0);
    grid->addWidget(new QLabel(tr("File format:"), this), 5, 0);
    grid->addWidget(m_format, 6, 0, 1, 2, Qt::AlignTop);
    grid->addWidget(new QLabel(tr("Common layouts:"), this), 5, 2);
    grid->addWidget(m_layouts, 6, 2);
    auto* notes = new QLabel(tr("Use the place holders [&day], [&month], [&year], [&hour], [&minute] and [&value] to "
                                "specify quotation date/time and value position/format. Regular expressions are "
                                "also allowed in the format definition.\n\nYou can use the place holder "
                                "[&dummyvalue] to specify values to be skipped (e.g. high/low quotation, "
                                "etc.).\nThe place holder [&symbol] can be used to match selected the item's "
                                "symbol."),
                             this);
    notes->setWordWrap(true);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {m_read, m_view})
        buttons->addWidget(button);
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(notes);
    layout->addWidget(m_status);
    layout->addLayout(buttons);

    connect(m_address, &QLineEdit::textChanged, this, &ImportDialog::showReading);
    connect(m_layouts, &QListWidget::itemClicked, this, &ImportDialog::chooseLayout);
    connect(m_locationButton, &QPushButton::clicked, this, &ImportDialog::chooseLocation);
    connect(m_read, &QPushButton::clicked, this, &ImportDialog::readFile);
    connect(m_view, &QPushButton::clicked, this, &ImportDialog::viewFile);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_fetcher, &HandOverFetcher::statusChanged, m_status, &QLineEdit::setText);
    connect(m_fetcher, &HandOverFetcher::failed, this, [this] {
        m_read->setEnabled(true);
        m_read->show();
        m_ok->hide();
        m_view->setEnabled(false);
    });
    connect(m_fetcher, &HandOverFetcher::loaded, this, &ImportDialog::takeFile);
    // A file read before (the dialog shown again after a declined import) stays loaded.
    if (!m_settings.loadedFile.empty() && QFile::exists(QString::fromStdString(m_settings.loadedFile)))
        showLoaded();
    else
        showReading();
    // Tests find the controls by these names.
    m_address->setObjectName(QStringLiteral("addressField"));
    m_locationButton->setObjectName(QStringLiteral("locationButton"));
    m_separators->setObjectName(QStringLiteral("separatorList"));
    m_caseInsensitive->setObjectName(QStringLiteral("caseInsensitiveBox"));
    m_format->setObjectName(QStringLiteral("formatField"));
    m_layouts->setObjectName(QStringLiteral("layoutList"));
    m_status->setObjectName(QStringLiteral("statusLine"));
    m_read->setObjectName(QStringLiteral("readButton"));
    m_view->setObjectName(QStringLiteral("viewButton"));
    m_ok->setObjectName(QStringLiteral("okButton"));
}

void ImportDialog::takeOverFields(ImportSettings& settings) const
{
    settings.address = m_address->text().toStdString();
    SeparatorFormat::pairFor(m_separators->currentIndex(), settings.thousands, settings.decimal);
    settings.caseInsensitive = m_caseInsensitive->isChecked();
    settings.format = m_format->text().toStdString();
}

ImportSettings ImportDialog::settings() const
{
    ImportSettings settings = m_settings;
    takeOverFields(settings);
    return settings;
}

void ImportDialog::chooseLocation()
{
    ImportLocationDialog dialog(m_settings, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const std::string loaded = m_settings.loadedFile;
    m_settings = dialog.settings();
    m_settings.loadedFile = loaded;
    m_address->setText(QString::fromStdString(m_settings.address));
}

void ImportDialog::chooseLayout(QListWidgetItem* layout)
{
    m_format->setText(layout->data(Qt::UserRole).toString());
    m_format->setCursorPosition(0);
}

void ImportDialog::readFile()
{
    takeOverFields(m_settings);
    m_read->setEnabled(false);
    m_fetcher->start(HandOverDownload::Kind::Raw, ImportLocation::readAddress(m_settings.address), m_itemName,
                     m_symbol);
}

void ImportDialog::takeFile(DownloadEvent& event)
{
    if (!m_settings.loadedFile.empty())
        QFile::remove(QString::fromStdString(m_settings.loadedFile));
    // The import command deletes it once the import is over.
    m_settings.loadedFile = TempFiles::rename(std::move(event.rawFile), ".txt").release();
    m_status->setText(tr("The file has been successfully loaded. Press ok to import quotations."));
    showLoaded();
}

void ImportDialog::showReading()
{
    m_read->setEnabled(true);
    m_read->show();
    m_ok->hide();
    m_view->setEnabled(false);
    m_status->clear();
}

void ImportDialog::showLoaded()
{
    m_read->hide();
    m_ok->show();
    m_ok->setDefault(true);
    m_view->setEnabled(true);
}

void ImportDialog::viewFile()
{
    if (!m_settings.loadedFile.empty())
        ExternalViewer::open(this, QUrl::fromLocalFile(QString::fromStdString(m_settings.loadedFile)));
}
