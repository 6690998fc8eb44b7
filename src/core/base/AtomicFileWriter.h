// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/base/Status.h"

#include <string>
#include <string_view>

// Saves a whole file at once: the bytes go to a temporary file beside the target, which then replaces
// the target. A failure leaves any earlier file unchanged. Only a regular file (also through a symbolic
// link) or a missing path in an existing folder is a target: a device or folder is never replaced.
class AtomicFileWriter {
public:
    enum class Failure { None, AccessDenied, DiskFull, Other };

    struct Result {
        bool saved = false;
        bool created = false; // the temporary file could be created
        int errorNumber = 0; // the system's error number of the failed step
        Failure failure = Failure::None;
        // "%1 is not a regular file." when the target was refused before anything was written.
        std::string refusal;
    };

    static Result save(const std::string& path, std::string_view bytes);
    // Why a save failed, in words: the refusal, or the system's text for the error number
    // ("No space left on device").
    static std::string reason(const Result& result);
    // The target test, decided from the file type alone without opening the target: a FileError
    // "%1 is not a regular file.", or NotFound "%1 was not found." naming a missing folder.
    static Status checkTarget(const std::string& path);
};
