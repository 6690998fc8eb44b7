// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "render/ChartRenderer.h"

#include <vector>

namespace ChartPicking {

// The point horizontally nearest to `x` (the earlier one on ties), -1 when there is none within
// 10000 pixels. The points lie left to right, as the chart draws them.
int nearestPoint(const std::vector<ChartPoint>& points, int x);

} // namespace ChartPicking
