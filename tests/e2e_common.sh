# Shared by the end-to-end window tests (sourced, not run).

# stop_pids PID...: ends the processes and waits for them.
stop_pids() {
    local pid
    for pid in "$@"; do kill "$pid" 2>/dev/null || true; done
    for pid in "$@"; do wait "$pid" 2>/dev/null || true; done
}

# wait_for SECONDS COMMAND...: polls COMMAND every 0.1 s until it succeeds; fails after SECONDS.
wait_for() {
    local tries=$(($1 * 10))
    shift
    until "$@" >/dev/null 2>&1; do
        tries=$((tries - 1))
        [ "$tries" -gt 0 ] || return 1
        sleep 0.1
    done
}
