#!/usr/bin/env bash
# Installs the Debian packages the Tarvo tutor needs to build, run and test,
# skipping those already installed.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config clang-format
  clang libclang-rt-14-dev            # libFuzzer and the sanitizers of the fuzzing run
  dpkg-dev desktop-file-utils appstream # the Debian package and the checks of its menu entry
  qt6-base-dev libgl-dev              # Qt 6 Widgets
  qt6-translations-l10n               # Qt's own Chinese texts (standard buttons, dialogs)
  libqt6svg6                          # the window icon (an SVG)
  libqt6sql6-sqlite                   # the learning history's database (Qt SQL's SQLite driver)
  qt6-httpserver-dev qt6-websockets-dev libqt6sql6-psql # tarvo-results: HTTP server (its CMake package needs WebSockets), PostgreSQL
  postgresql                          # tarvo-results' tests: a throw-away PostgreSQL cluster
  libsdl2-mixer-dev timgm6mb-soundfont # sound: wave and MIDI playback
  espeak-ng sox                       # the spoken sound cues, made at build time
  fonts-arphic-uming fonts-arphic-ukai fonts-wqy-zenhei # the CJK fonts of the windows
  unicode-data python3 python3-jieba  # sources of the dictionary data
  libgtest-dev libbenchmark-dev       # tests and benchmarks
  xvfb xauth imagemagick              # windows under a virtual display, screenshots
  lintian                             # the package test: Debian's checker on the .deb
  fortunes-zh                         # Chinese texts (test article, character frequencies, benchmark corpus)
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
# npm fetches the stroke data (tools/fetch_stroke_sources.sh); a Node.js that
# brings its own npm is kept.
command -v npm >/dev/null || missing+=(npm)
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
