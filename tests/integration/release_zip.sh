#!/usr/bin/env bash
# The release as a user installs it: Gleanix-<version>.zip unpacked into the
# Plugins folder of a fresh host directory beside a copy of the host,
# Quillon.exe, which then loads the plug-in from there.
#   release_zip.sh <wine runner> <cmake> <zip> <quillon-sim.exe>
set -euo pipefail
runner=$1 cmake=$2 zip=$3 exe=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

[ -f "$zip" ] || fail "no $zip"
entries=$(cd "$work" && "$cmake" -E tar tf "$zip" | sort | tr '\n' ' ')
[ "$entries" = "Gleanix.dll Gleanix.txt " ] || fail "the zip holds: $entries"

host="$work/Quillon"
mkdir -p "$host/Plugins" "$work/store"
(cd "$host/Plugins" && "$cmake" -E tar xf "$zip")
cp "$exe" "$host/Quillon.exe"

# The read-me: Shift-JIS with CR LF line ends, saying where things go.
readme="$host/Plugins/Gleanix.txt"
text=$(iconv -f CP932 -t UTF-8 "$readme") || fail "the read-me is not Shift-JIS"
lines=$(wc -l < "$readme")
[ "$(grep -c $'\r$' "$readme")" = "$lines" ] || fail "the read-me's lines do not all end in CR LF"
for wanted in 'Gleanix Ver.0.03 Rev.10' '\Plugins\Gleanix.dll' 'Plugins\Gleanix.ini' \
              'HKEY_CURRENT_USER\Software\Orvane Lab\Gleanix' '"Common"' 'アンインストール'; do
  echo "$text" | grep -qF "$wanted" || fail "the read-me does not mention $wanted"
done

store="Z:${work//\//\\}\\store\\"
out=$("$runner" "$host/Quillon.exe" --store "$store" plugin | tr -d '\r') || fail "the host could not load the plug-in"
echo "$out" | grep -qxF 'APCStartUp(1.10): 255' || fail "the host did not start the plug-in:
$out"
echo "release zip installs and loads"
