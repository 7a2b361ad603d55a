# Shared by scripts/test and scripts/run: installing what is missing,
# configuring and building the build trees, and the Wine environment.

QM_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
QM_BUILD="$QM_ROOT/build"
QM_WINE=/usr/lib/wine/wine64

QM_PACKAGES=(cmake ninja-build g++ libgtest-dev googletest zlib1g-dev
             g++-mingw-w64-i686 g++-mingw-w64-x86-64 libz-mingw-w64-dev
             wine64 xvfb zip unzip python3 clang-format)

qm_log() { echo "== $*" >&2; }

# Installs the Debian packages that are not there yet; silent when all are.
qm_ensure_packages() {
  local missing=() pkg
  for pkg in "${QM_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" || missing+=("$pkg")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  if [ "$(id -u)" -ne 0 ]; then
    echo "Missing packages: ${missing[*]}. Run as root or install them with apt-get." >&2
    return 1
  fi
  qm_log "installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq >/dev/null || return 1
  apt-get install -y -qq "${missing[@]}" >/dev/null || return 1
}

# qm_build NAME TARGET... [-- CMAKE_ARGS...]: configures build/NAME once and builds the targets.
qm_build() {
  local name=$1; shift
  local targets=() args=()
  while [ $# -gt 0 ] && [ "$1" != "--" ]; do targets+=("$1"); shift; done
  [ "${1:-}" = "--" ] && shift
  args=("$@")
  local dir="$QM_BUILD/$name"
  mkdir -p "$QM_BUILD"
  if [ ! -f "$dir/build.ninja" ]; then
    qm_log "configuring $name"
    cmake -S "$QM_ROOT" -B "$dir" -G Ninja -DQM_WERROR=ON "${args[@]}" >"$dir.configure.log" 2>&1 ||
      { cat "$dir.configure.log" >&2; return 1; }
  fi
  qm_log "building $name"
  ninja -C "$dir" "${targets[@]}" >"$dir.build.log" 2>&1 ||
    { grep -E -A5 'error|FAILED' "$dir.build.log" | head -60 >&2; return 1; }
}

qm_cross_args() { echo "-DCMAKE_TOOLCHAIN_FILE=$QM_ROOT/cmake/toolchain-$1.cmake -DCMAKE_BUILD_TYPE=Release"; }

# A private Wine prefix inside the build folder, created on first use.
qm_wine_env() {
  export WINEPREFIX="$QM_BUILD/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    qm_log "creating Wine prefix"
    "$QM_WINE" wineboot -i >/dev/null 2>&1
    "$QM_ROOT/scripts/lib/wait-wineserver.sh"
  fi
}

# Xvfb runs no window manager, and Wine waits up to 2 s for one to withdraw
# each managed top-level window it hides or destroys; an executable named
# here gets unmanaged windows, which are hidden at once.
qm_wine_unmanaged() {
  local exe
  for exe in "$@"; do
    "$QM_WINE" reg add "HKCU\\Software\\Wine\\AppDefaults\\$exe\\X11 Driver" /v Managed /d N /f >/dev/null 2>&1
  done
}

# Starts Xvfb when there is no display; qm_stop_display stops what it started.
QM_XVFB_PID=
qm_ensure_display() {
  [ -n "${DISPLAY:-}" ] && return 0
  local n pid
  for n in $(seq 99 140); do
    # A lock left by a server that was killed names a process that is gone.
    if [ -e "/tmp/.X$n-lock" ]; then
      pid=$(tr -dc '0-9' <"/tmp/.X$n-lock" 2>/dev/null)
      if [ -z "$pid" ] || ! kill -0 "$pid" 2>/dev/null; then
        rm -f "/tmp/.X$n-lock" "/tmp/.X11-unix/X$n"
      fi
    fi
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || break
  done
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  QM_XVFB_PID=$!
  local tries
  for tries in $(seq 50); do
    [ -e "/tmp/.X11-unix/X$n" ] && break
    sleep 0.1
  done
  export DISPLAY=":$n"
}

qm_stop_display() {
  [ -n "${WINEPREFIX:-}" ] && wineserver -k >/dev/null 2>&1
  if [ -n "$QM_XVFB_PID" ]; then
    kill "$QM_XVFB_PID" 2>/dev/null
    wait "$QM_XVFB_PID" 2>/dev/null
    QM_XVFB_PID=
  fi
}
