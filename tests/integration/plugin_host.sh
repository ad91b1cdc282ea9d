#!/usr/bin/env bash
# The simulated host loads the plug-in library from its Plugins folder and
# drives it: start-up, the main window, posting a mail twice, clean-up.
#   plugin_host.sh native <dir with quillon-sim and Plugins/>
#   plugin_host.sh wine <wine runner> <dir with Quillon.exe> <dir with a Quillon.exe lacking one export>
set -euo pipefail
mode=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/store"
export GLEANIX_REGISTRY="$work/registry.txt"

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

if [ "$mode" = native ]; then
  host_dir=$2
  store="$work/store/"
  host() { "$host_dir/quillon-sim" --store "$store" plugin "$@"; }
  lacking() { host --withhold _APAJisToSjis@12; }
else
  runner=$2 host_dir=$3 lacking_dir=$4
  store="Z:${work//\//\\}\\store\\"
  host() { "$runner" "$host_dir/Quillon.exe" --store "$store" plugin "$@" | tr -d '\r'; }
  lacking() { "$runner" "$lacking_dir/Quillon.exe" --store "$store" plugin | tr -d '\r'; }
fi

stamped='From: taro@example.jp\r\nTo: hanako@example.jp\r\nX-Mailer-Plugin: Gleanix Ver.0.03 Rev.10\r\nSubject: test\r\n'
plain='From: taro@example.jp\r\nTo: hanako@example.jp\r\nSubject: test\r\n'

accepted=$(host)
expected="APCGetPlugName: \"Gleanix\"
Version: \"Ver.0.03 Rev.10\"
NeverPrecede: \"\"
NeverFollow: \"\"
APCStartUp(1.10): 255
APCFolderCreate: 65552
APCSendPost: 255
header set: yes
header: $stamped
APCSendPost: 255
header set: no
header: $stamped
APCCleanUp"
[ "$accepted" = "$expected" ] || fail "accepted host:
$accepted
--- expected:
$expected"

# A refused host: the later entry points do nothing, and the mail still goes.
refused_tail="APCFolderCreate: 65552
APCSendPost: 255
header set: no
header: $plain
APCSendPost: 255
header set: no
header: $plain
APCCleanUp"
check_refused() {
  local what=$1 output=$2 startup=$3
  echo "$output" | grep -qxF "$startup" || fail "$what: no '$startup' in
$output"
  [ "$(echo "$output" | tail -n 8)" = "$refused_tail" ] || fail "$what:
$output"
}
check_refused "host version 1.09" "$(host --host-version 1.09)" "APCStartUp(1.09): 0"
check_refused "host lacking _APAJisToSjis@12" "$(lacking)" "APCStartUp(1.10): 0"
for version in 1.2 10.0; do
  host --host-version "$version" | grep -qxF "APCStartUp($version): 255" || fail "host version $version refused"
done

# Start-up wrote the plug-in's registry values.
if [ "$mode" = native ]; then
  for value in $'Version\tREG_SZ\tVer.0.03 Rev.10' $'CopyrightYear\tREG_SZ\t1999-2000' $'Filename\tREG_SZ\tGleanix'; do
    grep -qF $'HKEY_CURRENT_USER\\Software\\Orvane Lab\\Gleanix\t'"$value" "$GLEANIX_REGISTRY" ||
      fail "registry lacks $value"
  done
else
  values=$("$runner" reg query 'HKCU\Software\Orvane Lab\Gleanix' | tr -d '\r')
  for value in 'Version    REG_SZ    Ver.0.03 Rev.10' 'CopyrightYear    REG_SZ    1999-2000' 'Filename    REG_SZ    Gleanix'; do
    echo "$values" | grep -qF "$value" || fail "registry lacks $value in
$values"
  done
fi
echo "plug-in host scenario passed ($mode)"
