#!/bin/sh
# Screenshots of the splash, every page of the main window, the help viewer
# and every dialog window under a virtual X server, and each printed sheet
# as the page a customer takes home:
# tests/app/screenshots.sh [build dir] [out dir]
set -e
build=${1:-build}
out=${2:-$build/screenshots}
cmake --build "$build" --target quiverwise qw-screenshots quiverwise-sheet quiverwise-customers qw_test_tables
xvfb-run -a -s "-screen 0 1024x768x24" "$build/tests/qw-screenshots" "$out"

# The sheets, over a copy of the build's tables with a shop and a customer.
tables=$(mktemp -d)
trap 'rm -rf "$tables"' EXIT
cp "$build"/tables/*.DBF "$build"/tables/*.dbf "$build"/tables/*.idx "$build"/tables/*.fpt "$tables"/
/usr/bin/python3 - "$tables/SHOPINFO.DBF" <<'PY'
import sys, dbf
table = dbf.Table(sys.argv[1])
table.open(dbf.READ_WRITE)
if len(table) == 0:
    table.append()
with table[0] as shop:
    shop.name = "Twin Oaks Archery"
    shop.addr1 = "1400 County Road 9"
    shop.city = "Elk River"
    shop.state = "MN"
    shop.zip = "55330"
    shop.phone = "763-555-0142"
    shop.fax = "763-555-0143"
    shop.comments = "Bare shafts cut and fletched while you wait."
table.close()
PY
"$build/bin/quiverwise-customers" --data "$tables" add --name "Larsen, Kari" \
  --addr1 "212 Birch Lane" --city Brainerd --state MN --zip 56401 --country USA --ccode 1 \
  --comments "Wants a lighter point for the 3D season. Check the nock fit on her old arrows." \
  --page hunt --bow-weight 55 --arrow-length 29 >/dev/null
for page in hunt targ youth kavl; do
  "$build/bin/quiverwise-sheet" --data "$tables" --page "$page" --pdf "$tables/sheet-$page.pdf"
  pdftoppm -r 80 -png -singlefile "$tables/sheet-$page.pdf" "$out/sheet-$page"
done
# An arrow built below the bow makers' minimum, as the build sheet prints it.
"$build/bin/quiverwise-sheet" --data "$tables" --build --page targ --row 1 --bow-weight 75 \
  --arrow-length 27 --point 40 --fletching 5 --pdf "$tables/sheet-build.pdf"
pdftoppm -r 80 -png -singlefile "$tables/sheet-build.pdf" "$out/sheet-build"
"$build/bin/quiverwise-sheet" --data "$tables" --customer Lar --pdf "$tables/sheet-customer.pdf"
pdftoppm -r 80 -png -singlefile "$tables/sheet-customer.pdf" "$out/sheet-customer"
