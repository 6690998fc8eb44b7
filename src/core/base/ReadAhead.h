// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <cstddef>
#include <functional>
#include <memory>
#include <span>
#include <thread>

// Reads `size` bytes of a stream on a second thread into a few reused chunks while the caller works through the
// chunks already read, so that reading a large file overlaps its decoding without holding all of it. The source ending
// early ends the chunks there.
class ReadAhead {
public:
    // Reads up to `max` bytes into `into`; returns how many, 0 at the end or on an error. Called on the reading thread
    // only while this object lives.
    using Source = std::function<size_t(char* into, size_t max)>;

    static constexpr size_t kChunkBytes = size_t(1) << 18;
    static constexpr size_t kHeadroomBytes = 4096;

    ReadAhead(Source source, size_t size, size_t chunkBytes = kChunkBytes, size_t headroomBytes = kHeadroomBytes);
    ~ReadAhead();
    ReadAhead(const ReadAhead&) = delete;
    ReadAhead& operator=(const ReadAhead&) = delete;

    size_t size() const { return m_size; }
    size_t headroom() const { return m_headroom; }
    // `carry` (at most headroom() bytes, which may lie in the chunk handed out before) followed by the next bytes of
    // the stream, waiting for them; the earlier chunk is given back for reading. Only `carry` once the stream ended.
    std::span<const char> next(std::span<const char> carry);
    // Copies up to `max` next bytes of the stream into `into`, waiting for them; 0 once the stream ended.
    size_t copy(char* into, size_t max);

private:
    static constexpr size_t kSlots = 4;

    char* slotData(size_t chunk) const;
    void readChunks();
    // Fills chunk `chunk`'s slot from the source; false once the source ended.
    bool fill(size_t chunk);
    // Waits for the next chunk and makes it the current one, giving the current one back; false at the end.
    bool advance();

    Source m_source;
    const size_t m_size;
    const size_t m_chunkBytes;
    const size_t m_headroom;
    const size_t m_chunkCount;
    std::unique_ptr<char[]> m_slots;
    size_t m_filled[kSlots] = {};

    // The two sides hand chunks over by these counts, waiting briefly awake first: a chunk takes tens of
    // microseconds, less than waking a sleeping processor may.
    std::atomic<size_t> m_produced = 0; // chunks filled
    std::atomic<size_t> m_released = 0; // chunks given back
    std::atomic<bool> m_sourceEnded = false; // set before the last m_produced
    std::atomic<bool> m_stopping = false;

    // The caller's side: the chunk being read from and how far.
    size_t m_current = 0;
    bool m_holding = false;
    size_t m_offset = 0;
    size_t m_currentSize = 0;

    std::thread m_reader;
};
