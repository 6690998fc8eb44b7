// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstdio>
#include <string>
#include <unistd.h>
#include <vector>

// The bare save: reads IN whole, writes the same bytes to a temporary file beside OUT, flushes it to disk
// and renames it over OUT.
int main(int argc, char** argv)
{
    if (argc != 3)
        return 2;
    std::FILE* in = std::fopen(argv[1], "rb");
    if (!in)
        return 3;
    std::vector<char> bytes;
    char chunk[1 << 16];
    for (size_t got = 0; (got = std::fread(chunk, 1, sizeof chunk, in)) > 0;)
        bytes.insert(bytes.end(), chunk, chunk + got);
    std::fclose(in);
    const std::string temporary = std::string(argv[2]) + ".tmp";
    std::FILE* out = std::fopen(temporary.c_str(), "wb");
    if (!out)
        return 3;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size() && std::fflush(out) == 0 &&
        fsync(fileno(out)) == 0;
    if (std::fclose(out) != 0 || !written || std::rename(temporary.c_str(), argv[2]) != 0)
        return 3;
    return 0;
}
