#!/bin/sh
# Builds the Debian package of the build folder with CPack and checks its control fields and file
# list, and, where lintian is installed, that lintian finds no error and no missing hardening in it.
# Usage: check_deb.sh BUILD_DIR VERSION WITH_GUI(0|1)
set -u

build=$1
version=$2
gui=$3

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
failures=0

fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

cd "$tmp" || exit 1
if ! cpack -G DEB --config "$build/CPackConfig.cmake" -B "$tmp/out" >cpack.log 2>&1; then
    cat cpack.log
    echo "FAIL: cpack -G DEB"
    exit 1
fi
arch=$(dpkg --print-architecture)
deb="$tmp/out/sestara_${version}_${arch}.deb"
[ -f "$deb" ] || { ls "$tmp/out"; echo "FAIL: $deb not made"; exit 1; }

field() {
    dpkg-deb -f "$deb" "$1"
}
[ "$(field Package)" = sestara ] || fail "Package: $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version: $(field Version)"
[ "$(field Architecture)" = "$arch" ] || fail "Architecture: $(field Architecture)"
[ "$(field Section)" = games ] || fail "Section: $(field Section)"
[ -n "$(field Maintainer)" ] || fail "no Maintainer"
depends=$(field Depends)
for library in libc6 libstdc++6; do
    echo "$depends" | grep -q "$library" || fail "Depends lacks $library: $depends"
done
if [ "$gui" = 1 ]; then
    for library in libqt6widgets6 libqt6svg6; do
        echo "$depends" | grep -q "$library" || fail "Depends lacks $library: $depends"
    done
fi
description=$(field Description)
[ "$(echo "$description" | head -n 1)" = "full, reduced and immediate SuperEnalotto systems" ] ||
    fail "short description: $(echo "$description" | head -n 1)"
[ "$(echo "$description" | wc -l)" -gt 3 ] || fail "no long description"

# The files, and only these.
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' | sort >files
{
    echo ./usr/games/sestara-cli
    echo ./usr/share/doc/sestara/changelog.gz
    echo ./usr/share/doc/sestara/copyright
    echo ./usr/share/man/man6/sestara-cli.6.gz
    for f in Corvano.ini Immediati Riduttore; do echo "./usr/share/sestara/$f"; done
    echo ./usr/share/applications/sestara.desktop
    echo ./usr/share/icons/hicolor/scalable/apps/sestara.svg
    echo ./usr/share/metainfo/it.sestara.Sestara.metainfo.xml
    echo ./usr/share/mime/packages/sestara.xml
    if [ "$gui" = 1 ]; then
        echo ./usr/games/sestara
        echo ./usr/share/lintian/overrides/sestara
        echo ./usr/share/man/man6/sestara.6.gz
    fi
} | sort >expected
if ! cmp -s files expected; then
    fail "file list"
    diff expected files
fi

# The programs in the package run from it: the version they say is the package's.
dpkg-deb -x "$deb" root
out=$(root/usr/games/sestara-cli --version)
[ "$out" = "sestara-cli $version" ] || fail "sestara-cli --version says \"$out\""
zcat root/usr/share/man/man6/sestara-cli.6.gz | grep -q "Sestara $version" || fail "manual page without the version"

# The executables carry Debian's hardening: lintian's pedantic and informational tags say when one
# lacks any of it, and hardening-check names what (checked functions are lintian's to judge: a
# program whose every call is proven safe when compiled has none, see packaging/lintian-overrides).
if command -v lintian >/dev/null 2>&1; then
    lintian -I --pedantic --no-tag-display-limit "$deb" >lintian.log 2>&1
    if grep -q '^E:' lintian.log; then
        cat lintian.log
        fail "lintian reports errors"
    fi
    if grep -q 'hardening' lintian.log; then
        grep 'hardening' lintian.log
        fail "lintian reports missing hardening"
    fi
fi
if command -v hardening-check >/dev/null 2>&1; then
    for program in root/usr/games/*; do
        hardening-check --nocfprotection --nofortify "$program" >hardening.log 2>&1 ||
            { cat hardening.log; fail "hardening-check $program"; }
    done
fi

if [ $failures -ne 0 ]; then
    echo "$failures failures"
    exit 1
fi
echo "package $deb checked"
