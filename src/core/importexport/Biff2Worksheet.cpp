// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/importexport/Biff2Worksheet.h"

#include "core/base/Windows1252.h"

#include <bit>

namespace {

enum RecordType : uint16_t { Bof = 0x0009, Eof = 0x000A, Font = 0x0031, NumberRecord = 0x0003, Label = 0x0004 };

void put16(std::string& out, uint16_t value)
{
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>(value >> 8);
}

void putDouble(std::string& out, double value)
{
    uint64_t bits = std::bit_cast<uint64_t>(value);
    for (int i = 0; i < 8; ++i, bits >>= 8)
        out += static_cast<char>(bits & 0xFF);
}

void putRecord(std::string& out, RecordType type, const std::string& data)
{
    put16(out, type);
    put16(out, static_cast<uint16_t>(data.size()));
    out += data;
}

std::string fontData(uint16_t flags)
{
    const std::string name = "Arial";
    std::string data;
    put16(data, 200);
    put16(data, flags);
    data += static_cast<char>(name.size());
    data += name;
    return data;
}

std::string cellHeader(int row, int column, const Biff2Worksheet::Cell& cell)
{
    std::string data;
    put16(data, static_cast<uint16_t>(row));
    put16(data, static_cast<uint16_t>(column));
    for (uint8_t attribute : cell.attributes())
        data += static_cast<char>(attribute);
    return data;
}

} // namespace

void Biff2Worksheet::Cell::setNumber(double number)
{
    m_kind = Number;
    m_number = number;
}

void Biff2Worksheet::Cell::setText(const std::string& text)
{
    m_kind = Text;
    m_text = text;
}

void Biff2Worksheet::Cell::setFontIndex(int font)
{
    m_attributes[1] = static_cast<uint8_t>((m_attributes[1] & 0x3F) | ((font & 0x03) << 6));
}

Biff2Worksheet::Cell& Biff2Worksheet::cell(int row, int column)
{
    if (m_rows.size() <= static_cast<size_t>(row))
        m_rows.resize(static_cast<size_t>(row) + 1);
    std::vector<Cell>& cells = m_rows[static_cast<size_t>(row)];
    if (cells.size() <= static_cast<size_t>(column))
        cells.resize(static_cast<size_t>(column) + 1);
    return cells[static_cast<size_t>(column)];
}

bool Biff2Worksheet::fitsFile() const
{
    if (m_rows.size() > static_cast<size_t>(kMaxIndex) + 1)
        return false;
    for (const std::vector<Cell>& cells : m_rows)
        if (cells.size() > static_cast<size_t>(kMaxIndex) + 1)
            return false;
    return true;
}

std::string Biff2Worksheet::labelText(const std::string& utf8)
{
    // Every Windows-1252 character is one byte, so any cut lies on a character boundary.
    std::string text = Windows1252::fromUtf8Lossy(utf8);
    if (text.size() > kMaxLabelBytes)
        text.resize(kMaxLabelBytes);
    return text;
}

void Biff2Worksheet::appendCells(std::string& out, Cell::Kind kind) const
{
    for (size_t row = 0; row < m_rows.size(); ++row) {
        const std::vector<Cell>& cells = m_rows[row];
        for (size_t column = 0; column < cells.size(); ++column) {
            const Cell& cell = cells[column];
            if (cell.kind() != kind)
                continue;
            std::string data = cellHeader(static_cast<int>(row), static_cast<int>(column), cell);
            if (kind == Cell::Number) {
                putDouble(data, cell.number());
                putRecord(out, NumberRecord, data);
            } else {
                const std::string text = labelText(cell.text());
                data += static_cast<char>(text.size());
                data += text;
                putRecord(out, Label, data);
            }
        }
    }
}

std::string Biff2Worksheet::bytes() const
{
    std::string out;
    std::string bof;
    put16(bof, 2);
    put16(bof, 0x0010);
    putRecord(out, Bof, bof);
    for (uint16_t flags : {0, 1, 2, 4})
        putRecord(out, Font, fontData(flags));
    appendCells(out, Cell::Number);
    appendCells(out, Cell::Text);
    putRecord(out, Eof, {});
    return out;
}
