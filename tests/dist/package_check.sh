#!/usr/bin/env bash
# Makes the Debian package from the build folder and checks its files, its
# dependencies, which dpkg-shlibdeps finds from the editor's libraries, and
# what lintian says of it.
# package_check.sh <build dir> <application id> <1 for a build as shipped, else 0>
set -euo pipefail
build=$1 id=$2 shipped=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

(cd "$build" && cpack -G DEB -B "$work" >"$work/cpack.log") || { cat "$work/cpack.log"; fail "cpack"; }
debs=("$work"/pelto5_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "one pelto5_*.deb expected"
deb=${debs[0]}

dpkg-deb -c "$deb" | tee "$work/listing"
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
