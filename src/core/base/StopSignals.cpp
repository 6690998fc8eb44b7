// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/base/StopSignals.h"

#include <csignal>

namespace {

volatile std::sig_atomic_t g_signal = 0;

// The default action comes back for a second signal.
extern "C" void onStopSignal(int signal)
{
    g_signal = signal;
    std::signal(signal, SIG_DFL);
}

} // namespace

namespace StopSignals {

void install()
{
    g_signal = 0;
    std::signal(SIGINT, onStopSignal);
    std::signal(SIGTERM, onStopSignal);
}

int received()
{
    return g_signal;
}

} // namespace StopSignals
