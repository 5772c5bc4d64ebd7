#!/bin/sh
# Makes the Debian package of a build tree with CPack and judges it as the
# distribution would: lintian with no error or warning, desktop-file-validate
# on its launcher entry, appstreamcli on its AppStream metadata; and checks
# that it holds the installed layout the program relies on.
#   validate.sh <build dir> [<package>]   (a package given is judged as it is)
set -eu
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if [ $# -ge 2 ]; then
  deb=$2
else
  (cd "$build" && cpack -G DEB -B "$work/out" >/dev/null)
  deb=$(ls "$work"/out/quiverwise_*.deb)
fi
echo "package: $deb ($(du -k "$deb" | cut -f1) KiB)"
dpkg-deb -f "$deb" Depends
status=0

echo "--- lintian"
# --fail-on makes any error or warning fail the test; infos are shown only.
lintian --fail-on error,warning --tag-display-limit 0 "$deb" || status=1

dpkg-deb -x "$deb" "$work/root"
root=$work/root/usr
echo "--- desktop-file-validate"
desktop-file-validate "$root/share/applications/quiverwise.desktop" || status=1
echo "--- appstreamcli validate --no-net"
appstreamcli validate --no-net "$root"/share/metainfo/*.metainfo.xml || status=1

echo "--- layout"
for program in quiverwise quiverwise-select quiverwise-calc quiverwise-customers \
  quiverwise-dbf quiverwise-sheet; do
  [ -x "$root/lib/quiverwise/$program" ] || { echo "missing lib/quiverwise/$program"; status=1; }
  [ "$(readlink "$root/bin/$program")" = "../lib/quiverwise/$program" ] ||
    { echo "bin/$program is no link to ../lib/quiverwise/$program"; status=1; }
  [ -f "$root/share/man/man1/$program.1.gz" ] || { echo "no manual page for $program"; status=1; }
done
for table in HUNTCHRT.DBF Targchrt.dbf YouthChrt.dbf KAVLCHRT.DBF Specs.DBF specs.idx \
  Newtraj.dbf invsel.txt Saveddb.dbf Saved.idx SHOPINFO.DBF help/tuning.html; do
  [ -f "$root/share/quiverwise/$table" ] || { echo "missing share/quiverwise/$table"; status=1; }
done
for size in 48 128 256; do
  [ -f "$root/share/icons/hicolor/${size}x${size}/apps/quiverwise.png" ] ||
    { echo "no ${size}x${size} icon"; status=1; }
done
[ -f "$root/share/icons/hicolor/scalable/apps/quiverwise.svg" ] || { echo "no SVG icon"; status=1; }
[ "$status" -eq 0 ] && echo "all passed"
exit "$status"
