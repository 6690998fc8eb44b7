// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "StatusOutcome.h"
#include "core/model/PortfolioArchive.h"

#include <gtest/gtest.h>

// The portfolio stream of `items`, failing the test when it cannot be written.
inline QByteArray writeItems(const std::vector<PortfolioItem>& items)
{
    std::vector<const PortfolioItem*> list;
    for (const PortfolioItem& item : items)
        list.push_back(&item);
    QByteArray out;
    std::string error;
    EXPECT_TRUE(succeeded(PortfolioArchive::write(list), out, error)) << error;
    return out;
}
