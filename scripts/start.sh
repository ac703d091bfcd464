#!/usr/bin/env bash
# Installs what is missing, builds, and starts Orvela from its run directory.
# Without a display it starts a virtual X server (Xvfb) for it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" "$root/build"
cd "$root/build/run"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display: starting Orvela on a virtual X server (:99)."
  Xvfb :99 -screen 0 1024x768x24 >/dev/null 2>&1 &
  xvfb=$!
  trap 'kill $xvfb 2>/dev/null || true' EXIT
  export DISPLAY=:99
  sleep 1
  # No sound card on such a machine: OpenAL plays into a silent device.
  export ALSOFT_DRIVERS=${ALSOFT_DRIVERS:-null}
fi
./orvela
