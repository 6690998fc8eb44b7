// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <utility>

// The outcome of an operation that can fail in an expected way: a code callers may act on and the
// message the user reads (the program's documented texts).
class [[nodiscard]] Status {
public:
    enum class Code {
        Ok,
        InvalidInput, // a value or text the operation refuses
        NotFound, // a file, item or server that does not exist
        FileError, // a file that could not be opened, read or saved
        FormatError, // a file or stream whose content is damaged
        Failed, // the operation ran and did not succeed
    };

    Status() = default;
    static Status ok() { return {}; }
    static Status error(Code code, std::string message) { return Status(code, std::move(message)); }

    bool isOk() const { return m_code == Code::Ok; }
    explicit operator bool() const { return isOk(); }
    Code code() const { return m_code; }
    const std::string& message() const { return m_message; }

private:
    Status(Code code, std::string message) : m_code(code), m_message(std::move(message)) { }

    Code m_code = Code::Ok;
    std::string m_message;
};

// A value, or the Status that explains why there is none.
template <typename T>
class [[nodiscard]] Result {
public:
    Result(T value) : m_value(std::move(value)) { }
    Result(Status status) : m_status(std::move(status)) { }

    bool isOk() const { return m_value.has_value(); }
    explicit operator bool() const { return isOk(); }
    const Status& status() const { return m_status; }
    const std::string& message() const { return m_status.message(); }

    T& value() & { return *m_value; }
    const T& value() const& { return *m_value; }
    // Moves the value out of a temporary, so `for (x : f().value())` holds no dangling reference.
    T value() && { return std::move(*m_value); }
    T& operator*() { return *m_value; }
    const T& operator*() const { return *m_value; }
    T* operator->() { return &*m_value; }
    const T* operator->() const { return &*m_value; }

private:
    std::optional<T> m_value;
    Status m_status;
};
