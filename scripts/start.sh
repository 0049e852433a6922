#!/usr/bin/env bash
# Sets up everything Pennyfold needs, builds it and starts the desktop program.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh --target pennyfold
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "pennyfold: no display is available." >&2
  echo "Start it on a virtual display instead:  xvfb-run -a bash scripts/start.sh" >&2
  exit 1
fi
exec "${PENNYFOLD_BUILD_DIR:-build}/app/pennyfold" "$@"
