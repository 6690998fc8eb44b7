// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// SIGINT and SIGTERM during an unattended update: the first one ends the update gently (what was
// fetched is saved, then the process exits with 128 + the signal's number, as the shell expects);
// a second one ends the process at once.
namespace StopSignals {

void install();
// The signal received since install(), 0 for none.
int received();

} // namespace StopSignals
