#pragma once

#include <string>
#include <string_view>

// Saves a whole file at once: the bytes go to a temporary file beside the target, which then replaces
// the target. A failure leaves any earlier file unchanged.
class AtomicFileWriter {
public:
    enum class Failure { None, AccessDenied, DiskFull, Other };

    struct Result {
        bool saved = false;
        bool created = false; // the temporary file could be created
        int errorNumber = 0; // the system's error number of the failed step
        Failure failure = Failure::None;
    };

    static Result save(const std::string& path, std::string_view bytes);
};
