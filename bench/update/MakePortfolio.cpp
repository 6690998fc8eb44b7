// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/PortfolioDocument.h"

#include <cstdlib>
#include <iostream>
#include <string>

// Writes a portfolio of COUNT items, item i (from 1) with its own rules on page BASE/p<i>.html.
int main(int argc, char** argv)
{
    if (argc != 4) {
        std::cerr << "usage: bench_update_make COUNT BASE OUT.tkr\n";
        return 2;
    }
    const int count = std::atoi(argv[1]);
    const std::string base = argv[2];
    PortfolioDocument doc;
    doc.newPortfolio();
    for (int i = 1; i <= count; ++i) {
        PortfolioItem item = PortfolioItem::newItem("Item " + std::to_string(i), 946684800, 0);
        item.server.name = ServerConfig::kUserDefinedName;
        item.server.URL = base + "/p" + std::to_string(i) + ".html";
        item.server.Text_before_Value = "Price";
        item.server.Format = 0;
        item.server.TAUSEND = "";
        item.server.DECIMAL = ".";
        item.server.Timeout = 30;
        doc.addItem(std::move(item));
    }
    if (const Status saved = doc.savePortfolio(argv[3]); !saved) {
        std::cerr << saved.message() << '\n';
        return 1;
    }
    return 0;
}
