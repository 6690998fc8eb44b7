// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/PortfolioDocument.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>

// Writes the benchmark data: a portfolio of ITEMS items with QUOTES quotations each, the same
// quotations as packed 12-byte records (int32 time, double value) and as CSV rows for sqlite3.
int main(int argc, char** argv)
{
    if (argc != 6) {
        std::cerr << "usage: bench_portfolio_make ITEMS QUOTES OUT.tkr OUT.bin OUT.csv\n";
        return 2;
    }
    const int items = std::atoi(argv[1]);
    const int quotes = std::atoi(argv[2]);
    PortfolioDocument doc;
    doc.newPortfolio();
    std::ofstream packed(argv[4], std::ios::binary);
    std::ofstream csv(argv[5]);
    const time_t start = 946684800;
    for (int i = 0; i < items; ++i) {
        PortfolioItem item = PortfolioItem::newItem("Item " + std::to_string(i), start, i);
        item.symbol = "SYM" + std::to_string(i);
        item.quantity = i % 3;
        item.avgBuyPrice = 10 + i % 7;
        item.quotations.reserve(quotes);
        for (int k = 0; k < quotes; ++k) {
            const Quotation record{start + k * 3600 * 6, 10 + (i * 31 + k * 17) % 1000 / 10.0};
            item.quotations.push_back(record);
            const int32_t time = static_cast<int32_t>(record.time);
            packed.write(reinterpret_cast<const char*>(&time), 4);
            packed.write(reinterpret_cast<const char*>(&record.value), 8);
            csv << i << ',' << record.time << ',' << record.value << '\n';
        }
        doc.addItem(std::move(item));
    }
    if (const Status saved = doc.savePortfolio(argv[3]); !saved) {
        std::cerr << saved.message() << '\n';
        return 1;
    }
    return 0;
}
