// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>
#ifdef PACKED_SUM_IN_QT
#include <QCoreApplication>
#endif

// The bare reference: read packed 12-byte records (int32 time, double value) and sum the values. Built with
// PACKED_SUM_IN_QT, the same work in a Qt Core program: the floor of a Qt command-line tool for it.
int main(int argc, char** argv)
{
#ifdef PACKED_SUM_IN_QT
    const QCoreApplication app(argc, argv);
#endif
    if (argc != 2)
        return 2;
    std::FILE* file = std::fopen(argv[1], "rb");
    if (!file)
        return 3;
    std::vector<char> buffer(1 << 20);
    double sum = 0;
    size_t carry = 0;
    size_t got = 0;
    while ((got = std::fread(buffer.data() + carry, 1, buffer.size() - carry, file)) > 0) {
        const size_t available = carry + got;
        size_t pos = 0;
        for (; pos + 12 <= available; pos += 12) {
            double value = 0;
            std::memcpy(&value, buffer.data() + pos + 4, 8);
            sum += value;
        }
        carry = available - pos;
        std::memmove(buffer.data(), buffer.data() + pos, carry);
    }
    std::fclose(file);
    std::printf("%.4f\n", sum);
    return 0;
}
