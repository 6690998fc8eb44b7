// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/model/Quotation.h"

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

// Reads the primitives, strings, counts and object headers of a portfolio stream. The first
// malformed or missing byte makes the reader fail for good: later reads return zeros, so callers
// check failed() at loop boundaries instead of after every value.
class ArchiveReader {
public:
    enum ClassId { ItemClass = 0, QuotationClass = 1 };

    // Reads up to `max` bytes into `into`; returns how many, 0 at the end or on an error.
    using Source = std::function<size_t(char* into, size_t max)>;

    ArchiveReader(const char* data, size_t size);
    // Streams `size` bytes from `source` through a buffer that grows only for a value longer than it.
    ArchiveReader(Source source, size_t size);

    bool failed() const { return m_failed; }
    // Bytes not read yet, buffered or still in the source.
    size_t remaining() const { return buffered() + m_sourceLeft; }

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
    // A count, then that many quotation objects, appended to `history`.
    void quotations(std::vector<Quotation>& history);

private:
    struct ClassInfo {
        ClassId id;
        uint16_t schema;
    };

    size_t buffered() const { return static_cast<size_t>(m_end - m_pos); }
    // Makes `n` bytes available at m_pos, refilling the buffer from the source when needed.
    bool ensure(size_t n);
    bool take(size_t n);
    void fail();
    bool readClassDescription(ClassInfo& info);
    uint32_t nextNumber();
    // Decodes up to `most` buffered records that refer to the known quotation class; returns how many.
    size_t referencedRun(std::vector<Quotation>& history, size_t most);

    Source m_source;
    size_t m_sourceLeft = 0;
    std::vector<unsigned char> m_buffer;
    const unsigned char* m_pos;
    const unsigned char* m_end;
    bool m_failed = false;
    uint32_t m_nextNumber = 1;
    std::unordered_map<uint32_t, ClassInfo> m_classes;
    // Runs of quotations repeat one class reference; 0 is never a valid tag.
    uint32_t m_lastTag = 0;
    ClassInfo m_lastInfo{};
    // The short reference word of a described quotation class, 0 while there is none.
    uint16_t m_quotationWord = 0;
};
