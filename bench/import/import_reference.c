// SPDX-License-Identifier: GPL-3.0-or-later
/* Usage: import_reference PATTERN FILE OUT
 * The bare work of an import into a portfolio: reads FILE whole, runs PATTERN (captures: year, month, day,
 * hour, minute, value) with pcre2_jit_match in the same successive-match loop as the import engine, converts
 * every date with mktime (tm_isdst = -1), parses the value with strtod, keeps the pairs in file order (no sort:
 * the file is already in time order) and writes them durably as packed 12-byte records (int32 time, double
 * value): to OUT.tmp beside OUT, fflush, fsync, rename over OUT.
 * Prints the number of quotations and the sum of their values. */
#define _POSIX_C_SOURCE 200809L
#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

struct Quotation {
    time_t time;
    double value;
};

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

static int writeDurably(const char* path, const struct Quotation* quotations, size_t count)
{
    char temporary[4096];
    snprintf(temporary, sizeof temporary, "%s.tmp", path);
    FILE* file = fopen(temporary, "wb");
    if (!file)
        return 0;
    char* bytes = malloc(count * 12 + 1);
    for (size_t i = 0; i < count; ++i) {
        const int32_t time = (int32_t)quotations[i].time;
        memcpy(bytes + i * 12, &time, 4);
        memcpy(bytes + i * 12 + 4, &quotations[i].value, 8);
    }
    const int written = fwrite(bytes, 1, count * 12, file) == count * 12 && fflush(file) == 0 && fsync(fileno(file)) == 0;
    free(bytes);
    return fclose(file) == 0 && written && rename(temporary, path) == 0;
}

int main(int argc, char** argv)
{
    if (argc != 4) {
        fprintf(stderr, "Usage: import_reference PATTERN FILE OUT\n");
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
    if (pcre2_jit_compile(code, PCRE2_JIT_COMPLETE) != 0) {
        fprintf(stderr, "no JIT\n");
        return 1;
    }
    pcre2_match_data* match = pcre2_match_data_create(20, NULL);
    size_t capacity = 1024;
    size_t count = 0;
    struct Quotation* quotations = malloc(capacity * sizeof *quotations);
    double sum = 0;
    size_t pos = 0;
    while (pos < length) {
        int pairs = pcre2_jit_match(code, (PCRE2_SPTR)(text + pos), length - pos, 0, 0, match, NULL);
        if (pairs < 7)
            break;
        const PCRE2_SIZE* ov = pcre2_get_ovector_pointer(match);
        const char* subject = text + pos;
        struct tm parts = {0};
        parts.tm_year = (int)strtol(subject + ov[2], NULL, 10) - 1900;
        parts.tm_mon = (int)strtol(subject + ov[4], NULL, 10) - 1;
        parts.tm_mday = (int)strtol(subject + ov[6], NULL, 10);
        parts.tm_hour = (int)strtol(subject + ov[8], NULL, 10);
        parts.tm_min = (int)strtol(subject + ov[10], NULL, 10);
        parts.tm_isdst = -1;
        const time_t time = mktime(&parts);
        const double value = strtod(subject + ov[12], NULL);
        if (count == capacity) {
            capacity *= 2;
            quotations = realloc(quotations, capacity * sizeof *quotations);
        }
        quotations[count].time = time;
        quotations[count].value = value;
        ++count;
        sum += value;
        size_t next = ov[2 * (pairs - 1) + 1];
        pos += next > 0 ? next : 1;
    }
    if (!writeDurably(argv[3], quotations, count)) {
        fprintf(stderr, "cannot write %s\n", argv[3]);
        return 3;
    }
    printf("%zu %.4f\n", count, sum);
    pcre2_match_data_free(match);
    pcre2_code_free(code);
    free(quotations);
    free(text);
    return 0;
}
