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

# Makes $1 a copy of the template Wine prefix (and $1.home of its HOME) unless a copy made since
# the template was last made is there. Cheap: links and a small copy, no wineboot.
copy_template_prefix() {
  local dest=$1 template=$DEPS_DIR/wineprefix l t
  [ "$dest/.project-ready" -nt "$template/.project-ready" ] && return 0
  rm -rf "$dest" "$dest.home"
  mkdir -p "$(dirname "$dest")"
  # Wine's own libraries (system32, winsxs: 0.7 GB, only ever read) stay hard links to the
  # template's; every other file is the copy's own, since Wine and the tests write there. Where
  # links cannot be made (another file system) the whole prefix is copied.
  if cp -al "$template" "$dest" 2>/dev/null; then
    find "$dest" -type f ! -path "$dest/drive_c/windows/system32/*" ! -path "$dest/drive_c/windows/winsxs/*" -print0 |
      while IFS= read -r -d '' l; do cp -p --remove-destination "$template${l#"$dest"}" "$l"; done
  else
    rm -rf "$dest"
    cp -a --reflink=auto "$template" "$dest"
  fi
  cp -a --reflink=auto "$template.home" "$dest.home"
  # The prefix's shell-folder links point at the template's HOME: point them at the copy's.
  find "$dest/drive_c/users" -maxdepth 3 -type l | while read -r l; do
    t=$(readlink "$l"); case "$t" in "$template.home"*) ln -sfn "$dest.home${t#$template.home}" "$l";; esac
  done
  # Without any X resources Xlib looks for ~/.Xdefaults again at every lookup: thousands of
  # failed opens in each test. An empty one is read once.
  echo '! X resources: none' >"$dest.home/.Xdefaults"
  touch "$dest/.project-ready"
}

# The process number of the wineserver of WINEPREFIX, if one runs (empty otherwise).
prefix_server_pid() {
  local p
  for p in $(pgrep -x wineserver64 2>/dev/null); do
    tr '\0' '\n' <"/proc/$p/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" && { echo "$p"; return 0; }
  done
  return 0
}

# A warm wineserver and Wine's virtual desktop for the current DISPLAY and WINEPREFIX. Started
# with no pipe to the caller: whatever Wine starts then would hold the caller's output open.
# On a busy machine a first start now and then never brings its desktop up (every window made
# there then fails): that server is ended and the start tried once more. Fails if both fail.
start_wine_desktop() {
  local try
  for try in 1 2; do
    "$WINESERVER" -p
    "$WINE64" cmd /c exit 0 </dev/null >/dev/null 2>&1
    "$WINE64" explorer /desktop=Default,1280x800 </dev/null >/dev/null 2>&1 &
    for _ in $(seq 1 300); do xwininfo -root -tree 2>/dev/null | grep -qi 'Wine desktop' && return 0; sleep 0.1; done
    "$WINESERVER" -k 2>/dev/null
    "$WINESERVER" -w
  done
  echo "no Wine desktop on $DISPLAY" >&2
  return 1
}
