// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/download/DownloadsWindow.h"

#include "core/settings/SettingsStore.h"
#include "render/ListIcons.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QScrollBar>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int kImageRole = Qt::UserRole + 1;
constexpr int kItemRole = Qt::UserRole + 2;
// A fallback or cross-check download of an item has a row of its own.
constexpr int kServerRole = Qt::UserRole + 3;

QString serverOf(const DownloadEvent& event)
{
    return QString::fromStdString(event.followUp.server);
}

QString rowName(const DownloadEvent& event)
{
    const QString name = QString::fromStdString(event.itemName);
    if (event.followUp.server.empty())
        return name;
    return event.followUp.crossCheck ? DownloadsWindow::tr("%1 (cross-check %2)").arg(name, serverOf(event))
                                     : DownloadsWindow::tr("%1 (fallback %2)").arg(name, serverOf(event));
}

QList<int> parseColumns(const QString& text)
{
    const QStringList pieces = text.split(QLatin1Char(','));
    QList<int> widths;
    for (const QString& piece : pieces) {
        bool ok = false;
        const int width = piece.trimmed().toInt(&ok);
        if (!ok || width < 0)
            return {};
        widths << width;
    }
    return widths.size() == 3 ? widths : QList<int>();
}

// The longest status texts a row commonly shows.
QStringList longStatusTexts()
{
    DownloadEvent implausible;
    implausible.kind = DownloadEventKind::Implausible;
    implausible.quotation = Quotation{0, 99999.9999};
    implausible.lastValue = 99999.9999;
    DownloadEvent waiting;
    waiting.kind = DownloadEventKind::Waiting;
    waiting.seconds = 600;
    return {QString::fromStdString(implausible.statusText()), QString::fromStdString(waiting.statusText())};
}

int widestText(const QFontMetrics& metrics, const QStringList& texts)
{
    int widest = 0;
    for (const QString& text : texts)
        widest = std::max(widest, metrics.horizontalAdvance(text));
    return widest;
}

} // namespace

DownloadsWindow::DownloadsWindow(QWidget* parent)
    : QDialog(parent), m_list(new QTreeWidget(this)), m_hide(new QPushButton(tr("&Hide"), this)),
      m_abort(new QPushButton(tr("&Abort Downloads"), this))
{
    setWindowTitle(tr("Downloads"));
    setModal(false);
    for (int i = 0; i < ListIcons::kDownloadIconCount; ++i)
        m_images[size_t(i)] = QIcon(QPixmap::fromImage(ListIcons::downloadStateIcon(i, devicePixelRatio())));
    m_list->setRootIsDecorated(false);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setHeaderLabels({tr("Job"), tr("Item"), tr("Status")});
    m_list->header()->setSectionsMovable(true);
    readColumns();
    m_hide->setDefault(true);
    m_abort->setEnabled(false);
    connect(m_hide, &QPushButton::clicked, this, &QDialog::hide);
    connect(m_abort, &QPushButton::clicked, this, &DownloadsWindow::abortRequested);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_abort);
    buttons->addWidget(m_hide);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addLayout(buttons);
    fitSize();
    m_abort->setObjectName(QStringLiteral("abortButton"));
}

void DownloadsWindow::readColumns()
{
    // The stored default widths were made for another font; widths measured in this one replace them.
    const QString stored = SettingsStore::value(SettingsKey::ConnectionColumns).toString();
    const bool isDefault = stored == SettingsKeys::entry(SettingsKey::ConnectionColumns).fallback.toString();
    QList<int> widths = isDefault ? QList<int>() : parseColumns(stored);
    if (widths.isEmpty())
        widths = fittedColumns();
    for (int column = 0; column < 3; ++column)
        m_list->setColumnWidth(column, widths[column]);
}

QList<int> DownloadsWindow::fittedColumns() const
{
    const QFontMetrics metrics(m_list->font());
    // The icon, the cell's margins and the header's sort mark.
    const int extra = m_list->iconSize().width() + 4 * metrics.averageCharWidth();
    const QStringList headers = {m_list->headerItem()->text(0), m_list->headerItem()->text(1),
                                 m_list->headerItem()->text(2)};
    return {extra + widestText(metrics, {headers[0], QStringLiteral("9999")}),
            extra + std::max(widestText(metrics, {headers[1]}), 24 * metrics.averageCharWidth()),
            extra + widestText(metrics, QStringList(headers[2]) + longStatusTexts())};
}

void DownloadsWindow::fitSize()
{
    int columns = 0;
    for (int column = 0; column < 3; ++column)
        columns += m_list->columnWidth(column);
    const QMargins margins = layout()->contentsMargins();
    const int width = columns + m_list->verticalScrollBar()->sizeHint().width() + 2 * m_list->frameWidth() +
        margins.left() + margins.right();
    resize(std::max(width, sizeHint().width()), m_list->fontMetrics().lineSpacing() * 16);
}

void DownloadsWindow::saveColumns() const
{
    SettingsStore::setValue(
        SettingsKey::ConnectionColumns,
        QStringLiteral("%1,%2,%3").arg(m_list->columnWidth(0)).arg(m_list->columnWidth(1)).arg(m_list->columnWidth(2)));
}

void DownloadsWindow::setOptions(bool downloadStatus)
{
    m_downloadStatus = downloadStatus;
}

void DownloadsWindow::setDocumentTitle(const QString& title, bool aborting)
{
    setWindowTitle(aborting ? tr("[%1] - Abort downloads...").arg(title) : tr("[%1] - Downloads").arg(title));
}

void DownloadsWindow::setAbortEnabled(bool enabled)
{
    m_abort->setEnabled(enabled);
}

QTreeWidgetItem* DownloadsWindow::rowFor(const DownloadEvent& event) const
{
    if (!event.itemRef)
        return nullptr;
    for (int row = 0; row < m_list->topLevelItemCount(); ++row) {
        QTreeWidgetItem* item = m_list->topLevelItem(row);
        if (item->data(0, kItemRole).toULongLong() == *event.itemRef && item->data(0, kServerRole) == serverOf(event))
            return item;
    }
    return nullptr;
}

void DownloadsWindow::setImage(QTreeWidgetItem* row, int image)
{
    row->setIcon(0, m_images[size_t(image)]);
    row->setData(0, kImageRole, image);
}

void DownloadsWindow::showDownloadEvent(const DownloadEvent& event)
{
    QTreeWidgetItem* row = rowFor(event);
    const QString status = event.kind == DownloadEventKind::WaitingForMemory
        ? tr("Waiting for memory...")
        : QString::fromStdString(event.statusText());
    switch (event.kind) {
    case DownloadEventKind::Started:
        delete row;
        // Numbering starts again whenever the window has emptied.
        if (m_list->topLevelItemCount() == 0)
            m_startedJobs = 0;
        row = new QTreeWidgetItem(m_list, {QString::number(++m_startedJobs), rowName(event), status});
        row->setData(0, kItemRole, QVariant::fromValue<qulonglong>(event.itemRef.value_or(0)));
        row->setData(0, kServerRole, serverOf(event));
        setImage(row, 0);
        return;
    case DownloadEventKind::Result:
        delete row;
        if (m_list->topLevelItemCount() == 0 && m_downloadStatus)
            hide();
        return;
    default:
        break;
    }
    if (!row)
        return;
    row->setText(2, status);
    switch (event.kind) {
    case DownloadEventKind::Connecting:
    case DownloadEventKind::Waiting:
    case DownloadEventKind::WaitingForMemory:
        setImage(row, 1);
        break;
    case DownloadEventKind::Connected:
        setImage(row, 2);
        break;
    case DownloadEventKind::Progress:
        if (row->data(0, kImageRole).toInt() != 3)
            setImage(row, 3);
        break;
    default:
        setImage(row, 4);
        break;
    }
}

void DownloadsWindow::clearRows()
{
    m_list->clear();
}

int DownloadsWindow::rowCount() const
{
    return m_list->topLevelItemCount();
}

QString DownloadsWindow::statusTextOf(int row) const
{
    return m_list->topLevelItem(row)->text(2);
}

QString DownloadsWindow::jobNumberOf(int row) const
{
    return m_list->topLevelItem(row)->text(0);
}

QString DownloadsWindow::itemNameOf(int row) const
{
    return m_list->topLevelItem(row)->text(1);
}

int DownloadsWindow::imageOf(int row) const
{
    return m_list->topLevelItem(row)->data(0, kImageRole).toInt();
}
