// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>

// The processor time the calling thread has used so far.
std::chrono::nanoseconds threadCpuTime();
