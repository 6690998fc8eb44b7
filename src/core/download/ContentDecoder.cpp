// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/download/ContentDecoder.h"

#include <zlib.h>

#include <algorithm>
#include <cctype>
#include <string>

namespace {

constexpr int kGzipWindow = 16 + MAX_WBITS;
constexpr int kRawDeflateWindow = -MAX_WBITS;

std::string lowerTrimmed(std::string_view text)
{
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.remove_suffix(1);
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
    return lower;
}

} // namespace

ContentDecoder::ContentDecoder() = default;

ContentDecoder::~ContentDecoder()
{
    endStream();
}

bool ContentDecoder::begin(std::string_view contentEncoding)
{
    endStream();
    m_ended = false;
    m_started = false;
    const std::string encoding = lowerTrimmed(contentEncoding);
    if (encoding.empty() || encoding == "identity")
        return true;
    m_deflate = encoding == "deflate";
    if (!m_deflate && encoding != "gzip" && encoding != "x-gzip")
        return false;
    m_stream = std::make_unique<z_stream_s>();
    if (inflateInit2(m_stream.get(), m_deflate ? MAX_WBITS : kGzipWindow) != Z_OK) {
        m_stream.reset();
        return false;
    }
    return true;
}

ContentDecoder::Result ContentDecoder::decode(const char* data, size_t size, const Sink& sink)
{
    if (!m_stream)
        return sink(data, size) ? Result::Ok : Result::Stopped;
    // Bytes after the end of the compressed stream carry nothing of the page.
    if (m_ended)
        return Result::Ok;
    const Result result = inflateInto(data, size, sink);
    // Some servers send "deflate" without the zlib wrapper; its first bytes tell.
    if (result == Result::Damaged && m_deflate && !m_started) {
        m_started = true;
        if (inflateReset2(m_stream.get(), kRawDeflateWindow) != Z_OK)
            return Result::Damaged;
        return inflateInto(data, size, sink);
    }
    return result;
}

bool ContentDecoder::complete() const
{
    return !m_stream || m_ended;
}

ContentDecoder::Result ContentDecoder::inflateInto(const char* data, size_t size, const Sink& sink)
{
    char out[16 * 1024];
    m_stream->next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data));
    m_stream->avail_in = static_cast<uInt>(size);
    do {
        m_stream->next_out = reinterpret_cast<Bytef*>(out);
        m_stream->avail_out = sizeof out;
        const int status = inflate(m_stream.get(), Z_NO_FLUSH);
        if (status == Z_BUF_ERROR)
            break;
        if (status != Z_OK && status != Z_STREAM_END)
            return Result::Damaged;
        const size_t produced = sizeof out - m_stream->avail_out;
        if (produced > 0)
            m_started = true;
        if (produced > 0 && !sink(out, produced))
            return Result::Stopped;
        m_ended = status == Z_STREAM_END;
        // A full buffer may leave decoded bytes behind even when all input is taken.
    } while (!m_ended && (m_stream->avail_in > 0 || m_stream->avail_out == 0));
    return Result::Ok;
}

void ContentDecoder::endStream()
{
    if (m_stream)
        inflateEnd(m_stream.get());
    m_stream.reset();
}
