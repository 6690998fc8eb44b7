// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/servers/ServerPresets.h"

#include "core/servers/ServerStore.h"

namespace {

struct PresetRow {
    const char* name;
    const char* url;
    int32_t timeout;
    const char* thousands;
    const char* decimal;
    int32_t format;
    const char* textBeforeValue;
    int32_t tagsBeforeValue;
    int32_t numbersBeforeValue;
};

const char* const kDwsMultipleRegExp = R"re([&symbol]["',\t\r\n]*([0-9,.]+)["',\t\r\n]*([0-9]+).([0-9]+).([0-9]+))re";

// Texts are UTF-8; the two Latin-1 letters of "BR-Yahoo" are stored as those characters.
const PresetRow kRows[] = {
    {"AT-Reiffeisen", "http://www.rcm.at/fonds/kurzInfo.asp?sessionID=&Wpknr=[&symbol]&back=nein", 120, ".", ",", 1,
     "R&uuml;cknahmepreis aktuell:", 4, 0},
    {"AT-Wiener Boerse", "http://www.wienerborse.at/default.asp?action=markets_equity", 180, ".", ",", 2, "[&name]", 0,
     0},
    {"AU-Yahoo", "http://au.finance.yahoo.com/q?m=a&s=[&symbol]&d=t", 180, ",", ".", 1, "Last Trade", 2, 0},
    {"BR-Yahoo", "http://br.finance.yahoo.com/q?m=s&s=[&symbol]&d=t", 180, ",", ".", 1, "Últ transa&ccedil;ão", 2, 0},
    {"CH-SWX", "http://www.swx.com/market/swissshares_en.html", 240, "", ".", 1, "[&symbol]", 1, 0},
    {"DE-DWS", "http://www.dws.de/priceoverview/servlet/priceoverview?serverid=2&languageid=de&rowid=-1&page=0", 180,
     ".", ",", 2, "[&symbol]", 0, 0},
    {"DE-DWS (Multiple)", "http://www.dws.de/aktuell/dws[&dw].asc", 180, ".", ",", 0, "[&symbol]\",\"", 0, 0},
    {"DE-DB Devisen",
     "http://www.deutsche-bank.de/pbc/is-asp/oic/mace0837.html?eCrmLink=int;from-%FROM%-Q-navigation-PBCde;to-%TO%&",
     120, "", ",", 1, "&nbsp;[&symbol]", 5, 0},
    {"DE-Yahoo Finanzen", "http://de.finance.yahoo.com/q?m=*&s=[&symbol]&d=t", 90, ".", ",", 1, "Letzter Kurs", 3, 0},
    {"DE-Deka",
     "http://www.deka.de/de/fondsprodukte/fondsauswahl/fo_daten_1.html?auswahl_branche=-1&auswahl_region=-1"
     "&fcsd=[&symbol]&auswahl_sortieren=name&auswahl_ausgabeaufschlag=Alle&x=59&y=8&auswahl_kategorie=-1",
     120, "", ".", 2, "[&symbol]", 0, 1},
    {"DE-Union Investment",
     "http://www.union-investment.de/produkte/fonds/tabellentool/static_html/fonds_fpreise_4_1.html", 180, "", ",", 2,
     "[&symbol]", 0, 1},
    {"FR-Yahoo Finance", "http://fr.finance.yahoo.com/quotes/fr/quote?symbols=[&symbol]&market=*&d=t", 180, ".", ",", 1,
     "Dern. Cours", 3, 0},
    {"ES-Yahoo Finanzas", "http://es.finance.yahoo.com/q?s=[&symbol]&d=2b", 180, ",", ".", 1,
     "&Uacute;ltima transacci&oacute", 3, 0},
    {"IT-Yahoo Finanza Milano", "http://it.finance.yahoo.com/quotes/it/quote?symbols=[&symbol]&market=MI&detailed=t",
     120, " ", ".", 1, "Ultima trattazione", 3, 0},
    {"PT-BVL", "", 120, "", ".", 2, "Fecho", 0, 0},
    {"UK-Yahoo Finance", "http://uk.finance.yahoo.com/quotes/ukie/quote?s=[&symbol]&market=*&d=t", 120, ",", ".", 1,
     "Last Trade", 2, 0},
    {"US-Yahoo", "http://finance.yahoo.com/q?s=[&symbol]&d=t", 180, ",", ".", 1, "Last Trade:", 4, 0},
    {"Yahoo International Indices", "http://finance.yahoo.com/q?s=[&symbol]&d=t", 180, ",", ".", 1, "Index Value:", 4,
     0},
};

ServerConfig fromRow(const PresetRow& row)
{
    ServerConfig config;
    config.name = row.name;
    config.URL = row.url;
    config.Timeout = row.timeout;
    config.TAUSEND = row.thousands;
    config.DECIMAL = row.decimal;
    config.Format = row.format;
    config.Text_before_Value = row.textBeforeValue;
    config.Nr_HTML_before_Value = row.tagsBeforeValue;
    config.Numbers_before_Value = row.numbersBeforeValue;
    if (config.name == "DE-DWS (Multiple)") {
        config.Filtering = 1;
        config.bRegExpExtractDate = 1;
        config.RegExp = kDwsMultipleRegExp;
    }
    return config;
}

} // namespace

namespace ServerPresets {

const std::vector<ServerConfig>& presets()
{
    static const std::vector<ServerConfig> table = [] {
        std::vector<ServerConfig> configs;
        for (const PresetRow& row : kRows)
            configs.push_back(fromRow(row));
        return configs;
    }();
    return table;
}

bool installServerPresets()
{
    if (ServerStore::presetsAreCurrent())
        return true;
    bool allStored = true;
    for (const ServerConfig& preset : presets())
        allStored = ServerStore::writeServerConfig(preset.name, preset).isOk() && allStored;
    if (allStored && ServerStore::storedPresetVersion() < ServerStore::kServerPresetVersion)
        ServerStore::storePresetVersion(ServerStore::kServerPresetVersion);
    return allStored;
}

} // namespace ServerPresets
