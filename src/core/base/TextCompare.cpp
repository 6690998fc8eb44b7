#include "core/base/TextCompare.h"

#ifdef _WIN32
#include <string.h>
#define strcasecmp _stricmp
#else
#include <strings.h>
#endif

int compareIgnoringCase(const std::string& a, const std::string& b)
{
    return strcasecmp(a.c_str(), b.c_str());
}
