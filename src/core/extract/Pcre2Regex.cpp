// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/extract/Pcre2Regex.h"
#include "core/base/ThreadCpuTime.h"

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

#include <algorithm>
#include <utility>

static_assert(sizeof(PCRE2_SIZE) == sizeof(size_t) && PCRE2_UNSET == ~static_cast<size_t>(0));
static_assert(Pcre2Regex::kLimitExceeded == PCRE2_ERROR_MATCHLIMIT);

namespace {

// About 0.25 s for one start position in the interpreter, less with JIT.
constexpr uint32_t kMatchLimit = 5'000'000;
// The first try: this many start positions (an import goes on from the end of the last capture, so the
// rest of a line comes first) with a match limit that a line of a price file or a rule's match stays far
// below, so it ends within milliseconds whatever the pattern.
constexpr size_t kNearStartPositions = 256;
constexpr uint32_t kNearMatchLimit = 10'000;
// Between two looks at the clock, matches near the start take at most a few milliseconds each.
constexpr unsigned kMatchesPerClockRead = 16;
constexpr uint32_t kDepthLimit = 100'000;
// Repeats made possessive scan without counting toward the match limit, so one attempt could scan the
// subject once per counted step. Left as written, every step of theirs counts.
constexpr uint32_t kCountEveryStep = PCRE2_NO_AUTO_POSSESS;
constexpr uint32_t kHeapLimitKiB = 64 * 1024;
constexpr size_t kJitStackBytes = 8 * 1024 * 1024;
constexpr const char* kAttemptCallout = "(?C255)";
constexpr uint32_t kAttemptCalloutNumber = 255;

// Where the callout goes: after the start-of-pattern settings such as (*UTF) or (*LIMIT_MATCH=9),
// which must stay first.
size_t calloutPosition(const std::string& pattern)
{
    size_t at = 0;
    while (pattern.compare(at, 2, "(*") == 0 && at + 2 < pattern.size() && pattern[at + 2] >= 'A' &&
           pattern[at + 2] <= 'Z') {
        const size_t close = pattern.find(')', at);
        if (close == std::string::npos)
            break;
        at = close + 1;
    }
    return at;
}

} // namespace

Pcre2Regex::Pcre2Regex(const std::string& pattern, bool caseless) : m_pattern(pattern)
{
    // \C could end a match inside a character, and the import engine restarts from match ends.
    m_compileOptions = PCRE2_UTF | PCRE2_MULTILINE | PCRE2_DOTALL | PCRE2_NEVER_BACKSLASH_C;
    if (caseless)
        m_compileOptions |= PCRE2_CASELESS;
    m_code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(pattern.data()), pattern.size(),
                           m_compileOptions | kCountEveryStep | PCRE2_USE_OFFSET_LIMIT, &m_errorCode, &m_errorOffset,
                           nullptr);
    if (!m_code)
        return;
    pcre2_jit_compile(m_code, PCRE2_JIT_COMPLETE);
    m_matchData = pcre2_match_data_create(kMatchPairs, nullptr);
    m_offsets = pcre2_get_ovector_pointer(m_matchData);
    m_context = pcre2_match_context_create(nullptr);
    pcre2_set_match_limit(m_context, kMatchLimit);
    pcre2_set_depth_limit(m_context, kDepthLimit);
    pcre2_set_heap_limit(m_context, kHeapLimitKiB);
    pcre2_set_callout(m_context, &Pcre2Regex::onAttempt, &m_bound);
    m_jitStack = pcre2_jit_stack_create(32 * 1024, kJitStackBytes, nullptr);
    pcre2_jit_stack_assign(m_context, nullptr, m_jitStack);
    m_nearContext = pcre2_match_context_copy(m_context);
    pcre2_set_match_limit(m_nearContext, kNearMatchLimit);
    pcre2_set_offset_limit(m_nearContext, kNearStartPositions);
}

bool Pcre2Regex::compileBounded()
{
    if (m_boundedCode)
        return true;
    // A callout at the pattern's start runs before every attempt at a start position.
    std::string bounded = m_pattern;
    bounded.insert(calloutPosition(m_pattern), kAttemptCallout);
    int error = 0;
    PCRE2_SIZE offset = 0;
    m_boundedCode = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(bounded.data()), bounded.size(),
                                  m_compileOptions | kCountEveryStep, &error, &offset, nullptr);
    m_boundedJit = m_boundedCode && pcre2_jit_compile(m_boundedCode, PCRE2_JIT_COMPLETE) == 0;
    return m_boundedCode != nullptr;
}

Pcre2Regex::~Pcre2Regex()
{
    pcre2_jit_stack_free(m_jitStack);
    pcre2_match_context_free(m_nearContext);
    pcre2_match_context_free(m_context);
    pcre2_code_free(m_boundedCode);
    pcre2_match_data_free(m_matchData);
    pcre2_code_free(m_code);
}

void Pcre2Regex::limitWork(std::chrono::nanoseconds cpu, ExtractionLimits limits)
{
    m_bound.limits = std::move(limits);
    m_bound.seenAt = std::chrono::steady_clock::now();
    m_bound.cpuSeen = threadCpuTime();
    m_bound.end = m_bound.cpuSeen + cpu;
}

bool Pcre2Regex::WorkBound::reached()
{
    if (limits.aborted && limits.aborted())
        return true;
    const auto now = std::chrono::steady_clock::now();
    if (now >= limits.deadline)
        return true;
    if (now >= seenAt && cpuSeen + 2 * (now - seenAt) <= end)
        return false;
    seenAt = now;
    cpuSeen = threadCpuTime();
    return cpuSeen > end;
}

std::chrono::nanoseconds Pcre2Regex::workFor(size_t bytes)
{
    constexpr double kSeconds = 0.5;
    constexpr double kSecondsPerMiB = 0.5;
    const double seconds = kSeconds + kSecondsPerMiB * static_cast<double>(bytes) / (1024.0 * 1024.0);
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::duration<double>(seconds));
}

int Pcre2Regex::onAttempt(pcre2_callout_block* block, void* data)
{
    auto* bound = static_cast<WorkBound*>(data);
    // Only the callout put in front marks attempts; the pattern's own callouts pass.
    if (block->callout_number != kAttemptCalloutNumber)
        return 0;
    // One attempt of a hostile pattern can take milliseconds, so the clock is looked at before each.
    return bound->reached() ? PCRE2_ERROR_MATCHLIMIT : 0;
}

std::string Pcre2Regex::compileErrorMessage() const
{
    PCRE2_UCHAR text[256] = {};
    pcre2_get_error_message(m_errorCode, text, sizeof text);
    return "RegExp compilation failed at pos. " + std::to_string(m_errorOffset) + ": " +
        reinterpret_cast<const char*>(text);
}

int Pcre2Regex::match(const char* subject, size_t length, bool checkUtf)
{
    if (!m_code)
        return PCRE2_ERROR_NULL;
    if (++m_bound.matches % kMatchesPerClockRead == 0 && m_bound.reached())
        return PCRE2_ERROR_MATCHLIMIT;
    const uint32_t options = checkUtf ? 0 : PCRE2_NO_UTF_CHECK;
    const int near = matchNearStart(subject, length, options);
    if (near >= 0 || (near == PCRE2_ERROR_NOMATCH && length <= kNearStartPositions))
        return near;
    // The subject was checked by the first try unless that failed on it.
    if (near != PCRE2_ERROR_NOMATCH && near != PCRE2_ERROR_MATCHLIMIT && near != PCRE2_ERROR_JIT_STACKLIMIT)
        return near;
    return matchBounded(subject, length, options | PCRE2_NO_UTF_CHECK);
}

int Pcre2Regex::matchNearStart(const char* subject, size_t length, uint32_t options)
{
    return pcre2_match(m_code, reinterpret_cast<PCRE2_SPTR>(subject), length, 0, options, m_matchData, m_nearContext);
}

int Pcre2Regex::matchBounded(const char* subject, size_t length, uint32_t options)
{
    if (!compileBounded())
        return PCRE2_ERROR_NULL;
    if (m_bound.reached())
        return PCRE2_ERROR_MATCHLIMIT;
    const auto run = [&](uint32_t extra) {
        return pcre2_match(m_boundedCode, reinterpret_cast<PCRE2_SPTR>(subject), length, 0, options | extra,
                           m_matchData, m_context);
    };
    const int report = run(0);
    // Only the JIT stack is JIT's own limit; the interpreter keeps the same time bounds.
    if (m_boundedJit && report == PCRE2_ERROR_JIT_STACKLIMIT)
        return run(PCRE2_NO_JIT);
    return report;
}

std::string Pcre2Regex::matchFailureMessage(int report)
{
    if (report == 0)
        return "RegExp output vector has space for only " + std::to_string(kMatchPairs - 1) +
            " captured substrings\r\n";
    return "RegExp matching error " + std::to_string(report);
}
