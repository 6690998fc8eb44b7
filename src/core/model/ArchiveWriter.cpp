#include "model/ArchiveWriter.h"

#include "extract/Windows1252.h"

#include <QString>
#include <QStringDecoder>

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

constexpr ClassDescription kClasses[2] = {{"CWPapier", 8}, {"CKurs", 1}};

} // namespace

ArchiveWriter::ArchiveWriter(QByteArray& out)
    : m_out(out)
{
}

void ArchiveWriter::byte(uint8_t value)
{
    m_out.append(static_cast<char>(value));
}

void ArchiveWriter::word(uint16_t value)
{
    const char bytes[2] = {static_cast<char>(value & 0xFF), static_cast<char>(value >> 8)};
    m_out.append(bytes, 2);
}

void ArchiveWriter::dword(uint32_t value)
{
    const char bytes[4] = {static_cast<char>(value & 0xFF), static_cast<char>((value >> 8) & 0xFF),
                           static_cast<char>((value >> 16) & 0xFF), static_cast<char>(value >> 24)};
    m_out.append(bytes, 4);
}

void ArchiveWriter::real(double value)
{
    uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    dword(static_cast<uint32_t>(bits));
    dword(static_cast<uint32_t>(bits >> 32));
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
        m_out.append(narrow.data(), static_cast<qsizetype>(narrow.size()));
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
        m_out.append(description.name, length);
        number = m_nextNumber++;
    } else if (number <= kMaxShortClassNumber) {
        word(static_cast<uint16_t>(0x8000 | number));
    } else {
        word(kBigTag);
        dword(0x80000000u | number);
    }
    ++m_nextNumber;
}
