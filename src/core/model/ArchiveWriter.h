#pragma once

#include <QByteArray>

#include <cstdint>
#include <ctime>
#include <string>

// Writes the primitives, strings, counts and object headers of a portfolio stream. Class and
// object numbers are counted per writer, starting at 1.
class ArchiveWriter {
public:
    enum ClassId { ItemClass = 0, QuotationClass = 1 };

    explicit ArchiveWriter(QByteArray& out);

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

private:
    void lengthPrefix(uint32_t n);

    QByteArray& m_out;
    uint32_t m_nextNumber = 1;
    uint32_t m_classNumber[2] = {0, 0};
};
