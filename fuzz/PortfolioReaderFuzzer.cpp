#include "model/PortfolioArchive.h"

#include <cstddef>
#include <cstdint>

// Any byte sequence either reads or is refused; what reads writes back and reads again to the
// same bytes.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<CWPapier> items;
    if (!PortfolioArchive::read(reinterpret_cast<const char*>(data), size, items, nullptr))
        return 0;
    std::vector<const CWPapier*> list;
    for (const CWPapier& item : items)
        list.push_back(&item);
    QByteArray written;
    std::string error;
    if (!PortfolioArchive::write(list, written, error))
        __builtin_trap();
    std::vector<CWPapier> again;
    if (!PortfolioArchive::read(written.constData(), static_cast<size_t>(written.size()), again, nullptr))
        __builtin_trap();
    list.clear();
    for (const CWPapier& item : again)
        list.push_back(&item);
    QByteArray rewritten;
    PortfolioArchive::write(list, rewritten, error);
    if (rewritten != written)
        __builtin_trap();
    return 0;
}
