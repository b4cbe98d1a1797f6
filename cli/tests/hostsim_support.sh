# Sourced by the tests that download: hostsim on a pseudo-terminal.
# Needs $hostsim, $work and fail(); sets host_pid and exports PADX25_COM1.
export PADX25_GUARD_MS=20
host_pid=
stop_host() {
  if [ -n "$host_pid" ]; then kill "$host_pid" 2> /dev/null || true; wait "$host_pid" 2> /dev/null || true; fi
  host_pid=
}
# Starts hostsim on $work/host with the given options and points COM1 at its device.
start_host() {
  stop_host
  "$hostsim" --guard-ms 20 "$@" "$work/host" > "$work/host.out" 2> "$work/host.err" &
  host_pid=$!
  for _ in $(seq 1 300); do
    [ -s "$work/host.out" ] && break
    kill -0 "$host_pid" 2> /dev/null || fail "hostsim did not start: $(cat "$work/host.err")"
    sleep 0.1
  done
  PADX25_COM1=$(head -n 1 "$work/host.out")
  [ -n "$PADX25_COM1" ] || fail "hostsim printed no device"
  export PADX25_COM1
}
