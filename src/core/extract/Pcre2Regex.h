// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/extract/ExtractionLimits.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>

struct pcre2_real_code_8;
struct pcre2_real_match_data_8;
struct pcre2_real_match_context_8;
struct pcre2_real_jit_stack_8;

// One compiled Perl-compatible expression over UTF-8 text, matched with room for 20 offset pairs
// (the whole match and 19 captures). JIT is used when available; when JIT runs out of its stack the match
// is repeated by the interpreter. Each attempt at one start position has match, depth and heap limits that
// end it within a fraction of a second; limitWork() bounds every later match together.
//
// A match first tries the few start positions near the subject's start under a small match limit, with no
// cost beyond PCRE2's own: that finds the matches of an import or of a short page. Only when that fails is
// the match repeated from the start by a second compilation that looks at the clock every few start positions.
class Pcre2Regex {
public:
    static constexpr int kMatchPairs = 20;
    static constexpr int kNoMatch = -1;
    // The report of a match that hit a limit or the work bound ("RegExp matching error -47").
    static constexpr int kLimitExceeded = -47;

    // Multiline and dot-matches-all always, caseless when asked.
    Pcre2Regex(const std::string& pattern, bool caseless);
    ~Pcre2Regex();
    Pcre2Regex(const Pcre2Regex&) = delete;
    Pcre2Regex& operator=(const Pcre2Regex&) = delete;

    bool isValid() const { return m_code != nullptr; }
    // "RegExp compilation failed at pos. %d: %s" with PCRE2's byte offset and text.
    std::string compileErrorMessage() const;

    // Matches once in subject[0, length). Returns the number of offset pairs set, 0 when the match set
    // a capture beyond the 19 that fit, or a negative PCRE2 error (kNoMatch when nothing matched).
    // `checkUtf` validates the subject first; leave it off only for text already known to be UTF-8.
    int match(const char* subject, size_t length, bool checkUtf = true);

    // From now on all matches together may use `cpu` of this thread's processor time, and end by the
    // deadline and on an abort of `limits`; a match that reaches a bound ends with kLimitExceeded.
    void limitWork(std::chrono::nanoseconds cpu, ExtractionLimits limits = {});
    // The bound of a whole extraction or import over `bytes` of text: 0.5 s and 0.5 s per MiB.
    static std::chrono::nanoseconds workFor(size_t bytes);

    // Offsets of pair `i` of the last match, in bytes from the subject's start.
    bool isSet(int i) const { return m_offsets[2 * i] != kUnset; }
    size_t start(int i) const { return m_offsets[2 * i]; }
    size_t end(int i) const { return m_offsets[2 * i + 1]; }

    // The message for a failed match report other than kNoMatch (an error code, or 0).
    static std::string matchFailureMessage(int report);

private:
    struct WorkBound {
        std::chrono::nanoseconds end = std::chrono::nanoseconds::max();
        ExtractionLimits limits;
        unsigned matches = 0;
        // The last reading of the thread's processor time and the steady clock's time then: a thread gains
        // no more processor time than passes on the steady clock (twice that allows for the clocks' own
        // errors), so the cheap clock tells when the costly one cannot have reached `end` yet.
        std::chrono::nanoseconds cpuSeen{};
        std::chrono::steady_clock::time_point seenAt{};
        bool reached(); // whether the time is up, by processor time, deadline or abort
    };
    static int onAttempt(struct pcre2_callout_block_8* block, void* bound);
    int matchNearStart(const char* subject, size_t length, uint32_t options);
    int matchBounded(const char* subject, size_t length, uint32_t options);
    bool compileBounded();

    std::string m_pattern;
    uint32_t m_compileOptions = 0;
    // The pattern as written, matched near the start only.
    pcre2_real_code_8* m_code = nullptr;
    pcre2_real_match_context_8* m_nearContext = nullptr;
    // The pattern behind the work-bound callout, compiled when first needed.
    pcre2_real_code_8* m_boundedCode = nullptr;
    bool m_boundedJit = false;
    static constexpr size_t kUnset = ~static_cast<size_t>(0);
    pcre2_real_match_context_8* m_context = nullptr;
    pcre2_real_jit_stack_8* m_jitStack = nullptr;
    WorkBound m_bound;

    pcre2_real_match_data_8* m_matchData = nullptr;
    const size_t* m_offsets = nullptr;
    int m_errorCode = 0;
    size_t m_errorOffset = 0;
};
