// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/model/Quotation.h"

#include <QByteArray>

#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

// Writes the primitives, strings, counts and object headers of a portfolio stream to `out`,
// replacing its contents; `out` holds exactly the written bytes once the writer is gone. Class
// and object numbers are counted per writer, starting at 1.
class ArchiveWriter {
public:
    enum ClassId { ItemClass = 0, QuotationClass = 1 };

    ArchiveWriter(QByteArray& out, size_t expectedSize);
    ~ArchiveWriter();
    ArchiveWriter(const ArchiveWriter&) = delete;
    ArchiveWriter& operator=(const ArchiveWriter&) = delete;

    void byte(uint8_t value);
    void word(uint16_t value);
    void dword(uint32_t value);
    void number(int32_t value) { dword(static_cast<uint32_t>(value)); }
    void colour(uint32_t value) { dword(value); }
    void real(double value);
    // The caller has checked that the time fits 32 bits.
    void time(time_t value);
    // Windows-1252 when every character fits, otherwise the wide form.
    void text(const std::string& utf8);
    void count(uint32_t n);
    // The class description or reference; the object takes the next number.
    void objectStart(ClassId id);
    // A count, then one quotation object per record.
    void quotations(const std::vector<Quotation>& history);

private:
    void lengthPrefix(uint32_t n);
    // Space for the next n bytes; the buffer grows by doubling, so appends stay cheap.
    unsigned char* room(size_t n);

    QByteArray& m_out;
    unsigned char* m_data = nullptr;
    size_t m_size = 0;
    size_t m_capacity = 0;
    uint32_t m_nextNumber = 1;
    uint32_t m_classNumber[2] = {0, 0};
};
