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

editor=$prefix/bin/pelto5
[ "$("$editor" --version)" = "pelto5 $version" ] || fail "installed pelto5 --version"
[ "$("$editor" -v)" = "pelto5 $version" ] || fail "pelto5 -v"
[ "$("$editor" -h)" = "$("$editor" --help)" ] || fail "pelto5 -h differs from --help"
for option in "-h, --help" "-v, --version"; do
  "$editor" --help | grep -q "^  $option  " || fail "--help lacks '$option'"
done

# Without a usable platform plugin the one line names the plugin, not the display.
set +e
plugin=$(env -u WAYLAND_DISPLAY DISPLAY=:0 QT_QPA_PLATFORM=nosuch "$editor" 2>&1)
status=$?
set -e
[ $status -eq 1 ] || fail "missing plugin: exit status $status"
[ "$(wc -l <<<"$plugin")" -eq 1 ] || fail "missing plugin: more than one line: $plugin"
grep -qF 'platform plugin "nosuch"' <<<"$plugin" || fail "missing plugin not named: $plugin"
! grep -qE 'open the display|display found' <<<"$plugin" || fail "missing plugin reported as a display fault: $plugin"

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
key Categories | grep -q '^Qt;' || fail "Categories without Qt;"
[ "$(key TryExec)" = pelto5 ] || fail "TryExec"
[ -n "$(key Keywords)" ] || fail "Keywords"
# The window's WM_CLASS class, as the window test reads it from the X server.
[ "$(key StartupWMClass)" = Pelto5 ] || fail "StartupWMClass"

# Icon 128 at each size, as PNG: the width and height stand in its header.
for size in 16 32 48 64 128 256; do
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
# A TeX font shares the glob and keeps TeX's type from the system's database
# (shared-mime-info), behind ours as a user's own prefix stands: it starts with
# the preamble F7 83 and a comment.
grep -qx '50:application/x-tex-gf:\*\.gf' /usr/share/mime/globs2 || fail "no TeX font type to compare"
font=$work/cmr10.gf
printf '\367\203\033METAFONT output 2026.12.09\000\000\000\000' >"$font"
seen=$(XDG_DATA_HOME=$work/home XDG_DATA_DIRS=$prefix/share:/usr/share \
  gio info -a standard::content-type "$font" | sed -n 's/.*content-type: //p')
[ "$seen" = application/x-tex-gf ] || fail "gio takes a TeX font for $seen"
seen=$(XDG_CURRENT_DESKTOP=GNOME XDG_DATA_HOME=$work/home XDG_DATA_DIRS=$prefix/share:/usr/share \
  xdg-mime query filetype "$font")
[ "$seen" = application/x-tex-gf ] || fail "xdg-mime takes a TeX font for $seen"
seen=$(XDG_CURRENT_DESKTOP=GNOME XDG_DATA_HOME=$work/home XDG_DATA_DIRS=$prefix/share:/usr/share \
  xdg-mime query filetype "$source/examples/Corvette.gf")
[ "$seen" = "$mime" ] || fail "xdg-mime sees the sample ship as $seen"

metainfo=$prefix/share/metainfo/$id.metainfo.xml
report=$(appstreamcli validate --pedantic --no-net "$metainfo") || fail "appstreamcli: $report"
# The one pedantic hint left is the capital in the id, which the desktop entry,
# icons and window share.
hints=$(grep -E '^[EWIP]: ' <<<"$report" | grep -v '^P: [^ ]* cid-contains-uppercase-letter' || true)
[ -z "$hints" ] || fail "appstreamcli validate --pedantic: $hints"
for expected in "<id>$id</id>" "<launchable type=\"desktop-id\">$id.desktop</launchable>" \
  "<project_license>MIT</project_license>" "<metadata_license>CC0-1.0</metadata_license>" \
  "docs/screenshot.png</image>" "<mediatype>$mime</mediatype>" "<content_rating type=\"oars-1.1\"/>" \
  "<release version=\"$version\""; do
  grep -qF "$expected" "$metainfo" || fail "metainfo lacks $expected"
done
sed -n '/<release /,/<\/release>/p' "$metainfo" | grep -q '<description>' || fail "release without description"

page=$prefix/share/man/man1/pelto5.1.gz
[ "$(od -An -tx1 -N2 "$page" | tr -d ' ')" = 1f8b ] || fail "man page not compressed"
MANWIDTH=80 man --warnings -l "$page" >"$work/man.txt" 2>"$work/man.err" || fail "man -l"
[ ! -s "$work/man.err" ] || fail "man -l warns: $(cat "$work/man.err")"
for section in NAME SYNOPSIS DESCRIPTION OPTIONS "KEYS AND MOUSE" "CLOSING AND SAVING" BACKUPS FILES \
  ENVIRONMENT "EXIT STATUS" "SEE ALSO"; do
  grep -qx "$section" "$work/man.txt" || fail "man page lacks $section"
done
# Justified lines spread their words with more than one blank: the phrases
# are looked for with each run of blanks as one.
tr -s ' ' <"$work/man.txt" >"$work/man.flat"
for said in "Alt+Space" "Frigate.001" "NAMEVL.bmp" "-h, --help" "-v, --version" \
  "Drag the background" "Ctrl+Z" "Ctrl+Y, Ctrl+Shift+Z" "Left, Right, Up, Down" \
  "Shift+Left, Shift+Right, Shift+Up, Shift+Down" "Ctrl+S" "Ctrl+O" "F1" "Tab, Shift+Tab" \
  "Space" "Enter, Esc" \
  "window manager's close" "EXIT leaves at once" "NAME.001" "xdg-open(1)" "QT_QPA_PLATFORM"; do
  grep -qF -- "$said" "$work/man.flat" || fail "man page lacks $said"
done

echo "installed and valid: $(wc -l <"$work/files") files under $prefix"
