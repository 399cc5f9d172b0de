#!/usr/bin/env bash
# What a desktop and dpkg read from a staging install of BUILD_FOLDER and from its Debian package,
# installed with dpkg -i as root with CI=true or TINTORA_TEST_DPKG=1, else unpacked.
set -euo pipefail

build=$(cd "${1:?the build folder}" && pwd)
work=$(mktemp -d)
installed=""
cleanup() {
  [ -n "$installed" ] && dpkg -r tintora >/dev/null 2>&1 || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }

for tool in desktop-file-validate appstreamcli update-mime-database xdg-mime mimetype man cpack dpkg-deb \
            dpkg-shlibdeps identify; do
  command -v "$tool" >/dev/null || fail "$tool is missing (scripts/setup.sh installs it)"
done

id=org.example.tintora
stage=$work/stage/usr
cmake --install "$build" --prefix "$stage" >/dev/null
share=$stage/share
[ -s "$share/icons/hicolor/scalable/apps/$id.svg" ] || fail "cmake --install put no scalable icon in place"
for size in 16 32 48 64 128 256; do
  png=$share/icons/hicolor/${size}x${size}/apps/$id.png
  [ "$(identify -format '%m %wx%h' "$png")" = "PNG ${size}x$size" ] || fail "no PNG icon of $size pixels"
done

desktop-file-validate "$share/applications/$id.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$share/metainfo/$id.metainfo.xml" >"$work/appstream.txt" 2>&1 ||
  { cat "$work/appstream.txt"; fail "appstreamcli validate"; }

for page in tintora tintora-cli; do
  MANWIDTH=80 man --warnings -l "$share/man/man1/$page.1" >"$work/$page.txt" 2>"$work/man.err" || true
  [ ! -s "$work/man.err" ] || fail "man -l $page.1: $(cat "$work/man.err")"
  grep -q "^SYNOPSIS" "$work/$page.txt" || fail "$page.1 renders without a synopsis"
done

# The file type, in a data folder of its own: accepted without a word, and given to a theme.
data=$work/data
mkdir -p "$data/mime/packages"
cp "$share/mime/packages/$id.xml" "$data/mime/packages/"
XDG_DATA_DIRS="$data:/usr/share" update-mime-database "$data/mime" >"$work/mime.err" 2>&1 || true
[ ! -s "$work/mime.err" ] || fail "update-mime-database: $(cat "$work/mime.err")"
type=$(awk -F'"' '/<mime-type type=/ { print $2; exit }' "$share/mime/packages/$id.xml")
"$stage/bin/tintora-cli" new "$work/sunset.thm" --name Sunset >/dev/null
# The type of a file as a desktop without a session of its own sees it, from data folder $1.
query() {
  env -u XDG_CURRENT_DESKTOP -u DESKTOP_SESSION -u KDE_FULL_SESSION -u GNOME_DESKTOP_SESSION_ID \
    XDG_DATA_HOME="$1" XDG_DATA_DIRS="$1:/usr/share" xdg-mime query filetype "$2"
}
[ "$(query "$data" "$work/sunset.thm")" = "$type" ] ||
  fail "xdg-mime gives $(query "$data" "$work/sunset.thm") for a theme, not $type"
grep -q "^Exec=tintora %f$" "$share/applications/$id.desktop" || fail "the desktop entry does not pass the file"
grep -q "^MimeType=$type;$" "$share/applications/$id.desktop" || fail "the desktop entry does not open $type"

(cd "$build" && cpack -G DEB -B "$work/package" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; fail "cpack -G DEB"; }
deb=$(ls "$work"/package/tintora_*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libqt6widgets6 libc6 libstdc++6; do
  [[ "$depends" == *"$lib"* ]] || fail "the package does not depend on $lib: $depends"
done
# The package holds exactly what the staging install put in place.
diff <(cd "$work/stage" && find . ! -type d | sort) \
     <(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' | sort) || fail "the package and cmake --install differ"

if [ "$(id -u)" = 0 ] && { [ "${CI:-}" = "true" ] || [ "${TINTORA_TEST_DPKG:-}" = "1" ]; } &&
   ! dpkg-query -W -f='${Status}' tintora 2>/dev/null | grep -q "ok installed"; then
  installed=yes
  dpkg -i "$deb" >"$work/dpkg.log" 2>&1 || { cat "$work/dpkg.log"; fail "dpkg -i"; }
  # shared-mime-info's trigger has registered the file type system-wide.
  [ "$(query "$work/empty" "$work/sunset.thm")" = "$type" ] || fail "after dpkg -i the system does not know $type"
  bin=/usr/bin
else
  dpkg-deb -x "$deb" "$work/unpacked"
  bin=$work/unpacked/usr/bin
fi
for program in tintora-cli tintora; do
  out=$(env -u DISPLAY -u WAYLAND_DISPLAY "$bin/$program" --version) || fail "$program --version failed"
  [[ "$out" =~ ^$program\ [0-9]+\.[0-9]+\.[0-9]+$ ]] || fail "$program --version printed '$out'"
done
if [ -n "$installed" ]; then
  dpkg -r tintora >/dev/null 2>&1 || fail "dpkg -r tintora"
  installed=""
  [ ! -e /usr/bin/tintora ] || fail "/usr/bin/tintora is still there after dpkg -r"
fi
echo "PASS: staging install valid; $type given to a theme; package $(basename "$deb") in $bin answers --version"
