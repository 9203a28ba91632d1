#!/usr/bin/env bash
# The long mixdown tests: renders of more than 2 GiB through the real
# program under Wine, each read back by Python's wave module and sox, and a
# Cancel past 2 GiB. Each needs about 2.2 GB of free disk under /tmp for a
# few minutes (the sources are sparse; the outputs are deleted at once).
#   scripts/mixdown-long.sh [ctest -R pattern]
# Prints each test's figures and ctest's time for it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
. scripts/wine-arch.sh
scripts/build.sh "$QBX_TEST_BUILD" >/dev/null
df -h /tmp | tail -1 | awk '{ print "free under /tmp: " $4 }'
start=$(date +%s)
status=0
scripts/testbed.sh run -- ctest --test-dir "build/$QBX_TEST_BUILD" -L mixdown-long -R "${1:-.}" \
  --output-on-failure -V || status=$?
echo "mixdown-long: $(( $(date +%s) - start )) s in all"
exit "$status"
