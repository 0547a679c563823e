# Sourced by ./run and its test: qc_start_gateway <gateway> <log> <port> [options...] starts the
# stand-in gateway on 127.0.0.1 and the port, or on a free port when that one is taken, and sets
# gateway (its process id) and gateway_port. Returns non-zero, with the log on stderr, when it
# cannot start.
qc_start_gateway() {
  local bin=$1 log=$2 port=$3
  shift 3
  local try
  for try in "$port" 0; do
    "$bin" --address 127.0.0.1 --port "$try" "$@" >"$log" 2>&1 &
    gateway=$!
    local _
    for _ in $(seq 100); do
      grep -q '^listening on' "$log" 2>/dev/null && break
      kill -0 "$gateway" 2>/dev/null || break
      sleep 0.1
    done
    if grep -q '^listening on' "$log" 2>/dev/null; then
      gateway_port=$(sed -n 's/^listening on .*:\([0-9]*\)$/\1/p' "$log" | head -n 1)
      return 0
    fi
    kill "$gateway" 2>/dev/null || true
    wait "$gateway" 2>/dev/null || true
    # Only a taken port is worth another try.
    grep -q 'already in use' "$log" || break
  done
  echo "The demo gateway did not start:" >&2
  cat "$log" >&2
  return 1
}
