/* Usage: import_reference PATTERN FILE
 * Runs PATTERN (captures: year, month, day, value) over FILE with successive matches, as the import engine
 * does, converting every quotation's date to local time. Prints the number of quotations and their sum. */
#define _POSIX_C_SOURCE 200809L
#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

static char* readAll(const char* path, size_t* length)
{
    FILE* file = fopen(path, "rb");
    if (!file)
        return NULL;
    fseek(file, 0, SEEK_END);
    long size = ftell(file);
    fseek(file, 0, SEEK_SET);
    char* text = malloc((size_t)size + 1);
    *length = fread(text, 1, (size_t)size, file);
    text[*length] = '\0';
    fclose(file);
    return text;
}

int main(int argc, char** argv)
{
    if (argc != 3) {
        fprintf(stderr, "Usage: import_reference PATTERN FILE\n");
        return 2;
    }
    size_t length = 0;
    char* text = readAll(argv[2], &length);
    if (!text) {
        fprintf(stderr, "cannot read %s\n", argv[2]);
        return 3;
    }
    int error = 0;
    PCRE2_SIZE offset = 0;
    pcre2_code* code = pcre2_compile((PCRE2_SPTR)argv[1], PCRE2_ZERO_TERMINATED,
                                     PCRE2_UTF | PCRE2_MULTILINE | PCRE2_DOTALL | PCRE2_CASELESS, &error, &offset, NULL);
    if (!code) {
        fprintf(stderr, "pattern error %d at %zu\n", error, (size_t)offset);
        return 1;
    }
    pcre2_jit_compile(code, PCRE2_JIT_COMPLETE);
    pcre2_match_data* match = pcre2_match_data_create(20, NULL);
    long count = 0;
    double sum = 0;
    size_t pos = 0;
    while (pos < length) {
        int pairs = pcre2_match(code, (PCRE2_SPTR)(text + pos), length - pos, 0, pos ? PCRE2_NO_UTF_CHECK : 0,
                                match, NULL);
        if (pairs < 5)
            break;
        const PCRE2_SIZE* ov = pcre2_get_ovector_pointer(match);
        const char* subject = text + pos;
        struct tm parts = {0};
        parts.tm_year = (int)strtol(subject + ov[2], NULL, 10) - 1900;
        parts.tm_mon = (int)strtol(subject + ov[4], NULL, 10) - 1;
        parts.tm_mday = (int)strtol(subject + ov[6], NULL, 10);
        parts.tm_hour = 20;
        parts.tm_isdst = -1;
        if (mktime(&parts) != (time_t)-1)
            ++count;
        sum += strtod(subject + ov[8], NULL);
        size_t next = ov[2 * (pairs - 1) + 1];
        pos += next > 0 ? next : 1;
    }
    printf("%ld %.4f\n", count, sum);
    pcre2_match_data_free(match);
    pcre2_code_free(code);
    free(text);
    return 0;
}
