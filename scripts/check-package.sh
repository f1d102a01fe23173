#!/usr/bin/env bash
# Builds the Debian package (make package) and checks it; the first failure
# ends the script with a non-zero status. It checks:
#   - the control fields: name, maintainer, description, the dependencies
#     computed from the libraries and the ones they cannot see;
#   - that every file an installed Varnolek needs is in the package;
#   - the desktop entry (desktop-file-validate, which must print nothing), the AppStream metadata
#     (appstreamcli validate, which fails on warnings), the MIME type
#     (update-mime-database), the icon sizes, the man pages (man --warnings)
#     and the package as a whole (lintian: no errors; warnings are shown);
#   - that the version in the metainfo's releases and in the changelog is the
#     project's version;
#   - the programs of an unpacked copy: --version without a display, one
#     calculation, the example data file, and the bash completion.
set -euo pipefail
# grep -q ends at its first match; under pipefail the program still writing into the pipe
# then dies of SIGPIPE and fails the check by chance. Read the whole output first.
grep_all() { local text; text=$(cat); grep "$@" <<<"$text"; }
cd "$(dirname "$0")/.."
BUILD=${BUILD:-build}
APP_ID=io.github.varnolek.Varnolek

fail() {
    echo "check-package: FAILED: $*" >&2
    exit 1
}
step() { echo "== $*"; }

make package BUILD="$BUILD"

version=$(sed -n 's/^project(Varnolek VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
[ -n "$version" ] || fail "no version in CMakeLists.txt"
deb="$BUILD/varnolek_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || fail "$deb was not made"
echo "package: $deb"

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

step "control fields"
dpkg-deb --info "$deb" control
[ "$(dpkg-deb -f "$deb" Package)" = varnolek ] || fail "the package is not named varnolek"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "the package version is not $version"
[ -n "$(dpkg-deb -f "$deb" Maintainer)" ] || fail "no Maintainer field"
[ "$(dpkg-deb -f "$deb" Description | wc -l)" -gt 3 ] || fail "no extended description"
depends=$(dpkg-deb -f "$deb" Depends)
# libxlsxwriter4, libminizip1 and libexpat1 come in with the spreadsheet
# import and export (varnolek-calc and the module link them).
for dep in qt6-qpa-plugins fonts-wqy-microhei fonts-arphic-uming fonts-arphic-ukai qt6-translations-l10n libqt6widgets6 libc6 \
    libxlsxwriter4 libminizip1 libexpat1; do
    grep -qE "(^|, )$dep( |,|$)" <<<"$depends" || fail "Depends lacks $dep: $depends"
done

step "contents"
dpkg-deb --contents "$deb" | awk '{ print $6 }' >"$tmp/contents"
expected=(
    ./usr/bin/varnolek
    ./usr/bin/varnolek-calc
    "./usr/share/applications/$APP_ID.desktop"
    "./usr/share/metainfo/$APP_ID.metainfo.xml"
    ./usr/share/icons/hicolor/scalable/apps/varnolek.svg
    ./usr/share/icons/hicolor/48x48/apps/varnolek.png
    ./usr/share/icons/hicolor/128x128/apps/varnolek.png
    ./usr/share/icons/hicolor/256x256/apps/varnolek.png
    ./usr/share/mime/packages/varnolek.xml
    ./usr/share/man/man1/varnolek.1.gz
    ./usr/share/man/man1/varnolek-calc.1.gz
    ./usr/share/varnolek/examples/lowest_water_levels_1961-1990.txt
    ./usr/share/varnolek/examples/qingshui_plan.vtable
    ./usr/share/varnolek/examples/qingshui_plan.xlsx
    ./usr/share/varnolek/examples/monthly_flows_2001-2022.csv
    ./usr/share/bash-completion/completions/varnolek-calc
    ./usr/share/doc/varnolek/copyright
    ./usr/share/doc/varnolek/changelog.gz
)
for path in "${expected[@]}"; do
    grep -qxF "$path" "$tmp/contents" || fail "$path is not in the package"
    echo "  $path"
done
# The module with the menus of the calculator windows, in the program's own
# library folder.
module=$(grep -E '^\./usr/lib/([^/]+/)?varnolek/varnolek-features\.so$' "$tmp/contents") ||
    fail "the module varnolek-features.so is not in the package"
echo "  $module"

root="$tmp/root"
dpkg-deb -x "$deb" "$root"
share="$root/usr/share"

step "desktop entry"
desktop="$share/applications/$APP_ID.desktop"
# desktop-file-validate exits 0 on hints (such as two main categories, which
# may show the program twice in a menu): anything it prints fails the check.
validated=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate: $validated"
[ -z "$validated" ] || fail "desktop-file-validate: $validated"
for line in 'Name=Varnolek' 'Exec=varnolek %f' 'Icon=varnolek' 'Categories=Science;Engineering;' \
    'MimeType=application/x-varnolek-case;application/x-varnolek-table;'; do
    grep -qxF "$line" "$desktop" || fail "the desktop entry lacks $line"
done
grep -qP '^Name\[zh_CN\]=.*\p{Han}' "$desktop" || fail "no Chinese Name[zh_CN]"
grep -qP '^Comment\[zh_CN\]=.*\p{Han}' "$desktop" || fail "no Chinese Comment[zh_CN]"

step "AppStream metadata"
metainfo="$share/metainfo/$APP_ID.metainfo.xml"
appstreamcli validate --no-net "$metainfo"
newest=$(grep -m 1 -o '<release version="[^"]*"' "$metainfo" | cut -d'"' -f2)
[ "$newest" = "$version" ] || fail "the metainfo's newest release is $newest, not $version"

step "changelog and copyright"
gzip -dc "$share/doc/varnolek/changelog.gz" >"$tmp/changelog"
logged=$(dpkg-parsechangelog -l "$tmp/changelog" -S Version)
[ "$logged" = "$version" ] || fail "the changelog's newest entry is $logged, not $version"
grep -q '^License: GPL-3+' "$share/doc/varnolek/copyright" || fail "the copyright file names no licence"

step "MIME type"
mkdir -p "$tmp/mime/packages"
cp "$share/mime/packages/varnolek.xml" "$tmp/mime/packages/"
# (XDG_DATA_HOME: a database outside the search path gets a note on stderr)
XDG_DATA_HOME="$tmp" update-mime-database "$tmp/mime" 2>"$tmp/mime.err"
[ ! -s "$tmp/mime.err" ] || fail "update-mime-database: $(cat "$tmp/mime.err")"
grep -q ':application/x-varnolek-case:\*\.vcase$' "$tmp/mime/globs2" || fail "*.vcase is not application/x-varnolek-case"
grep -q ':application/x-varnolek-table:\*\.vtable$' "$tmp/mime/globs2" || fail "*.vtable is not application/x-varnolek-table"
grep -h 'varnolek' "$tmp/mime/globs2"

step "icons"
for size in 48 128 256; do
    png="$share/icons/hicolor/${size}x${size}/apps/varnolek.png"
    file "$png" | grep_all -q "PNG image data, $size x $size," || fail "$png: $(file -b "$png")"
    echo "  ${size}x${size}: $(file -b "$png")"
done
grep -q '<svg' "$share/icons/hicolor/scalable/apps/varnolek.svg" || fail "the scalable icon is no SVG"

step "man pages"
for page in varnolek varnolek-calc; do
    gz="$share/man/man1/$page.1.gz"
    LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$gz" >/dev/null 2>"$tmp/man.err"
    [ ! -s "$tmp/man.err" ] || fail "$page.1: $(cat "$tmp/man.err")"
    for section in NAME SYNOPSIS OPTIONS 'EXIT STATUS' EXAMPLES; do
        gzip -dc "$gz" | grep_all -qx "\.SH $section" || fail "$page.1 has no $section section"
    done
    gzip -dc "$gz" | grep_all -q "Varnolek $version" || fail "$page.1 does not carry the version $version"
    echo "  $page.1: no warnings"
done

step "stripped binaries"
for program in usr/bin/varnolek usr/bin/varnolek-calc "${module#./}"; do
    file "$root/$program" | grep_all -q ', stripped' || fail "$program is not stripped"
done

step "lintian"
lintian --fail-on error --tag-display-limit 0 "$deb"

step "the unpacked programs"
bin="$root/usr/bin"
# No display: the GUI program must answer --version before Qt looks for one.
for program in varnolek varnolek-calc; do
    out=$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$bin/$program" --version)
    [ "$out" = "Varnolek $version" ] || fail "$program --version printed '$out'"
    env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$bin/$program" --help | grep_all -q -- '--version' ||
        fail "$program --help does not list --version"
    echo "  $program --version: $out"
done
out=$("$bin/varnolek-calc" my1dform myx=5 myk=0.3)
[ "$out" = $'myc=9.91\nLabel9=距离初始断面 5 千米处水质浓度(mg/L)' ] || fail "varnolek-calc my1dform printed '$out'"
echo "  varnolek-calc my1dform myx=5 myk=0.3: ${out//$'\n'/ | }"
out=$("$bin/varnolek-calc" yearform "file=$share/varnolek/examples/lowest_water_levels_1961-1990.txt" rate=90)
[ "$out" = $'yeartext=1972年\nqltext=11.96' ] || fail "varnolek-calc yearform on the example printed '$out'"
echo "  varnolek-calc yearform on the example file: ${out//$'\n'/ | }"
out=$("$bin/varnolek-calc" designflowform "file=$share/varnolek/examples/monthly_flows_2001-2022.csv")
[ "$(head -n 1 <<<"$out")" = "myq10=34.730" ] && grep -qx 'mydesign=26.500' <<<"$out" ||
    fail "varnolek-calc designflowform on the example printed '$out'"
echo "  varnolek-calc designflowform on the example monthly means: ${out//$'\n'/ | }"
# The example workbook, read by the unpacked program's own xlsx reader: the example table's zones.
out=$("$bin/varnolek-calc" --import "$share/varnolek/examples/qingshui_plan.xlsx" --save - | grep_all -c '"zone":')
[ "$out" = "$(grep -c '"zone":' "$share/varnolek/examples/qingshui_plan.vtable")" ] ||
    fail "varnolek-calc --import on the example workbook gave $out zones"
echo "  varnolek-calc --import on the example workbook: $out zones"
# The window program starts and keeps running (timeout's 124) on the offscreen platform.
status=0
QT_QPA_PLATFORM=offscreen timeout 5 "$bin/varnolek" --window my1dform 2>"$tmp/window.err" || status=$?
[ "$status" -eq 124 ] || fail "varnolek --window my1dform ended with status $status"
! grep -q "cannot be loaded" "$tmp/window.err" || fail "the unpacked program did not load its module: $(cat "$tmp/window.err")"
echo "  varnolek --window my1dform: running after 5 s, with its module loaded"

step "bash completion"
complete_line() {
    PATH="$bin:$PATH" bash -c '
        source "$1"
        COMP_LINE=$2
        COMP_POINT=${#COMP_LINE}
        _varnolek_calc varnolek-calc
        printf "%s\n" "${COMPREPLY[@]}"' _ "$share/bash-completion/completions/varnolek-calc" "$1" 2>/dev/null
}
complete_line 'varnolek-calc my1' | grep_all -qx my1dform || fail "no id my1dform after 'varnolek-calc my1'"
complete_line 'varnolek-calc ' | grep_all -qx yearform || fail "no id yearform after 'varnolek-calc '"
complete_line 'varnolek-calc my1dform myk=0.3 my' | grep_all -qx 'myx=' || fail "no field myx= after an id"
if complete_line 'varnolek-calc my1dform my' | grep_all -qx 'myw='; then
    fail "a field of another calculation offered for my1dform"
fi
complete_line 'varnolek-calc --standard T' | grep_all -qx TP || fail "no item TP after 'varnolek-calc --standard T'"
complete_line 'varnolek-calc --standard TP I' | grep_all -qx III || fail "no class III after an item"
complete_line 'varnolek-calc --t' | grep_all -qx -- --table || fail "no --table after 'varnolek-calc --t'"
complete_line 'varnolek-calc --i' | grep_all -qx -- --import || fail "no --import after 'varnolek-calc --i'"
complete_line 'varnolek-calc --table a.vtable --' | grep_all -qx -- --xlsx || fail "no --xlsx after a table"
complete_line 'varnolek-calc --import a.csv --' | grep_all -qx -- --save || fail "no --save after --import FILE"
echo "  ids after the program, FIELD= names after an id, items and classes after --standard, --table, --import, --xlsx, --save"

echo "check-package: all checks passed for $deb"
