#!/usr/bin/env bash
# check_install.sh BUILD VERSION: installs BUILD into a temporary prefix and
# checks what a user gets: every file in place, the desktop entry and metainfo
# valid, the installed program finding its sample files on its first start,
# and the Debian package holding the same files and depending on Qt.
set -euo pipefail
build="$1"
version="$2"
work="$(mktemp -d)"
pid=""
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2> /dev/null
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

id=org.quizdex.Quizdex
sizes=(16 22 24 32 48 64 128 256)
sample=(Sample.tst default.bmp StartSound.wav TabClick.wav Correct.wav wrong.wav NewQuestion.wav)
expected=(bin/quizdex bin/quizdex-tool "share/applications/$id.desktop" "share/metainfo/$id.metainfo.xml"
          "share/icons/hicolor/scalable/apps/$id.svg" share/man/man1/quizdex.1.gz)
for s in "${sizes[@]}"; do expected+=("share/icons/hicolor/${s}x${s}/apps/$id.png"); done
for f in "${sample[@]}"; do expected+=("share/quizdex/tests/$f"); done

prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" > "$work/install.log" || {
    cat "$work/install.log"
    fail "cmake --install"
}
for f in "${expected[@]}"; do
    [ -s "$prefix/$f" ] || fail "not installed: $f"
done
for s in "${sizes[@]}"; do
    file "$prefix/share/icons/hicolor/${s}x${s}/apps/$id.png" | grep -q "PNG image data, $s x $s," ||
        fail "the ${s}x${s} icon is not a $s px PNG"
done
gzip -t "$prefix/share/man/man1/quizdex.1.gz" || fail "the man page is not gzip"

desktop="$prefix/share/applications/$id.desktop"
metainfo="$prefix/share/metainfo/$id.metainfo.xml"
desktop-file-validate "$desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net --strict "$metainfo" || fail "appstreamcli validate"
# The menu starts the installed program, with the installed icon.
grep -qx "Exec=quizdex" "$desktop" || fail "the desktop entry does not start quizdex"
grep -qx "Icon=$id" "$desktop" || fail "the desktop entry does not name the icon $id"
grep -q "<release version=\"$version\"" "$metainfo" || fail "the metainfo lists no release $version"
# Desktops in each of the program's languages show its name and summary.
for lang in de fr es; do
    grep -q "^Comment\[$lang\]=" "$desktop" || fail "the desktop entry has no $lang comment"
    grep -q "<summary xml:lang=\"$lang\">" "$metainfo" || fail "the metainfo has no $lang summary"
done


[ "$("$prefix/bin/quizdex" --version)" = "quizdex $version" ] || fail "quizdex --version"
# Started as from the menu, with no folder: the sample lands in the data folder.
data="$work/data"
XDG_DATA_HOME="$data" "$prefix/bin/quizdex" > "$work/run.log" 2>&1 &
pid=$!
for _ in $(seq 300); do
    [ -d "$data/quizdex/tests" ] && break
    kill -0 "$pid" 2> /dev/null || break
    sleep 0.1
done
kill "$pid" 2> /dev/null || { cat "$work/run.log"; fail "the installed program ended by itself"; }
wait "$pid" 2> /dev/null || true
pid=""
for f in "${sample[@]}"; do
    cmp -s "$prefix/share/quizdex/tests/$f" "$data/quizdex/tests/$f" ||
        fail "the first start did not copy $f into the data folder"
done

# The package holds the same files, below /usr.
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/package" > "$work/cpack.log" 2>&1 || {
    cat "$work/cpack.log"
    fail "cpack"
}
deb=$(ls "$work"/package/quizdex_"$version"_*.deb)
dpkg-deb -c "$deb" | awk '{print $NF}' > "$work/contents"
for f in "${expected[@]}"; do
    grep -qx "./usr/$f" "$work/contents" || fail "the package lacks /usr/$f"
done
depends=$(dpkg-deb -f "$deb" Depends)
for p in libqt6widgets6 libqt6multimedia6 qt6-qpa-plugins; do
    tr ',' '\n' <<< "$depends" | awk '{print $1}' | grep -qx "$p" ||
        fail "the package does not depend on $p: $depends"
done
echo "installed and packaged: ${#expected[@]} files; Depends: $depends"
