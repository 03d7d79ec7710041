#!/usr/bin/env bash
# Runs every test through ctest. UI tests bring their own display (offscreen, or an
# Xvfb they start), so nothing here depends on the caller's desktop.
set -euo pipefail
build_dir="${1:-build}"
cd "$build_dir"
ctest --output-on-failure --parallel 2 --timeout 600
