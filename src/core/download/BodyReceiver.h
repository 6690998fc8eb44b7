// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>

// Takes a page's body as it is read, in reads of at most 1024 bytes. Returning false stops the transfer.
class BodyReceiver {
public:
    static constexpr size_t kReadSize = 1024;

    virtual ~BodyReceiver() = default;
    // The answer is a success and its body follows (possibly empty).
    virtual bool beginBody() = 0;
    virtual bool receive(const char* data, size_t size) = 0;
    // Called about once a second while the transfer waits for data.
    virtual bool keepWaiting() = 0;
};
