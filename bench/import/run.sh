#!/usr/bin/env bash
# Import of a 100,000-line Yahoo-style CSV (newest first) by tickora-cli against a bare C reference with the
# same PCRE2 JIT loop, a Perl loop over the lines and grep -cP. Prints the ratios of the best of three runs.
set -euo pipefail
build_dir=$(cd "${1:-build-bench}" && pwd)
cli="$build_dir/src/cli/tickora-cli"
reference="$build_dir/bench/import/import_reference"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export TICKORA_SETTINGS="$work/settings.ini" TZ=Europe/Berlin LC_ALL=C

csv="$work/history.csv"
perl -e '
  use POSIX qw(strftime);
  print "Date,Open,High,Low,Close,Volume,Adj Close\n";
  my $newest = 2145830400; # 2037-12-31
  for my $i (0 .. 99999) {
    my $t = $newest - int($i * 0.245) * 86400;
    my $close = 10 + ($i % 997) / 7;
    printf "%s,%.2f,%.2f,%.2f,%.2f,%d,%.2f\n", strftime("%Y-%m-%d", gmtime $t),
      $close - 0.5, $close + 1, $close - 1, $close, 1000 + $i, $close;
  }' > "$csv"

format='[&year]-[&month]-[&day],[&dummyvalue],[&dummyvalue],[&dummyvalue],[&value]'
# What the import format above translates to with the separators " 9999.99".
months='[0-9]+|jan|january|januar|janeiro|feb|fev|february|februar|fevereiro|mar|mär|march|märz|março|apr|abr|april|abril|may|mai|maio|jun|june|juni|junho|jul|july|juli|julho|aug|ago|august|agosto|sep|set|september|setembro|oct|okt|out|october|oktober|outubro|nov|november|novembro|dec|dez|december|dezember|dezembro'
pattern="([0-9]+)-(${months})-[ ]*([0-9]+),[0-9.]+,[0-9.]+,[0-9.]+,([0-9.]+)"

cli_args=(import "$csv" --format "$format")
import_help=$("$cli" import --help 2>&1 || true)
if grep -q -- '--into' <<<"$import_help"; then
  "$cli" new "$work/p.tkr" >/dev/null
  "$cli" add "$work/p.tkr" --name Bench >/dev/null
  cli_args+=(--into "$work/p.tkr" --item Bench)
  label="tickora-cli import --into"
else
  label="tickora-cli import"
fi

best() {
  local best_time=""
  for _ in 1 2 3; do
    local start end
    start=$(date +%s.%N)
    "$@" >/dev/null 2>&1
    end=$(date +%s.%N)
    best_time=$(echo "$start $end ${best_time:-1e9}" | awk '{ t = $2 - $1; print (t < $3 ? t : $3) }')
  done
  echo "$best_time"
}

found=$("$cli" "${cli_args[@]}" 2>/dev/null | wc -l)
echo "quotations: tickora-cli $found, reference $("$reference" "$pattern" "$csv" | cut -d' ' -f1), grep $(grep -ciP "$pattern" "$csv")"

t_cli=$(best "$cli" "${cli_args[@]}")
t_ref=$(best "$reference" "$pattern" "$csv")
t_perl=$(best env P="$pattern" perl -ne 'BEGIN { $re = qr/$ENV{P}/i } if ($_ =~ $re) { $sum += $4; $n++ } END { print "$n $sum\n" }' "$csv")
t_grep=$(best grep -ciP "$pattern" "$csv")

awk -v l="$label" -v c="$t_cli" -v r="$t_ref" -v p="$t_perl" -v g="$t_grep" 'BEGIN {
  printf "%s: %.3f s, C reference: %.3f s, Perl loop: %.3f s, grep -cP: %.3f s\n", l, c, r, p, g
  printf "ratio to C reference: %.2f (at most 2)\n", c / r
  printf "ratio to Perl loop:   %.2f (below 1)\n", c / p
  printf "ratio to grep -cP:    %.2f\n", c / g
  exit (c / r <= 2 && c / p < 1) ? 0 : 1
}'
