#!/usr/bin/env bash
# `cmake --install` into a staging folder lays out the programs, the menu entry, the icon, the
# AppStream data, the man pages, the help and the licence; the desktop entry and the AppStream
# data pass their validators; the installed programs answer --version without a display.
# With --deb, the Debian package is made too and its contents and dependencies checked.
# Usage: check_install.sh BUILD_DIR [--deb]
set -euo pipefail
build=$1
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$stage/usr" > /dev/null
expected=(
  usr/bin/tolvi usr/bin/tolvi-cli
  usr/share/applications/tolvi.desktop
  usr/share/icons/hicolor/scalable/apps/tolvi.svg
  usr/share/metainfo/tolvi.metainfo.xml
  usr/share/man/man1/tolvi.1 usr/share/man/man1/tolvi-cli.1
  usr/share/tolvi/Tolvi.html usr/share/tolvi/kelmor.htm
  usr/share/tolvi/Tolvi.ca.html usr/share/tolvi/kelmor.ca.htm
  usr/share/tolvi/Tolvi.en.html usr/share/tolvi/kelmor.en.htm
  usr/share/doc/tolvi/copyright
)
for f in "${expected[@]}"; do [ -s "$stage/$f" ] || fail "$f not installed"; done
extra=$(cd "$stage" && find . -type f | sed 's|^\./||' | sort | comm -23 - <(printf '%s\n' "${expected[@]}" | sort))
[ -z "$extra" ] || fail "installed but not expected: $extra"
# Every page parses as HTML, says its language, and the help's translations keep the Spanish
# help's sections.
sections() { grep -o ' id="[a-z]*"' "$1" | tr '\n' ' '; }
for page in "$stage"/usr/share/tolvi/*.htm*; do
  name=$(basename "$page")
  ! grep -q '@PROJECT_VERSION@' "$page" || fail "$name not configured"
  # (libxml2 2.9 does not know HTML5's sectioning tags; everything else it reports counts.)
  errors=$(xmllint --html --noout "$page" 2>&1 | grep 'error' \
           | grep -Ev 'Tag (nav|section|header|footer|main|article|aside) invalid' || true)
  [ -z "$errors" ] || fail "$name is not well-formed HTML: $errors"
  code=$(sed -n 's/^[A-Za-z]*\.\([a-z]*\)\.html*$/\1/p' <<< "$name")
  grep -q "<html lang=\"${code:-es}\">" "$page" || fail "$name does not say lang=\"${code:-es}\""
  if [[ $name == Tolvi.*.html ]]; then
    [ "$(sections "$page")" = "$(sections "$stage/usr/share/tolvi/Tolvi.html")" ] \
      || fail "$name has other sections than Tolvi.html"
  fi
done

desktop-file-validate "$stage/usr/share/applications/tolvi.desktop"
# The component has no reverse-DNS id until the project has a domain of its own: that hint is
# kept as information, everything else must pass.
appstreamcli validate --no-net --override=cid-desktopapp-is-not-rdns=info \
  "$stage/usr/share/metainfo/tolvi.metainfo.xml" > "$stage/appstream.log" \
  || { cat "$stage/appstream.log"; fail "appstreamcli validate"; }

version=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$stage/usr/bin/tolvi" --version)
[[ $version == "tolvi "* ]] || fail "tolvi --version said '$version'"
"$stage/usr/bin/tolvi-cli" --version > /dev/null || fail "tolvi-cli --version"

if [ "${2:-}" = "--deb" ]; then
  cpack --config "$build/CPackConfig.cmake" -B "$stage/packages" > "$stage/cpack.log" 2>&1 \
    || { cat "$stage/cpack.log"; fail "cpack"; }
  deb=$(ls "$stage"/packages/tolvi_*.deb)
  [ "$(dpkg-deb -f "$deb" Package)" = tolvi ] || fail "package name"
  depends=$(dpkg-deb -f "$deb" Depends)
  [[ $depends == *libqt6widgets6* ]] || fail "Depends lacks Qt: '$depends'"
  contents=$(dpkg-deb -c "$deb")
  for f in "${expected[@]}"; do
    grep -q " \./$f\$" <<< "$contents" || fail "$f not in the package"
  done
fi
echo ok
