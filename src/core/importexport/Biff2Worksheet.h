// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// A worksheet in the Excel 2.x (BIFF2) file format: rows of number and text cells.
class Biff2Worksheet {
public:
    static constexpr size_t kMaxLabelBytes = 255;
    static constexpr int kMaxIndex = 0xFFFF; // rows and columns are 16-bit in the file

    class Cell {
    public:
        enum Kind { Empty = 0, Number = 1, Text = 2 };

        void setNumber(double number);
        // `text` is UTF-8; the file holds it in Windows-1252.
        void setText(const std::string& text);
        // Font 0 regular, 1 bold, 2 italic, 3 underlined.
        void setFontIndex(int font);

        Kind kind() const { return m_kind; }
        double number() const { return m_number; }
        const std::string& text() const { return m_text; }
        const std::array<uint8_t, 3>& attributes() const { return m_attributes; }

    private:
        Kind m_kind = Empty;
        double m_number = 0.0;
        std::string m_text;
        std::array<uint8_t, 3> m_attributes = {0, 0, 0};
    };

    // The cell at row `row`, column `column` (both from 0); the sheet grows to hold it.
    Cell& cell(int row, int column);
    // True when every used row and column fits into the file's 16-bit indices.
    bool fitsFile() const;

    // The whole file: BOF, four fonts, all numbers, all texts, EOF.
    std::string bytes() const;

    // A LABEL text: Windows-1252 ("?" for other characters), at most kMaxLabelBytes bytes.
    static std::string labelText(const std::string& utf8);

private:
    void appendCells(std::string& out, Cell::Kind kind) const;

    std::vector<std::vector<Cell>> m_rows;
};
