// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/base/ReadAhead.h"

#include <algorithm>
#include <cstring>
#include <system_error>

namespace {

constexpr int kAwakeWaits = 200;

// Waits until `ready()`, which only a change of `count` can make true.
template <typename Ready>
void awaitChange(const std::atomic<size_t>& count, Ready ready)
{
    for (int round = 0;; ++round) {
        const size_t seen = count.load(std::memory_order_acquire);
        if (ready())
            return;
        if (round < kAwakeWaits)
            std::this_thread::yield();
        else
            count.wait(seen, std::memory_order_acquire);
    }
}

} // namespace

ReadAhead::ReadAhead(Source source, size_t size, size_t chunkBytes, size_t headroomBytes)
    : m_source(std::move(source)), m_size(size), m_chunkBytes(std::max<size_t>(chunkBytes, 1)),
      m_headroom(headroomBytes), m_chunkCount((size + m_chunkBytes - 1) / m_chunkBytes),
      m_slots(new char[kSlots * (m_headroom + m_chunkBytes)])
{
    try {
        m_reader = std::thread([this] { readChunks(); });
    } catch (const std::system_error&) {
        // Without a second thread the chunks are read when they are asked for.
    }
}

ReadAhead::~ReadAhead()
{
    m_stopping = true;
    m_released.store(m_chunkCount + kSlots, std::memory_order_release);
    m_released.notify_all();
    if (m_reader.joinable())
        m_reader.join();
}

char* ReadAhead::slotData(size_t chunk) const
{
    return m_slots.get() + (chunk % kSlots) * (m_headroom + m_chunkBytes) + m_headroom;
}

bool ReadAhead::fill(size_t chunk)
{
    const size_t wanted = std::min(m_chunkBytes, m_size - chunk * m_chunkBytes);
    char* const into = slotData(chunk);
    size_t filled = 0;
    while (filled < wanted) {
        const size_t got = m_source(into + filled, wanted - filled);
        if (got == 0)
            break;
        filled += got;
    }
    m_filled[chunk % kSlots] = filled;
    return filled == wanted;
}

void ReadAhead::readChunks()
{
    for (size_t chunk = 0; chunk < m_chunkCount; ++chunk) {
        awaitChange(m_released, [&] { return chunk < m_released.load(std::memory_order_acquire) + kSlots; });
        if (m_stopping)
            return;
        const bool whole = fill(chunk);
        m_sourceEnded.store(!whole, std::memory_order_relaxed);
        m_produced.store(chunk + 1, std::memory_order_release);
        m_produced.notify_one();
        if (!whole)
            return;
    }
}

bool ReadAhead::advance()
{
    const size_t wanted = m_holding ? m_current + 1 : 0;
    if (wanted >= m_chunkCount)
        return false;
    if (m_holding) {
        m_released.store(m_current + 1, std::memory_order_release);
        m_released.notify_one();
    }
    if (!m_reader.joinable() && !m_sourceEnded && m_produced == wanted) {
        m_sourceEnded = !fill(wanted);
        m_produced = wanted + 1;
    }
    awaitChange(m_produced, [&] {
        return m_produced.load(std::memory_order_acquire) > wanted || m_sourceEnded.load(std::memory_order_acquire);
    });
    if (m_produced.load(std::memory_order_acquire) <= wanted)
        return false;
    m_current = wanted;
    m_holding = true;
    m_offset = 0;
    m_currentSize = m_filled[wanted % kSlots];
    return true;
}

std::span<const char> ReadAhead::next(std::span<const char> carry)
{
    if (m_offset == m_currentSize) {
        const size_t upcoming = m_holding ? m_current + 1 : 0;
        if (upcoming >= m_chunkCount)
            return carry;
        // Moved before the chunk it may lie in is given back; the reader never writes a headroom.
        char* const saved = slotData(upcoming) - carry.size();
        if (!carry.empty())
            std::memmove(saved, carry.data(), carry.size());
        carry = {saved, carry.size()};
        if (!advance())
            return carry;
    }
    char* const start = slotData(m_current) + m_offset - carry.size();
    if (!carry.empty() && start != carry.data())
        std::memmove(start, carry.data(), carry.size());
    const std::span<const char> bytes(start, m_currentSize - m_offset + carry.size());
    m_offset = m_currentSize;
    return bytes;
}

size_t ReadAhead::copy(char* into, size_t max)
{
    size_t copied = 0;
    while (copied < max) {
        if (m_offset == m_currentSize && !advance())
            break;
        const size_t n = std::min(max - copied, m_currentSize - m_offset);
        std::memcpy(into + copied, slotData(m_current) + m_offset, n);
        m_offset += n;
        copied += n;
    }
    return copied;
}
