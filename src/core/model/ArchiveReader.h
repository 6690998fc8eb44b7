#pragma once

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <string>
#include <unordered_map>

// Reads the primitives, strings, counts and object headers of a portfolio stream. The first
// malformed or missing byte makes the reader fail for good: later reads return zeros, so callers
// check failed() at loop boundaries instead of after every value.
class ArchiveReader {
public:
    enum ClassId { ItemClass = 0, QuotationClass = 1 };

    ArchiveReader(const char* data, size_t size);

    bool failed() const { return m_failed; }
    size_t remaining() const { return static_cast<size_t>(m_end - m_pos); }

    uint8_t byte();
    uint16_t word();
    uint32_t dword();
    int32_t number() { return static_cast<int32_t>(dword()); }
    uint32_t colour() { return dword(); }
    double real();
    time_t time() { return number(); }
    std::string text();
    uint32_t count();
    // Reads the class description or reference of an object of class `expected` and returns the
    // class's schema, or -1 (and fails) when the header is not one.
    int objectStart(ClassId expected);

private:
    struct ClassInfo {
        ClassId id;
        uint16_t schema;
    };

    bool take(size_t n);
    void fail();
    bool readClassDescription(ClassInfo& info);
    uint32_t nextNumber();

    const unsigned char* m_pos;
    const unsigned char* m_end;
    bool m_failed = false;
    uint32_t m_nextNumber = 1;
    std::unordered_map<uint32_t, ClassInfo> m_classes;
};
