#!/usr/bin/env bash
# `make run`: Pelmora in the foreground, with the local generation service beside it.
# The service is started only when nothing answers at the configured address yet, and the
# one started here stops when Pelmora quits.
set -euo pipefail
build_dir="${1:-build}"
app="$build_dir/src/ui/pelmora"
generator="$build_dir/generator/pelmora-generator"

if [ ! -x "$app" ]; then
    echo "run: $app is missing; build it with 'make build'." >&2
    exit 1
fi

# The address the app was configured with (cmake -DPELMORA_GENERATOR_URL=...).
url=$(sed -n 's/^PELMORA_GENERATOR_URL:[A-Z]*=//p' "$build_dir/CMakeCache.txt" 2>/dev/null || true)
url="${url:-http://127.0.0.1:47615/api/generate-kaomoji.js}"

answers() {
    local status
    status=$(curl --silent --output /dev/null --max-time 1 --write-out '%{http_code}' \
        --header 'Content-Type: application/json' --data '{"prompt":"hello"}' "$url" || true)
    [ -n "$status" ] && [ "$status" != "000" ]
}

generator_pid=""
stop_generator() {
    if [ -n "$generator_pid" ]; then
        kill "$generator_pid" 2>/dev/null || true
        wait "$generator_pid" 2>/dev/null || true
    fi
}
trap stop_generator EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

if [[ "$url" =~ ^http://(127\.0\.0\.1|localhost):([0-9]+)/ ]]; then
    port="${BASH_REMATCH[2]}"
    if answers; then
        echo "run: a generation service already answers at $url"
    elif [ -x "$generator" ]; then
        "$generator" --port "$port" &
        generator_pid=$!
        for _ in $(seq 50); do
            answers && break
            if ! kill -0 "$generator_pid" 2>/dev/null; then
                echo "run: the generation service stopped at once; generating will fail." >&2
                generator_pid=""
                break
            fi
            sleep 0.1
        done
    else
        echo "run: $generator is missing; generating kaomoji will fail until a service" \
            "answers at $url." >&2
    fi
else
    echo "run: generation requests go to $url"
fi

# Without a desktop (a server, a container) Pelmora runs on a virtual display of its own, with a
# tray host for its tray item; both stop when Pelmora quits.
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    # shellcheck source=xsession.sh
    source "$(dirname "$0")/xsession.sh"
    xsession_start
    echo "run: no display found; starting Pelmora on a virtual display $DISPLAY with a tray host" \
        "(Xvfb + trayer). Take a screenshot with:" \
        "DISPLAY=$DISPLAY $build_dir/tests/e2e/pelmora-window-probe shot shot.png"
fi

status=0
"$app" || status=$?
exit "$status"
