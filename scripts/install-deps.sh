#!/usr/bin/env bash
# Installs, only when missing, the Debian packages that building, testing and running QxEditor need.
#   scripts/install-deps.sh          build, tests and `make run`
#   scripts/install-deps.sh bench    adds the outside tools the benchmarks compare against
#   scripts/install-deps.sh fuzz     adds clang for the libFuzzer targets
# Runs `apt-get update` first when there is something to install; works as root and through sudo.
set -euo pipefail

packages=(
  g++ make cmake ninja-build ccache pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-ipafont-gothic xvfb xauth
  # Qt's own dialogs (file, folder, page setup) in Japanese
  qt6-translations-l10n
  # the build renders the program icon from its SVG
  librsvg2-bin
  # the global hot key grabs keys through X11 (xcb)
  libxcb1-dev
  # outside tools the tests compare against
  nkf libonig-dev
)
for extra in "$@"; do
  case "$extra" in
    bench) packages+=(vim ripgrep grep time git) ;;
    fuzz)  packages+=(clang libclang-rt-14-dev) ;;
    *) echo "install-deps: unknown set '$extra'" >&2; exit 2 ;;
  esac
done

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
  sudo=()
elif command -v sudo >/dev/null 2>&1; then
  sudo=(sudo)
else
  echo "install-deps: need root or sudo to install: ${missing[*]}" >&2
  exit 1
fi
echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -q
"${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
