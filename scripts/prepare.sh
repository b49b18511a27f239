# Shared by run.sh and test.sh: install what is missing, then build.
# Sourced, not executed; expects MIRELTA_ROOT to be set.

# clang and libclang-rt-14-dev (libFuzzer, not pulled in without
# recommends) build the fuzz targets of scripts/fuzz.sh.
MIRELTA_PACKAGES=(g++ cmake make qt6-base-dev libgtest-dev libgmock-dev libbenchmark-dev fonts-liberation2
  qt6-translations-l10n clang-format clang libclang-rt-14-dev)
# Photographs: TIFF through Qt's image plugins (also needed when the
# program runs), FITS through cfitsio, the EXIF moment through exiv2.
MIRELTA_PACKAGES+=(qt6-image-formats-plugins libcfitsio-dev libexiv2-dev)
# The Debian package and its checks (scripts/check_package.sh).
MIRELTA_PACKAGES+=(dpkg-dev file desktop-file-utils appstream lintian)

mirelta_install_missing() {
  local missing=()
  local pkg
  for pkg in "${MIRELTA_PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$pkg")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  if [ "$(id -u)" -ne 0 ]; then
    if command -v sudo >/dev/null 2>&1; then
      sudo="sudo"
    else
      echo "Missing packages (${missing[*]}) and neither root nor sudo available." >&2
      return 1
    fi
  fi
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get update -q
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
}

mirelta_build() {
  local build_dir="$1"
  cmake -S "$MIRELTA_ROOT" -B "$build_dir" -DCMAKE_BUILD_TYPE=Release
  cmake --build "$build_dir" -j "$(nproc)"
}

# The whole suite with AddressSanitizer and UndefinedBehaviorSanitizer (g++),
# without the benchmarks; -O1 keeps the build and the run short.
mirelta_build_sanitized() {
  local build_dir="$1"
  local sanitizers="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
  cmake -S "$MIRELTA_ROOT" -B "$build_dir" -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g1" \
    -DCMAKE_CXX_FLAGS="$sanitizers" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" \
    -DMIRELTA_BUILD_BENCHMARKS=OFF
  cmake --build "$build_dir" -j "$(nproc)"
}
