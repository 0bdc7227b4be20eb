#!/usr/bin/env bash
# The installed tree under a temporary prefix: every file in its place, the desktop files valid, the
# MIME type known to the desktop's look-up, and the installed app starting on a virtual display with its
# help book found. Usage: install_tree.sh BUILD-FOLDER
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null
for file in bin/vamelrss bin/vamelrss-cli share/vamelrss/vamelrss.htb share/applications/vamelrss.desktop \
            share/mime/packages/vamelrss.xml share/metainfo/org.vamelrss.vamelrss.metainfo.xml \
            share/icons/hicolor/scalable/apps/vamelrss.svg; do
  [ -f "$prefix/$file" ] || fail "$file is not installed"
done
for size in 16 22 24 32 48 64 128 256; do
  png="$prefix/share/icons/hicolor/${size}x${size}/apps/vamelrss.png"
  [ "$(identify -format '%wx%h' "$png")" = "${size}x${size}" ] || fail "$png is not ${size}x${size}"
done
desktop-file-validate "$prefix/share/applications/vamelrss.desktop" || fail "the desktop file is not valid"
appstreamcli validate --no-net "$prefix/share/metainfo/org.vamelrss.vamelrss.metainfo.xml" >/dev/null \
  || fail "the AppStream metainfo is not valid"

"$prefix/bin/vamelrss-cli" --version | grep -qx "vamelrss-cli [0-9.]*" || fail "vamelrss-cli --version"
"$prefix/bin/vamelrss-cli" --help | grep -q "Usage" || fail "vamelrss-cli --help"
"$prefix/bin/vamelrss" --help | grep -q "Usage: vamelrss" || fail "vamelrss --help"
"$prefix/bin/vamelrss" --version | grep -qx "help book: $prefix/share/vamelrss/vamelrss.htb" \
  || fail "the installed app does not find its help book: $("$prefix/bin/vamelrss" --version)"

# The project file type, by its name and by its first bytes, once the MIME data is installed.
export VAMELRSS_CONFIG_DIR="$prefix/config"
"$prefix/bin/vamelrss-cli" new "$prefix/site.fpj" --title Site >/dev/null
update-mime-database "$prefix/share/mime"
cp "$prefix/site.fpj" "$prefix/site-without-extension"
for file in site.fpj site-without-extension; do
  type=$(XDG_DATA_DIRS="$prefix/share:/usr/share" xdg-mime query filetype "$prefix/$file")
  [ "$type" = application/x-vamelrss-project ] || fail "xdg-mime gives $type for $file"
done

# The installed app shows its main window on the project.
xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
  "$1" "$2" & app=$!
  for i in $(seq 1 300); do
    if xwininfo -root -tree | grep -q "site.fpj - VamelRss"; then kill $app; exit 0; fi
    kill -0 $app 2>/dev/null || exit 1
    sleep 0.1
  done
  kill $app; exit 1' _ "$prefix/bin/vamelrss" "$prefix/site.fpj" || fail "the installed app did not show its window"
echo "the installed tree is complete"
