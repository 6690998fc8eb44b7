// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <memory>
#include <string_view>

struct z_stream_s;

// Decodes an answer's body by its Content-Encoding (none, gzip or deflate) and knows whether the compressed
// stream reached its end, so that a body cut short is not taken for a page.
class ContentDecoder {
public:
    enum class Result { Ok, Damaged, Stopped };
    // Takes the decoded bytes; false stops decoding.
    using Sink = std::function<bool(const char* data, size_t size)>;

    // Accepted values of the Accept-Encoding request header.
    static constexpr const char* kAcceptedEncodings = "gzip, deflate";

    ContentDecoder();
    ~ContentDecoder();
    ContentDecoder(const ContentDecoder&) = delete;
    ContentDecoder& operator=(const ContentDecoder&) = delete;
    // False for an encoding this decoder cannot read.
    bool begin(std::string_view contentEncoding);
    Result decode(const char* data, size_t size, const Sink& sink);
    // Whether the body may end here: always for plain bodies, at the compressed stream's end otherwise.
    bool complete() const;

private:
    Result inflateInto(const char* data, size_t size, const Sink& sink);
    void endStream();

    std::unique_ptr<z_stream_s> m_stream;
    bool m_deflate = false;
    bool m_started = false;
    bool m_ended = false;
};
