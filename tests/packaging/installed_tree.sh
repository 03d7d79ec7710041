#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks the tree with Debian's own validators,
# then packs the .deb from the same build and has lintian judge it.
# Arguments: the build directory.
set -euo pipefail
build_dir="$1"
work=$(mktemp -d "${TMPDIR:-/tmp}/pelmora-install.XXXXXX")
trap 'rm -rf "$work"' EXIT
fail() {
    echo "installed tree: FAIL: $*" >&2
    exit 1
}
for tool in desktop-file-validate appstreamcli lintian man dpkg-deb systemd-socket-activate curl; do
    command -v "$tool" >/dev/null || fail "$tool is missing; scripts/setup.sh installs it"
done

prefix="$work/prefix"
cmake --install "$build_dir" --prefix "$prefix" >"$work/install.log" || {
    cat "$work/install.log" >&2
    fail "cmake --install failed"
}
for file in bin/pelmora bin/pelmora-generator \
    share/applications/pelmora.desktop share/metainfo/pelmora.metainfo.xml \
    share/icons/hicolor/scalable/apps/pelmora.svg \
    share/icons/hicolor/symbolic/apps/pelmora-symbolic.svg \
    share/icons/hicolor/16x16/apps/pelmora.png share/icons/hicolor/256x256/apps/pelmora.png \
    share/man/man1/pelmora.1.gz share/man/man1/pelmora-generator.1.gz \
    lib/systemd/user/pelmora-generator.socket lib/systemd/user/pelmora-generator.service; do
    [ -e "$prefix/$file" ] || fail "$file is not installed"
done
# Nothing of the tests or benchmarks leaks into the install.
extra=$(find "$prefix" -type f | grep -E 'Test|bench|probe' || true)
[ -z "$extra" ] || fail "installed test files: $extra"

desktop-file-validate "$prefix/share/applications/pelmora.desktop" || fail "desktop file"
appstreamcli validate --no-net "$prefix/share/metainfo/pelmora.metainfo.xml" || fail "metainfo"
for page in pelmora pelmora-generator; do
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$prefix/share/man/man1/$page.1.gz" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "$page.1: $warnings"
done
grep -q "^ExecStart=$(grep -o '^CMAKE_INSTALL_PREFIX:PATH=.*' "$build_dir/CMakeCache.txt" | cut -d= -f2)/bin/pelmora-generator$" \
    "$prefix/lib/systemd/user/pelmora-generator.service" || fail "the service unit starts no installed program"
"$prefix/bin/pelmora" --version | grep -q "Pelmora" || fail "the installed pelmora does not run"

# The installed service under socket activation, as its user unit has systemd run it: nothing
# runs until the first request, which the service then answers on the socket it was handed.
port=$(/usr/bin/python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
systemd-socket-activate -l "127.0.0.1:$port" "$prefix/bin/pelmora-generator" 2>"$work/activation.log" &
activator=$!
trap 'kill "$activator" 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 50); do grep -q "^Listening on" "$work/activation.log" && break; sleep 0.1; done
grep -q "pelmora-generator listening" "$work/activation.log" && fail "the service ran before any request"
reply=$(curl --silent --max-time 10 --header 'Content-Type: application/json' \
    --data '{"prompt":"sleepy cat"}' "http://127.0.0.1:$port/api/generate-kaomoji.js")
case "$reply" in '{"kaomoji":'*) ;; *) fail "the activated service answered '$reply'" ;; esac
grep -q "pelmora-generator listening on http://127.0.0.1:$port" "$work/activation.log" \
    || fail "the service did not serve the handed socket: $(cat "$work/activation.log")"

# The package from the same build: dependencies found by dpkg-shlibdeps, and lintian finds no error.
(cd "$work" && cpack --config "$(realpath "$build_dir")/CPackConfig.cmake" -B "$work/deb" >"$work/cpack.log" 2>&1) || {
    cat "$work/cpack.log" >&2
    fail "cpack failed"
}
deb=$(ls "$work"/deb/pelmora_*.deb)
dpkg-deb -f "$deb" Depends | grep -q "libqt6core6" || fail "no shared-library dependencies in $(dpkg-deb -f "$deb" Depends)"
lintian --fail-on error "$deb" 2>&1 | grep -v "running with root privileges" || true
lintian --fail-on error "$deb" >/dev/null 2>&1 || fail "lintian reports errors for $deb"
echo "installed tree: passed"
