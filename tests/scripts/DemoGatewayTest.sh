#!/usr/bin/env bash
# The demo's gateway moves to a free port when its own is taken, and the demo profile follows it.
# Usage: DemoGatewayTest.sh <quorl-gateway> <quorl-demo-setup>
set -euo pipefail
bin=$1 setup=$2
here=$(cd "$(dirname "$0")/../.." && pwd)
. "$here/scripts/demo-gateway.sh"
tmp=$(mktemp -d)
pids=()
trap 'for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# A first gateway holds a port; a second one asked for the same port takes another.
qc_start_gateway "$bin" "$tmp/a.log" 0
pids+=("$gateway")
taken=$gateway_port
qc_start_gateway "$bin" "$tmp/b.log" "$taken"
pids+=("$gateway")
[ -n "$gateway_port" ] && [ "$gateway_port" != "$taken" ] || fail "no free port: $taken -> $gateway_port"
exec 3<>"/dev/tcp/127.0.0.1/$gateway_port" || fail "nothing listens on $gateway_port"
exec 3>&-

# The profile names the port, and follows when the gateway moves again.
"$setup" "$tmp/demo" "127.0.0.1:$taken" "Town Square"
grep -aq "127.0.0.1:$taken" "$tmp/demo/Demo.ch5" || fail "record does not name the port"
"$setup" "$tmp/demo" "127.0.0.1:$gateway_port" "Town Square"
for f in Demo.ch5 Demo.ext; do
  grep -aq "127.0.0.1:$gateway_port" "$tmp/demo/$f" || fail "$f does not follow the port"
  ! grep -aq "127.0.0.1:$taken" "$tmp/demo/$f" || fail "$f keeps the old port"
done

# A port that is not free for other reasons is not retried: the error shows.
! qc_start_gateway "$bin" "$tmp/c.log" 99999 2>/dev/null || fail "a bad port was accepted"
echo PASS
