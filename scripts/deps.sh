# Sourced by ./run and ./test: installs the Debian packages the build needs, only when missing.
qc_need_packages() {
  local missing=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

QC_BUILD_PACKAGES=(cmake ninja-build g++ make pkg-config qt6-base-dev qt6-base-dev-tools
  qt6-multimedia-dev qt6-qpa-plugins libgl-dev)
# The fuzz targets (./fuzz, and ./test runs them briefly): clang with libFuzzer and the sanitizer runtimes.
QC_FUZZ_PACKAGES=(clang libclang-rt-14-dev)
