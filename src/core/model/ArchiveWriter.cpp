// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/model/ArchiveWriter.h"

#include "core/base/Windows1252.h"
#include "core/model/PortfolioArchive.h"

#include <QString>
#include <QStringDecoder>

#include <algorithm>
#include <cstring>

namespace {

constexpr uint16_t kNewClassTag = 0xFFFF;
constexpr uint16_t kBigTag = 0x7FFF;
constexpr uint32_t kMaxShortClassNumber = 0x7FFE;
constexpr uint16_t kWideMarker = 0xFFFE;

struct ClassDescription {
    const char* name;
    uint16_t schema;
};

constexpr ClassDescription kClasses[2] = {{PortfolioArchive::kItemClassName, 8},
                                          {PortfolioArchive::kQuotationClassName, 1}};

} // namespace

ArchiveWriter::ArchiveWriter(QByteArray& out, size_t expectedSize) : m_out(out)
{
    m_out.clear();
    room(expectedSize);
    m_size = 0;
}

ArchiveWriter::~ArchiveWriter()
{
    m_out.resize(static_cast<qsizetype>(m_size));
}

unsigned char* ArchiveWriter::room(size_t n)
{
    if (m_size + n > m_capacity) {
        m_capacity = std::max(2 * m_capacity, m_size + n + 4096);
        m_out.resize(static_cast<qsizetype>(m_capacity));
        m_data = reinterpret_cast<unsigned char*>(m_out.data());
    }
    unsigned char* at = m_data + m_size;
    m_size += n;
    return at;
}

void ArchiveWriter::byte(uint8_t value)
{
    *room(1) = value;
}

void ArchiveWriter::word(uint16_t value)
{
    unsigned char* at = room(2);
    at[0] = static_cast<unsigned char>(value);
    at[1] = static_cast<unsigned char>(value >> 8);
}

void ArchiveWriter::dword(uint32_t value)
{
    unsigned char* at = room(4);
    for (int k = 0; k < 4; ++k)
        at[k] = static_cast<unsigned char>(value >> (8 * k));
}

void ArchiveWriter::real(double value)
{
    uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    unsigned char* at = room(8);
    for (int k = 0; k < 8; ++k)
        at[k] = static_cast<unsigned char>(bits >> (8 * k));
}

void ArchiveWriter::time(time_t value)
{
    number(static_cast<int32_t>(value));
}

void ArchiveWriter::lengthPrefix(uint32_t n)
{
    if (n < 0xFF) {
        byte(static_cast<uint8_t>(n));
    } else if (n < kWideMarker) {
        byte(0xFF);
        word(static_cast<uint16_t>(n));
    } else {
        byte(0xFF);
        word(0xFFFF);
        dword(n);
    }
}

void ArchiveWriter::text(const std::string& utf8)
{
    std::string narrow;
    if (Windows1252::fromUtf8(utf8, narrow)) {
        lengthPrefix(static_cast<uint32_t>(narrow.size()));
        std::memcpy(room(narrow.size()), narrow.data(), narrow.size());
        return;
    }
    // A leading U+FEFF is text here, not a byte order mark to drop.
    QStringDecoder toUtf16(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    const QString wide = toUtf16(QByteArrayView(utf8.data(), static_cast<qsizetype>(utf8.size())));
    byte(0xFF);
    word(kWideMarker);
    lengthPrefix(static_cast<uint32_t>(wide.size()));
    for (QChar unit : wide)
        word(unit.unicode());
}

void ArchiveWriter::count(uint32_t n)
{
    if (n < 0xFFFF) {
        word(static_cast<uint16_t>(n));
    } else {
        word(0xFFFF);
        dword(n);
    }
}

void ArchiveWriter::objectStart(ClassId id)
{
    uint32_t& number = m_classNumber[id];
    if (number == 0) {
        const ClassDescription& description = kClasses[id];
        word(kNewClassTag);
        word(description.schema);
        const auto length = static_cast<uint16_t>(std::strlen(description.name));
        word(length);
        std::memcpy(room(length), description.name, length);
        number = m_nextNumber++;
    } else if (number <= kMaxShortClassNumber) {
        word(static_cast<uint16_t>(0x8000 | number));
    } else {
        word(kBigTag);
        dword(0x80000000u | number);
    }
    ++m_nextNumber;
}

void ArchiveWriter::quotations(const std::vector<Quotation>& history)
{
    count(static_cast<uint32_t>(history.size()));
    auto record = history.begin();
    if (record != history.end() && m_classNumber[QuotationClass] == 0) {
        objectStart(QuotationClass);
        time(record->time);
        real(record->value);
        ++record;
    }
    // Every further record starts with the same class reference.
    const uint32_t number = m_classNumber[QuotationClass];
    const size_t referenceBytes = number <= kMaxShortClassNumber ? 2 : 6;
    const size_t recordBytes = referenceBytes + 12;
    unsigned char* at = room(recordBytes * static_cast<size_t>(history.end() - record));
    const auto put = [&at](uint64_t value, int bytes) {
        for (int k = 0; k < bytes; ++k)
            *at++ = static_cast<unsigned char>(value >> (8 * k));
    };
    for (; record != history.end(); ++record) {
        if (referenceBytes == 2) {
            put(0x8000 | number, 2);
        } else {
            put(kBigTag, 2);
            put(0x80000000u | number, 4);
        }
        put(static_cast<uint32_t>(static_cast<int32_t>(record->time)), 4);
        uint64_t bits = 0;
        std::memcpy(&bits, &record->value, sizeof bits);
        put(bits, 8);
        ++m_nextNumber;
    }
}
