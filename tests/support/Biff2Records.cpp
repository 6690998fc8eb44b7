// SPDX-License-Identifier: GPL-3.0-or-later
#include "Biff2Records.h"

#include <cstring>

uint16_t biffWord(const std::string& data, size_t at)
{
    return static_cast<uint16_t>(static_cast<unsigned char>(data[at]) |
                                 (static_cast<unsigned char>(data[at + 1]) << 8));
}

bool parseBiff2(const std::string& bytes, std::vector<Biff2Record>& records)
{
    records.clear();
    size_t at = 0;
    while (at + 4 <= bytes.size()) {
        Biff2Record record;
        record.type = biffWord(bytes, at);
        const size_t length = biffWord(bytes, at + 2);
        if (at + 4 + length > bytes.size())
            return false;
        record.data = bytes.substr(at + 4, length);
        records.push_back(record);
        at += 4 + length;
    }
    return at == bytes.size();
}

std::map<std::pair<int, int>, Biff2Cell> biff2Cells(const std::vector<Biff2Record>& records)
{
    std::map<std::pair<int, int>, Biff2Cell> cells;
    for (const Biff2Record& record : records) {
        if ((record.type != 0x0003 && record.type != 0x0004) || record.data.size() < 8)
            continue;
        Biff2Cell cell;
        cell.type = record.type;
        std::memcpy(cell.attributes, record.data.data() + 4, 3);
        if (record.type == 0x0003 && record.data.size() == 15) {
            uint64_t bits = 0;
            for (int i = 7; i >= 0; --i)
                bits = (bits << 8) | static_cast<unsigned char>(record.data[7 + i]);
            std::memcpy(&cell.number, &bits, sizeof bits);
        } else if (record.type == 0x0004) {
            cell.text = record.data.substr(8, static_cast<unsigned char>(record.data[7]));
        }
        cells[{biffWord(record.data, 0), biffWord(record.data, 2)}] = cell;
    }
    return cells;
}
