// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

// Writes a price file of LINES lines, one every STEP minutes from START (seconds since 1970, calendar
// taken as UTC), newest first: "Date,Open,High,Low,Close,Volume,Adj Close" and then
// "YYYY-MM-DD HH:MM,open,high,low,close,volume,adj close" with six decimals and an integer volume.
int main(int argc, char** argv)
{
    if (argc != 5) {
        std::fprintf(stderr, "usage: bench_import_make LINES START STEP_MINUTES OUT.csv\n");
        return 2;
    }
    const long lines = std::atol(argv[1]);
    const time_t start = std::atol(argv[2]);
    const long step = std::atol(argv[3]) * 60;
    std::FILE* out = std::fopen(argv[4], "wb");
    if (!out)
        return 3;
    std::vector<char> buffer(1 << 20);
    std::setvbuf(out, buffer.data(), _IOFBF, buffer.size());
    std::fputs("Date,Open,High,Low,Close,Volume,Adj Close\n", out);
    for (long i = lines - 1; i >= 0; --i) {
        const time_t time = start + i * step;
        std::tm parts{};
        gmtime_r(&time, &parts);
        const double close = 10 + static_cast<double>(i % 997) / 7;
        std::fprintf(out, "%04d-%02d-%02d %02d:%02d,%.6f,%.6f,%.6f,%.6f,%ld,%.6f\n", parts.tm_year + 1900,
                     parts.tm_mon + 1, parts.tm_mday, parts.tm_hour, parts.tm_min, close - 0.5, close + 1, close - 1,
                     close, 1000 + i, close);
    }
    return std::fclose(out) == 0 ? 0 : 3;
}
