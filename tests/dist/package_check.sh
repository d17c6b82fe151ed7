#!/usr/bin/env bash
# Makes the Debian package from the build folder and checks its files, its
# dependencies, which dpkg-shlibdeps finds from the editor's libraries, and
# what lintian says of it.
# Two packages of one build are the same bytes, dated the commit's date (or
# the release date outside a git checkout); a build as shipped is hardened
# as Debian's build flags make it.
# package_check.sh <build dir> <application id> <1 for a build as shipped, else 0>
#                  <source dir> <release date>
set -euo pipefail
build=$1 id=$2 shipped=$3 source=$4 released=$5
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

(cd "$build" && cpack -G DEB -B "$work" >"$work/cpack.log") || { cat "$work/cpack.log"; fail "cpack"; }
debs=("$work"/pelto5_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "one pelto5_*.deb expected"
deb=${debs[0]}

dpkg-deb -c "$deb" | tee "$work/listing"

# Made again, the package is the same bytes, every file dated as the source.
mkdir "$work/again" "$work/outside"
(cd "$build" && cpack -G DEB -B "$work/again" >"$work/cpack.log") || { cat "$work/cpack.log"; fail "cpack again"; }
cmp "$deb" "$work/again/$(basename "$deb")" || fail "a second package of the same build differs"
dated() { dpkg-deb -c "$1" | awk '$6 == "./usr/bin/pelto5" { print $4 }'; }
if epoch=$(git -C "$source" log -1 --format=%ct 2>/dev/null); then
  [ "$(dated "$deb")" = "$(date -u -d "@$epoch" +%F)" ] || fail "package not dated as the commit"
fi
(cd "$build" && GIT_DIR=/nonexistent cpack -G DEB -B "$work/outside" >"$work/cpack.log") ||
  { cat "$work/cpack.log"; fail "cpack outside git"; }
[ "$(dated "$work/outside/$(basename "$deb")")" = "$released" ] ||
  fail "outside a git checkout, the package is not dated as the release"
awk '$1 !~ /^d/ { sub(/^\.\/usr\//, "", $6); print $6 }' "$work/listing" | sort >"$work/files"
sed "s/@ID@/$id/" "$(dirname "$0")/installed-files.txt" | sort >"$work/expected"
diff -u "$work/expected" "$work/files" || fail "packaged files differ from the list"

for field in Package Version Architecture Maintainer Depends; do
  echo "$field: $(dpkg-deb -f "$deb" "$field")"
done
[ "$(dpkg-deb -f "$deb" Package)" = pelto5 ] || fail "Package"
[ -n "$(dpkg-deb -f "$deb" Maintainer)" ] || fail "Maintainer"
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 libqt6gui6 libqt6core6 libc6 libstdc++6 qt6-qpa-plugins; do
  grep -qw "$needed" <<<"$depends" || fail "Depends lacks $needed"
done

[ "$(dpkg-deb -f "$deb" Section)" = editors ] || fail "Section"

# Debian's own judge, as strict as it gets: no error or warning, and none of
# the hardening and stripping notes (bind-now, fortify, leftover sections).
if [ "$shipped" != 1 ]; then
  echo "lintian left out: a sanitized or unoptimised build is never shipped"
  exit 0
fi
# Debian's hardening, read from the packaged binary as hardening-check reads
# it: the stack protector and checked calls (-fstack-protector-strong,
# _FORTIFY_SOURCE), relocations read-only (RELRO) and resolved at start
# (BIND_NOW), a position-independent executable (PIE).
dpkg-deb -x "$deb" "$work/root"
binary=$work/root/usr/bin/pelto5
# Read whole into variables: grep -q ends a pipe early, which pipefail counts.
symbols=$(nm -D "$binary")
dynamic=$(readelf -d "$binary")
segments=$(readelf -lW "$binary")
checked=$(grep -oE '__[a-z_]+_chk' <<<"$symbols" | grep -v '^__stack_chk' | sort -u | tr '\n' ' ' || true)
yes_if() { if grep -qE "$1" <<<"$2"; then echo yes; else echo no; fi; }
report() { printf '%-40s %s\n' "$1" "$2"; [ "$2" = yes ] || fail "not hardened: $1"; }
echo "Hardening of /usr/bin/pelto5:"
report "Stack protected (__stack_chk_fail)" "$(yes_if ' U __stack_chk_fail' "$symbols")"
report "Fortified (${checked% })" "$([ -n "$checked" ] && echo yes || echo no)"
report "Read-only relocations (GNU_RELRO)" "$(yes_if GNU_RELRO "$segments")"
report "Immediate binding (BIND_NOW)" "$(yes_if 'BIND_NOW|Flags:.* NOW' "$dynamic")"
report "Position independent (PIE)" "$(yes_if 'Flags:.* PIE' "$dynamic")"

command -v lintian >/dev/null || fail "no lintian (tools/setup.sh installs it)"
set +e
lintian --pedantic -I --fail-on error,warning "$deb" >"$work/lintian" 2>"$work/lintian.err"
status=$?
set -e
echo "lintian --pedantic -I: $(wc -l <"$work/lintian") lines"
cat "$work/lintian"
grep -v 'running with root privileges' "$work/lintian.err" >&2 || true
[ $status -eq 0 ] || fail "lintian reports errors or warnings, or failed (status $status)"
! grep -E 'hardening-|binary-has-unneeded-section' "$work/lintian" ||
  fail "lintian reports hardening or stripping notes"
