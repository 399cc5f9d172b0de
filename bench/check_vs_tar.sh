#!/usr/bin/env bash
# Checks 1,000 themes in one tintora-cli process and extracts the same 1,000 archives one by one
# with GNU tar, and prints both times and their ratio.
#   bench/check_vs_tar.sh [BUILD_DIR]
set -euo pipefail
build=${1:-build}
cli="$build/cli/tintora-cli"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# 1,000 themes with six pictures each, written by the program itself.
mkdir -p "$work/src"
for s in 101x80 101x80 101x27 101x20 101x16 101x16; do :; done
"$cli" new "$work/base.thm" --name Bench >/dev/null
python3 - "$work" <<'PY'
import os, sys, tarfile, io
work = sys.argv[1]
sizes = [(101, 80), (101, 80), (101, 27), (101, 20), (101, 16), (101, 16)]
names = ["stand.gif", "desk.gif", "medium.gif", "small.gif", "asian.gif", "large.gif"]
tags = ["Background_image", "Desktop_background_image", "Title_image_medium", "Title_image_small",
        "Title_image_asian", "Title_image_large"]
with tarfile.open(os.path.join(work, "base.thm")) as t:
    doc = t.extractfile("theme.xml").read().decode("cp1252")
lines = doc.split("\r\n")
pics = "".join('<%s Source="%s"/>\r\n' % (tag, n) for tag, n in zip(tags, names))
doc = doc.replace("<Ericsson_theme>\r\n", "<Ericsson_theme>\r\n" + pics)
for i in range(1000):
    out = os.path.join(work, "src", "t%04d.thm" % i)
    with tarfile.open(out, "w", format=tarfile.USTAR_FORMAT) as t:
        for (w, h), n in zip(sizes, names):
            data = b"GIF89a" + bytes([w, 0, h, 0]) + bytes((i + k) % 251 for k in range(5000))
            info = tarfile.TarInfo(n); info.size = len(data); t.addfile(info, io.BytesIO(data))
        d = doc.replace("FFEAB6", "%06X" % (i * 7919 % 0xFFFFFF)).encode("cp1252")
        info = tarfile.TarInfo("theme.xml"); info.size = len(d); t.addfile(info, io.BytesIO(d))
PY
ls "$work"/src/*.thm > "$work/list"
now() { date +%s.%N; }

t0=$(now)
xargs "$cli" check < "$work/list" > /dev/null || true
t1=$(now)
mkdir -p "$work/x"
while read -r f; do tar -xf "$f" -C "$work/x"; done < "$work/list"
t2=$(now)
python3 - "$t0" "$t1" "$t2" <<'PY'
import sys
t0, t1, t2 = map(float, sys.argv[1:])
check, tar = t1 - t0, t2 - t1
print(f"tintora-cli check, 1000 themes in one process: {check*1000:.0f} ms")
print(f"GNU tar -xf, 1000 archives one by one:        {tar*1000:.0f} ms")
print(f"ratio: {tar/check:.1f}x")
PY
