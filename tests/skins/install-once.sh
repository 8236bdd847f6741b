#!/usr/bin/env bash
# A rebuild keeps the skins in the app folder: a changed skin.ini survives the stock skins
# being drawn again, and a stock file the user deleted comes back.
# Usage: install-once.sh <build-dir> <app-dir> <skin-generator-executable>
set -euo pipefail
build=$1 app=$2 generator=$3
skins="$app/skins"
ini="$skins/DEFAULT/skin.ini"
gone="$skins/PEBBLE/backgrd.bmp"

fail() { echo "FAIL: $*" >&2; exit 1; }
[[ -f "$ini" && -f "$gone" ]] || fail "the build has no stock skins in $skins"

# Work on the real app folder (that is where the build installs) and put it back afterwards,
# whatever happens.
keep=$(mktemp -d)
cp -a "$skins" "$keep/skins"
restore() { rm -rf "$skins"; cp -a "$keep/skins" "$skins"; rm -rf "$keep"; }
trap restore EXIT

printf '\n[UserMark]\nChangedBy=the install-once test\n' >> "$ini"
changed=$(md5sum < "$ini")
wanted=$(md5sum < "$gone")
rm "$gone"

# A newer generator makes the build draw the stock skins again.
sleep 1
touch "$generator"
cmake --build "$build" --target huebird_stock_skins > "$keep/build.log" 2>&1 ||
    { cat "$keep/build.log"; fail "the rebuild failed"; }
grep -q "Drawing the stock skins" "$keep/build.log" ||
    { cat "$keep/build.log"; fail "the rebuild did not draw the stock skins again"; }

[[ "$(md5sum < "$ini")" == "$changed" ]] || fail "the rebuild overwrote the changed $ini"
[[ -f "$gone" ]] || fail "the deleted stock file $gone did not come back"
[[ "$(md5sum < "$gone")" == "$wanted" ]] || fail "$gone came back with other content"
echo "ok: the changed skin.ini survived and the deleted stock file came back"
