#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The XPath rule on a 1 MB page / libxml2's htmlReadMemory of the same page (must be <= 1.5),
# medians of the CPU time of five repetitions measured in this run.
set -euo pipefail
build=$(cd "$1" && pwd)
exec bash "$(dirname "$0")/../rule-against-parse.sh" "$build/bench/xpath/bench_xpath_rule" XPath
