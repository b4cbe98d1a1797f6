#!/usr/bin/env bash
# The Debian package: its files, its desktop entries and metadata, and the
# packaged programs run from a scratch root with a fresh home folder.
set -euo pipefail
deb=$(readlink -f "$1")
work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2> /dev/null || true; wait "$pid" 2> /dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
# Waits up to 30 s for the command to succeed.
await() {
  for _ in $(seq 1 300); do "$@" && return 0; sleep 0.1; done
  return 1
}

dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|' > "$work/files"
for f in /usr/bin/lumvex /usr/bin/lumvexctl /usr/bin/hostsim /usr/bin/lumvex-launch \
  /usr/lib/x86_64-linux-gnu/libpadx25.so.1 /usr/include/pad/padx25.h \
  /usr/share/applications/org.lumvex.Lumvex.desktop /usr/share/applications/org.lumvex.Lumvex.Training.desktop \
  /usr/share/metainfo/org.lumvex.Lumvex.metainfo.xml /usr/share/icons/hicolor/scalable/apps/lumvex.svg \
  /usr/share/icons/hicolor/48x48/apps/lumvex.png /usr/share/man/man1/lumvex.1.gz /usr/share/man/man1/lumvexctl.1.gz \
  /usr/share/man/man1/hostsim.1.gz /usr/share/lumvex/config.dat.template /usr/share/doc/lumvex/copyright \
  /usr/share/doc/lumvex/lumvex-download.timer /usr/share/doc/lumvex/lumvex-download.service; do
  grep -qx -- "$f" "$work/files" || fail "the package lacks $f"
done
grep -q '^/usr/share/lumvex/training/abc01/kordex\.' "$work/files" || fail "no practice bills"
dpkg-deb -f "$deb" Depends | grep -q fonts-thai-tlwg || fail "no dependency on the Thai fonts"
[ "$(dpkg-deb -f "$deb" Version)" = "$(cd "$(dirname "$0")/../.." && sed -n 's/^project(lumvex VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)" ] \
  || fail "package version differs from the project's"

root=$work/root
dpkg-deb -x "$deb" "$root"
desktop-file-validate "$root"/usr/share/applications/*.desktop || fail "desktop entries"
appstreamcli validate --no-net "$root/usr/share/metainfo/org.lumvex.Lumvex.metainfo.xml" > "$work/as.out" 2>&1 \
  || fail "metadata: $(cat "$work/as.out")"
grep -q 'release version="1.05"' "$root/usr/share/metainfo/org.lumvex.Lumvex.metainfo.xml" || fail "metadata version"
zcat "$root/usr/share/man/man1/lumvexctl.1.gz" | groff -man -Tutf8 -ww -z 2> "$work/man.err" || true
[ ! -s "$work/man.err" ] || fail "lumvexctl(1): $(cat "$work/man.err")"

export LD_LIBRARY_PATH=$root/usr/lib/x86_64-linux-gnu QT_QPA_PLATFORM=offscreen
[ "$("$root/usr/bin/lumvexctl" --version)" = "lumvexctl 1.05" ] || fail "lumvexctl --version"
[ "$("$root/usr/bin/hostsim" --version)" = "hostsim 1.05" ] || fail "hostsim --version"

# The desktop entry's start: the store in the home folder, made with its config.dat.
export HOME=$work/home
mkdir -p "$HOME"
(cd "$HOME" && exec "$root/usr/bin/lumvex-launch") > "$work/launch.out" 2>&1 &
pids+=($!)
store="$HOME/ORQ Download"
await test -f "$store/config.dat" || fail "no store with config.dat: $(cat "$work/launch.out")"
await pgrep -f "^$root/usr/bin/lumvex\$" > /dev/null || fail "the window did not start: $(cat "$work/launch.out")"
cmp -s "$store/config.dat" "$root/usr/share/lumvex/config.dat.template" || fail "config.dat is not the template"
(cd "$store" && "$root/usr/bin/lumvexctl" device) | grep -q "^Port: COM1" || fail "the template does not read"
[ ! -e "$HOME/download.log" ] || fail "download.log in the home folder"
kill "${pids[0]}"; wait "${pids[0]}" 2> /dev/null || true

# The training entry: its own store with the practice Service Codes, hostsim
# on COM1; both gone when the launcher stops.
"$root/usr/bin/lumvex-launch" --training > "$work/training.out" 2>&1 &
pids+=($!)
training="$HOME/ORQ Download (training)"
await grep -q "Staff ID 123456" "$work/training.out" || fail "training did not start: $(cat "$work/training.out")"
grep -q "^abc01" "$training/download.log" && grep -q "^xyz02" "$training/download.log" || fail "practice Service Codes"
pgrep -f "^$root/usr/bin/hostsim" > /dev/null || fail "no hostsim"
[ ! -e "$store/download.log" ] || fail "training touched the real store"
kill "${pids[1]}"; wait "${pids[1]}" 2> /dev/null || true
await bash -c "! pgrep -f '^$root/usr/bin/hostsim' > /dev/null" || fail "hostsim outlived the launcher"
echo "package ok"
