// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

// Reads a BIFF2 file back into records and cells, independently of the writer.
struct Biff2Record {
    uint16_t type = 0;
    std::string data;
};

struct Biff2Cell {
    uint16_t type = 0; // 0x0003 number, 0x0004 label
    double number = 0.0;
    std::string text;
    uint8_t attributes[3] = {0, 0, 0};
};

// False when the bytes do not split exactly into records.
bool parseBiff2(const std::string& bytes, std::vector<Biff2Record>& records);
uint16_t biffWord(const std::string& data, size_t at);
// Cells of the NUMBER and LABEL records by (row, column).
std::map<std::pair<int, int>, Biff2Cell> biff2Cells(const std::vector<Biff2Record>& records);
