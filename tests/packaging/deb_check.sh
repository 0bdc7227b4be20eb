#!/usr/bin/env bash
# The Debian package: built by CPack from a build folder, installed with dpkg -i (into a temporary root
# with dpkg -x when this is not root), its programs run, then removed cleanly.
# Usage: deb_check.sh BUILD-FOLDER
set -euo pipefail
build=$1
fail() { echo "FAIL: $*" >&2; exit 1; }
rm -rf "$build/packages"
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/packages/vamelrss_*.deb)
echo "package: $deb"
dpkg-deb --field "$deb" Depends | grep -q "libwx" || fail "the dependencies do not name the wx libraries"
dpkg-deb --field "$deb" Depends | grep -q "libcurl" || fail "the dependencies do not name libcurl"
dpkg-deb --field "$deb" Depends | grep -q "libtag" || fail "the dependencies do not name TagLib"
if [ "$(id -u)" -eq 0 ] && command -v apt-get >/dev/null; then
  if dpkg-query -W -f='${Status}' vamelrss 2>/dev/null | grep -q 'install ok installed'; then dpkg -r vamelrss >/dev/null; fi
  dpkg -i "$deb" >/dev/null || { apt-get install -y -f >/dev/null; dpkg -i "$deb" >/dev/null; } || fail "dpkg -i"
  /usr/bin/vamelrss-cli --version | grep -q "vamelrss-cli" || fail "the installed vamelrss-cli does not run"
  /usr/bin/vamelrss --version | grep -qx "help book: /usr/share/vamelrss/vamelrss.htb" || fail "the installed app has no help book"
  files=$(dpkg -L vamelrss | grep -v '/$' || true)
  dpkg -r vamelrss >/dev/null || fail "dpkg -r"
  for file in $files; do
    [ -d "$file" ] || [ ! -e "$file" ] || fail "$file is left after removal"
  done
else
  root=$(mktemp -d)
  trap 'rm -rf "$root"' EXIT
  dpkg -x "$deb" "$root"
  "$root/usr/bin/vamelrss-cli" --version | grep -q "vamelrss-cli" || fail "the unpacked vamelrss-cli does not run"
fi
echo "the package builds, installs, runs and removes cleanly"
