#include "core/extract/Pcre2Regex.h"

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

static_assert(sizeof(PCRE2_SIZE) == sizeof(size_t) && PCRE2_UNSET == ~static_cast<size_t>(0));

Pcre2Regex::Pcre2Regex(const std::string& pattern, bool caseless)
{
    // \C could end a match inside a character, and the import engine restarts from match ends.
    uint32_t options = PCRE2_UTF | PCRE2_MULTILINE | PCRE2_DOTALL | PCRE2_NEVER_BACKSLASH_C;
    if (caseless)
        options |= PCRE2_CASELESS;
    PCRE2_SIZE errorOffset = 0;
    m_code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(pattern.data()), pattern.size(), options, &m_errorCode,
                           &errorOffset, nullptr);
    if (!m_code) {
        m_errorOffset = errorOffset;
        return;
    }
    m_jit = pcre2_jit_compile(m_code, PCRE2_JIT_COMPLETE) == 0;
    m_matchData = pcre2_match_data_create(kMatchPairs, nullptr);
    m_offsets = pcre2_get_ovector_pointer(m_matchData);
}

Pcre2Regex::~Pcre2Regex()
{
    pcre2_match_data_free(m_matchData);
    pcre2_code_free(m_code);
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
    const uint32_t options = checkUtf ? 0 : PCRE2_NO_UTF_CHECK;
    const auto run = [&](uint32_t extra) {
        return pcre2_match(m_code, reinterpret_cast<PCRE2_SPTR>(subject), length, 0, options | extra, m_matchData,
                           nullptr);
    };
    if (!m_jit)
        return run(0);
    const int report = run(0);
    // JIT counts its limits differently; the interpreter has the last word on them.
    if (report == PCRE2_ERROR_JIT_STACKLIMIT || report == PCRE2_ERROR_MATCHLIMIT || report == PCRE2_ERROR_DEPTHLIMIT ||
        report == PCRE2_ERROR_HEAPLIMIT)
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
