# Common environment for the project's scripts: sourced, never run.
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD_DIR=${BUILD_DIR:-$ROOT/build/main}
DEPS_DIR=${DEPS_DIR:-$ROOT/build/deps}
WINE64=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver
export WINEPREFIX=${WINEPREFIX:-$BUILD_DIR/wineprefix}
export WINEDEBUG=-all WINEARCH=win64
{ export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8; } 2>/dev/null
export WINEDLLOVERRIDES="winemenubuilder.exe=d"
export HOME_SAVED=${HOME_SAVED:-$HOME}
export HOME=$WINEPREFIX.home
export ALSA_CONFIG_PATH=$ROOT/tests/asound-null.conf
