#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The JSON rule on a 1 MB answer / nlohmann::json::parse of the same document (must be <= 1.5),
# medians of the CPU time of five repetitions measured in this run.
set -euo pipefail
build=$(cd "$1" && pwd)
exec bash "$(dirname "$0")/../rule-against-parse.sh" "$build/bench/json/bench_json_rule" Json
