// SPDX-License-Identifier: GPL-3.0-or-later
#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

// The floor for a Qt window: reads packed 12-byte records (int32 time, double value), QUOTES to an item,
// and shows a main window with a menu bar, a toolbar, a 9-column tree of one row per item and a status bar,
// quitting after the tree's first paint.
namespace {

struct ItemSummary {
    int32_t firstTime = 0;
    int32_t lastTime = 0;
    double first = 0;
    double previous = 0;
    double last = 0;
    double low = 0;
    double high = 0;
};

std::vector<ItemSummary> readItems(const char* path, long quotesPerItem)
{
    std::vector<ItemSummary> items;
    std::FILE* file = std::fopen(path, "rb");
    if (!file)
        return items;
    std::vector<char> records(static_cast<size_t>(quotesPerItem) * 12);
    while (std::fread(records.data(), 1, records.size(), file) == records.size()) {
        ItemSummary item;
        for (long k = 0; k < quotesPerItem; ++k) {
            int32_t time = 0;
            double value = 0;
            std::memcpy(&time, records.data() + k * 12, 4);
            std::memcpy(&value, records.data() + k * 12 + 4, 8);
            if (k == 0) {
                item.firstTime = time;
                item.first = item.low = item.high = value;
            }
            item.previous = item.last;
            item.last = value;
            item.lastTime = time;
            item.low = std::min(item.low, value);
            item.high = std::max(item.high, value);
        }
        items.push_back(item);
    }
    std::fclose(file);
    return items;
}

class FirstPaintQuit : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool m_seen = false;
};

void addMenus(QMainWindow& window, QToolBar& toolBar)
{
    QStyle* style = window.style();
    QMenu* file = window.menuBar()->addMenu(QStringLiteral("&File"));
    toolBar.addAction(file->addAction(style->standardIcon(QStyle::SP_FileIcon), QStringLiteral("&New")));
    toolBar.addAction(file->addAction(style->standardIcon(QStyle::SP_DirOpenIcon), QStringLiteral("&Open...")));
    toolBar.addAction(file->addAction(style->standardIcon(QStyle::SP_DialogSaveButton), QStringLiteral("&Save")));
    file->addSeparator();
    file->addAction(QStringLiteral("E&xit"), &window, &QWidget::close);
    QMenu* edit = window.menuBar()->addMenu(QStringLiteral("&Edit"));
    edit->addAction(QStringLiteral("Cu&t"));
    edit->addAction(QStringLiteral("&Copy"));
    edit->addAction(QStringLiteral("&Paste"));
    window.menuBar()->addMenu(QStringLiteral("&View"))->addAction(QStringLiteral("&Refresh"));
    window.menuBar()->addMenu(QStringLiteral("&Help"))->addAction(QStringLiteral("&About"));
}

void fillTree(QTreeWidget& tree, const std::vector<ItemSummary>& items)
{
    tree.setColumnCount(9);
    tree.setHeaderLabels({QStringLiteral("Name"), QStringLiteral("Date"), QStringLiteral("Last"),
                          QStringLiteral("Change"), QStringLiteral("Change %"), QStringLiteral("First"),
                          QStringLiteral("Low"), QStringLiteral("High"), QStringLiteral("Quotations")});
    QList<QTreeWidgetItem*> rows;
    rows.reserve(static_cast<qsizetype>(items.size()));
    for (size_t i = 0; i < items.size(); ++i) {
        const ItemSummary& item = items[i];
        const double change = item.last - item.previous;
        rows.append(new QTreeWidgetItem(
            QStringList{QStringLiteral("Item %1").arg(i), QString::number(item.lastTime),
                        QString::number(item.last, 'f', 2), QString::number(change, 'f', 2),
                        QString::number(item.previous != 0 ? change / item.previous * 100 : 0, 'f', 2),
                        QString::number(item.first, 'f', 2), QString::number(item.low, 'f', 2),
                        QString::number(item.high, 'f', 2), QString::number(item.lastTime - item.firstTime)}));
    }
    tree.addTopLevelItems(rows);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fputs("usage: bench_gui_reference RECORDS.bin QUOTES-PER-ITEM\n", stderr);
        return 2;
    }
    const std::vector<ItemSummary> items = readItems(argv[1], std::atol(argv[2]));
    QApplication app(argc, argv);
    QMainWindow window;
    auto* toolBar = window.addToolBar(QStringLiteral("Toolbar"));
    addMenus(window, *toolBar);
    auto* tree = new QTreeWidget(&window);
    tree->setRootIsDecorated(false);
    fillTree(*tree, items);
    window.setCentralWidget(tree);
    window.statusBar()->showMessage(QStringLiteral("%1 items").arg(items.size()));
    tree->viewport()->installEventFilter(new FirstPaintQuit(&window));
    window.resize(1000, 700);
    window.show();
    return app.exec();
}
