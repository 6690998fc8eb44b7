// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLibrary>

#include <string>

// A system library loaded when it is first needed rather than at every start, with its functions looked up
// by name. It stays loaded for the rest of the run.
class LoadedLibrary {
public:
    // Loads lib`name`.so.`majorVersion`; `purpose` names it in the error ("libcurl").
    LoadedLibrary(const char* name, int majorVersion, const std::string& purpose);

    // Why the library or one of the symbols asked for is missing; empty while nothing is.
    const std::string& error() const { return m_error; }
    // Sets `into` to the symbol's address, or records it as missing.
    template <typename Pointer>
    void resolve(const char* symbol, Pointer& into)
    {
        into = reinterpret_cast<Pointer>(address(symbol));
    }

private:
    void* address(const char* symbol);

    QLibrary m_library;
    std::string m_purpose;
    std::string m_error;
};

// What a library's loader gives: its functions, usable when `error` is empty.
template <typename Functions>
struct LibraryFunctions {
    Functions functions;
    std::string error;

    const Functions* usable() const { return error.empty() ? &functions : nullptr; }
};
