#!/bin/sh
# Installs the build into a temporary DESTDIR and checks that every file a user and the desktop
# need is there and works: the programs with the simulation programs and RangeDefaults.txt
# beside them, the links on the search path, the desktop entry, MIME types, icons, metainfo,
# man pages and examples. The validators run when they are installed.
#   check_install.sh BUILD_DIR
set -u
build=$1
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

DESTDIR=$root cmake --install "$build" --prefix /usr >"$root.log" 2>&1 || {
  cat "$root.log"; rm -f "$root.log"; echo "FAIL: cmake --install"; exit 1; }
rm -f "$root.log"
usr=$root/usr

programs="orvobuilder orvo fenu5 verda5 koba4_ids"
for program in $programs; do
  [ -x "$usr/lib/orvobuilder/$program" ] || fail "program $program"
done
[ -f "$usr/lib/orvobuilder/RangeDefaults.txt" ] || fail "RangeDefaults.txt beside the programs"
for link in orvobuilder orvo; do
  [ -L "$usr/bin/$link" ] || fail "link bin/$link"
  [ "$(readlink -f "$usr/bin/$link")" = "$(readlink -f "$usr/lib/orvobuilder/$link")" ] ||
    fail "bin/$link leads to the programs' directory"
done
for file in \
  share/applications/orvobuilder.desktop \
  share/mime/packages/orvobuilder.xml \
  share/metainfo/org.orvobuilder.OrvoBuilder.metainfo.xml \
  share/man/man1/orvo.1.gz share/man/man1/orvobuilder.1.gz \
  share/doc/orvobuilder/copyright \
  share/orvobuilder/examples/README.md \
  share/orvobuilder/examples/fenu5_river/river.orb \
  share/orvobuilder/examples/verda5_lake/lake.orb \
  share/icons/hicolor/scalable/apps/orvobuilder.svg; do
  [ -s "$usr/$file" ] || fail "$file"
done
for icon in application-x-orvobuilder-project application-x-orvobuilder-report text-x-orvo-deck; do
  [ -s "$usr/share/icons/hicolor/scalable/mimetypes/$icon.svg" ] || fail "scalable $icon"
done
for size in 16 24 32 48 64 128 256; do
  png=$usr/share/icons/hicolor/${size}x${size}/apps/orvobuilder.png
  [ "$(head -c 8 "$png" 2>/dev/null | od -An -c | tr -d ' \n')" = "211PNG\r\n032\n" ] ||
    fail "PNG icon $size"
  for icon in application-x-orvobuilder-project application-x-orvobuilder-report text-x-orvo-deck; do
    [ -s "$usr/share/icons/hicolor/${size}x${size}/mimetypes/$icon.png" ] || fail "$icon $size"
  done
done
for page in orvo orvobuilder; do
  gzip -dc "$usr/share/man/man1/$page.1.gz" | grep -q "^\.TH" || fail "man page $page"
done

# The installed programs work from the search path's links.
"$usr/bin/orvobuilder" --help | grep -q "usage: orvobuilder" || fail "orvobuilder --help"
"$usr/bin/orvo" help run | grep -q "usage: orvo" || fail "orvo help run"
# A run with no settings at all finds the simulation program beside the real orvo.
work=$root/work
mkdir -p "$work/config"
cp "$usr/share/orvobuilder/examples/fenu5_river/river.orb" "$work/"
XDG_CONFIG_HOME=$work/config "$usr/bin/orvo" run "$work/river.orb" --timeout 120 >"$work/run.txt" 2>&1 ||
  { cat "$work/run.txt"; fail "orvo run with the installed engine"; }

if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$usr/share/applications/orvobuilder.desktop" || fail "desktop-file-validate"
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$usr/share/metainfo/org.orvobuilder.OrvoBuilder.metainfo.xml" \
    >/dev/null || fail "appstreamcli validate"
fi
if command -v update-mime-database >/dev/null; then
  errors=$(XDG_DATA_DIRS=$usr/share update-mime-database "$usr/share/mime" 2>&1)
  [ -z "$errors" ] || fail "update-mime-database: $errors"
  grep -q "text/plain" "$usr/share/mime/text/x-orvo-deck.xml" 2>/dev/null ||
    fail "the deck type is a kind of text/plain"
  for glob in "*.orb" "*.orr" "*.ORR" "*.inp"; do
    grep -qF ":$glob" "$usr/share/mime/globs2" || fail "MIME glob $glob"
  done
fi

[ "$failures" -eq 0 ] && echo "install tree complete" || exit 1
