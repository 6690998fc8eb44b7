// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/base/Status.h"
#include "core/model/PortfolioItem.h"

#include <QString>

#include <future>
#include <string>
#include <vector>

// Reads the portfolio named on the command line on a second thread while the window is being set up,
// so that a large file does not add its reading time to the start-up.
class PortfolioPreload {
public:
    // An empty path reads nothing.
    explicit PortfolioPreload(const QString& path = {});

    // The path as the document opens it: absolute, with native separators.
    static std::string nativePath(const QString& path);

    // The items of `nativePath`: those read ahead when it is the file named at start-up (once),
    // otherwise read now.
    Result<std::vector<PortfolioItem>> take(const std::string& nativePath);

private:
    std::string m_path;
    // Its destruction waits for a read nobody took, so the thread never outlives what it uses.
    std::future<Result<std::vector<PortfolioItem>>> m_read;
};
