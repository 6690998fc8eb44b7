// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// Owns one temporary file: the file is deleted when its owner goes, unless it was released to someone who
// keeps it (a page shown to the user, a file handed to an import). Move-only; an empty handle owns nothing.
class TempFile {
public:
    TempFile() = default;
    explicit TempFile(std::string path);
    ~TempFile();
    TempFile(TempFile&& other) noexcept;
    TempFile& operator=(TempFile&& other) noexcept;
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    const std::string& path() const { return m_path; }
    bool empty() const { return m_path.empty(); }
    // Gives the file up without deleting it; the handle is empty afterwards.
    std::string release();
    // Deletes the file now; the handle is empty afterwards.
    void reset();

private:
    std::string m_path;
};
