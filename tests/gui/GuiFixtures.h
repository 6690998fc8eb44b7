#pragma once

#include "model/CWPapierDoc.h"

#include <string>

// An item that reads its quotation from `url` after the text `symbol`, numbers written "9999.99".
inline CWPapier pageItem(const std::string& name, const std::string& symbol, const std::string& url)
{
    CWPapier item = CWPapier::newItem(name, 1700000000, 1);
    item.symbol = symbol;
    item.server.name.clear();
    item.server.URL = url;
    item.server.Timeout = 30;
    item.server.Format = 0;
    item.server.Filtering = 0;
    item.server.Text_before_Value = "[&symbol]";
    item.server.TAUSEND = "";
    item.server.DECIMAL = ".";
    return item;
}
