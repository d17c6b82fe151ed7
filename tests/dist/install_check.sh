#!/usr/bin/env bash
# Installs the built editor into a temporary prefix and checks what lands
# there with the desktop's own tools.
# install_check.sh <build dir> <source dir> <application id> <ship file type> <version>
set -euo pipefail
build=$1 source=$2 id=$3 mime=$4 version=$5
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null
(cd "$prefix" && find . -type f | sed 's|^\./||' | sort) >"$work/files"
sed "s/@ID@/$id/" "$(dirname "$0")/installed-files.txt" | sort >"$work/expected"
diff -u "$work/expected" "$work/files" || fail "installed files differ from the list"

[ "$("$prefix/bin/pelto5" --version)" = "pelto5 $version" ] || fail "installed pelto5 --version"

desktop=$prefix/share/applications/$id.desktop
report=$(desktop-file-validate "$desktop") || fail "desktop-file-validate: $report"
[ -z "$report" ] || fail "desktop-file-validate: $report"
key() { sed -n "s/^$1=//p" "$desktop"; }
[ "$(key Name)" = Pelto5 ] || fail "Name"
[ -n "$(key Comment)" ] || fail "Comment"
[ "$(key Exec)" = "pelto5 %f" ] || fail "Exec"
[ "$(key Icon)" = "$id" ] || fail "Icon"
[ "$(key MimeType)" = "$mime;" ] || fail "MimeType"
key Categories | grep -qw Game || fail "Categories"

# Icon 128 at each size, as PNG: the width and height stand in its header.
for size in 16 32 48; do
  png=$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png
  [ "$(od -An -tx1 -N4 "$png" | tr -d ' ')" = 89504e47 ] || fail "$png is no PNG"
  [ "$(od -An -tu4 --endian=big -j16 -N8 "$png" | tr -s ' ')" = " $size $size" ] || fail "$png size"
done

# The file type as the desktop's MIME database builds it, and as a file
# manager sees the sample ship: ours, not TeX's fonts that share *.gf.
update-mime-database "$prefix/share/mime" 2>/dev/null
grep -qx "50:$mime:\*\.gf" "$prefix/share/mime/globs2" || fail "glob *.gf"
grep -qx "$mime text/plain" "$prefix/share/mime/subclasses" || fail "text/plain parent"
mkdir -p "$work/home"
seen=$(XDG_DATA_HOME=$work/home XDG_DATA_DIRS=$prefix/share:/usr/share \
  gio info -a standard::content-type "$source/examples/Corvette.gf" | sed -n 's/.*content-type: //p')
[ "$seen" = "$mime" ] || fail "a file manager sees $seen"

metainfo=$prefix/share/metainfo/$id.metainfo.xml
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate"
for expected in "<id>$id</id>" "<launchable type=\"desktop-id\">$id.desktop</launchable>" \
  "<project_license>MIT</project_license>" "<metadata_license>CC0-1.0</metadata_license>" \
  "docs/screenshot.png</image>" "<mediatype>$mime</mediatype>"; do
  grep -qF "$expected" "$metainfo" || fail "metainfo lacks $expected"
done

page=$prefix/share/man/man1/pelto5.1
MANWIDTH=80 man --warnings -l "$page" >"$work/man.txt" 2>"$work/man.err" || fail "man -l"
[ ! -s "$work/man.err" ] || fail "man -l warns: $(cat "$work/man.err")"
for section in NAME SYNOPSIS DESCRIPTION OPTIONS "KEYS AND MOUSE" BACKUPS FILES "EXIT STATUS"; do
  grep -qx "$section" "$work/man.txt" || fail "man page lacks $section"
done
for said in "Alt+Space" "Frigate.001" "NAMEVL.bmp" "--version" "Drag the background"; do
  grep -qF -- "$said" "$work/man.txt" || fail "man page lacks $said"
done

echo "installed and valid: $(wc -l <"$work/files") files under $prefix"
