// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/base/Status.h"

#include <string>
#include <utility>

// Lets a test keep its message variable: true on success, the message (empty on success) in `message`.
inline bool succeeded(const Status& status, std::string& message)
{
    message = status.message();
    return status.isOk();
}

// The same for a value: `value` receives it, or a default value on failure.
template <typename T>
bool succeeded(Result<T> result, T& value, std::string& message)
{
    message = result.message();
    value = result ? std::move(*result) : T();
    return result.isOk();
}

// The value, or a default value on failure, with the message in `message`.
template <typename T>
T valueOf(Result<T> result, std::string& message)
{
    message = result.message();
    return result ? std::move(*result) : T();
}
