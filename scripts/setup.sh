#!/usr/bin/env bash
# Installs the Debian packages that building, testing and benchmarking Orvelk
# need. Idempotent: it asks apt only for what is missing, and refreshes the
# package lists only when something must be installed.
set -euo pipefail

packages=(
  gcc g++ cmake ninja-build pkg-config  # the build
  lld                                   # orvelk's start functions laid out together
  ccache                                # the build: objects shared between builds
  binutils-mingw-w64-x86-64             # windres: the plug-in's resource script
  libpng-dev                            # the stand-in's PNG output
  libcairo2-dev                         # the stand-in's PDF, EPS and PNG export
  nlohmann-json3-dev                    # the stand-in's action sets
  libpango1.0-dev                       # the stand-in's pictures of dialogs
  fonts-ipafont-gothic fonts-urw-base35 # their faces: IPAPGothic, Nimbus Sans
  libgtest-dev libgmock-dev             # tests
  libzxing-dev                          # tests: a real QR decoder
  poppler-utils ghostscript librsvg2-bin  # tests: exports rasterised (pdftoppm, gs, rsvg-convert)
  libbenchmark-dev                      # bench/
  libqrencode-dev libqrcodegencpp-dev   # bench/: peer encoders
  zint qrencode                         # bench/process_table.py: the peers of orvelk batch and encode
  python3-minimal                       # tests: the include graph's check
  zlib1g-dev                            # the table generator's check values; tests
  clang libclang-rt-14-dev              # fuzz/: libFuzzer and the sanitizers for clang
  libgtk-3-dev                          # the stand-in's dialogs as windows (--interactive)
  xvfb xdotool imagemagick              # tests: the windows driven on a virtual display
  help2man man-db                       # the manual pages, made from the help texts
  zbar-tools                            # tests: a second QR reader (zbarimg) of exported PNGs
  g++-mingw-w64-x86-64-posix            # the Windows build (preset windows)
  g++-mingw-w64-i686-win32              # the host interface's check against its facts (32-bit)
  libz-mingw-w64-dev googletest         # its table generator's zlib; GoogleTest's sources
  wine wine64                           # the Windows build's programs and tests, run here
  g++-mingw-w64-i686-win32              # the 32-bit Windows module (preset windows32), and
  binutils-mingw-w64-i686               #   its windres and objdump
  g++-multilib lib32z1-dev              # the 32-bit Linux build (preset linux32), and
  qemu-user                             #   its programs on a kernel that does not run them
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "setup: installing ${missing[*]}" >&2
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
