// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/importexport/ImportSettings.h"

#include "core/importexport/ImportLocation.h"

ImportSettings ImportSettings::initial(time_t now)
{
    constexpr time_t kThirtyDays = 30 * 86400;
    ImportSettings settings;
    settings.periodBegin = now - kThirtyDays;
    settings.periodEnd = now;
    settings.urlTemplate = ImportLocation::readTemplates().front();
    return settings;
}
