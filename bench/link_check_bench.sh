#!/bin/bash
# Times `linkhive-cli check` on 1,000 links to a local server (127.0.0.1, 16
# ports) whose every answer takes 100 ms: one at a time would take 100 s, 16
# at once at least 6.25 s. bench/link_check_bench.sh [CLI] (default
# build/native-release/linkhive-cli; a Wine launcher followed by the .exe works too).
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
cli=${1:-${LINKHIVE_BUILD_DIR:-$root/build}/native-release/linkhive-cli}
links=1000
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

server="python3 $root/tests/support/link_server.py --port-file $work/ports"
$server --ports 16 --delay 100 --background --lifetime 600 >/dev/null
read -r -a ports <"$work/ports"
{
  echo "<html><body>"
  for ((n = 0; n < links; n++)); do
    echo "<a href=\"http://127.0.0.1:${ports[1 + n % 16]}/ok?n=$n\">link $n</a>"
  done
  echo "</body></html>"
} >"$work/links.html"
$cli import-html "$work/links.lkh" "$work/links.html"

start=$(date +%s%N)
status=0
$cli check "$work/links.lkh" >"$work/out" 2>"$work/summary" || status=$?
end=$(date +%s%N)
$server --stop
echo "check of $links links, 100 ms each: $(((end - start) / 1000000)) ms, exit status $status"
tr -d '\r' <"$work/summary"
