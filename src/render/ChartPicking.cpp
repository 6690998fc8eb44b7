// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/ChartPicking.h"

#include <algorithm>
#include <cstdlib>

int ChartPicking::nearestPoint(const std::vector<ChartPoint>& points, int x)
{
    constexpr int kReach = 10000;
    auto byX = [](const ChartPoint& point, int value) { return point.x < value; };
    const auto right = std::lower_bound(points.begin(), points.end(), x, byX);
    int best = -1;
    long long bestDistance = kReach;
    if (right != points.begin()) {
        // The first of the points that share the x just left of the mouse.
        const auto left = std::lower_bound(points.begin(), right, std::prev(right)->x, byX);
        bestDistance = std::min<long long>(bestDistance, static_cast<long long>(x) - left->x);
        if (bestDistance < kReach)
            best = int(left - points.begin());
    }
    if (right != points.end()) {
        const long long distance = static_cast<long long>(right->x) - x;
        if (distance < bestDistance)
            best = int(right - points.begin());
    }
    return best;
}
