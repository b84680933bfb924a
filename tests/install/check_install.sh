#!/bin/sh
# Installs the build into a fresh prefix and runs the installed command-line program from another
# folder: it must find its data files in <prefix>/share/sestara, and say so cleanly when they are gone.
# Usage: check_install.sh CMAKE BUILD_DIR SOURCE_DIR
set -u

cmake=$1
build=$2
source=$3

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
prefix=$(cd "$tmp" && pwd -P)/prefix
failures=0

fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# Compares a file with the expected text, byte for byte.
same() {
    if ! cmp -s "$1" "$2"; then
        fail "$3"
        echo "--- expected"
        cat "$2"
        echo "--- got"
        cat "$1"
    fi
}

if ! "$cmake" --install "$build" --prefix "$prefix" >"$tmp/install.log" 2>&1; then
    cat "$tmp/install.log"
    echo "FAIL: cmake --install"
    exit 1
fi

# The executables, and nothing else, in bin; the data files of data/ in share/sestara.
expected_bin="sestara-cli"
if [ -e "$build/bin/sestara" ]; then
    expected_bin="sestara sestara-cli"
fi
actual_bin=$(cd "$prefix/bin" && ls | tr '\n' ' ' | sed 's/ $//')
[ "$actual_bin" = "$expected_bin" ] || fail "bin holds \"$actual_bin\", expected \"$expected_bin\""
for f in "$source"/data/*; do
    name=$(basename "$f")
    cmp -s "$f" "$prefix/share/sestara/$name" || fail "share/sestara/$name is not the file of data/"
done
for f in share/applications/sestara.desktop share/icons/hicolor/scalable/apps/sestara.svg \
         share/metainfo/it.sestara.Sestara.metainfo.xml; do
    [ -f "$prefix/$f" ] || fail "$f not installed"
done

mkdir "$tmp/elsewhere"
cd "$tmp/elsewhere" || exit 1

"$prefix/bin/sestara-cli" catalogo 10 >out 2>err
[ $? -eq 0 ] || fail "catalogo 10 exit code"
printf '%s\n' "10 numeri sistema Integrale" \
    "10 numeri in 20 sestine a garanzia quattro con 4 estratti" \
    "10 numeri in 10 sestine a garanzia tre con 3 estratti" \
    "10 numeri ridotto n-1" "10 numeri ridotto n-2" "10 numeri ridotto n-3" >expected
same out expected "catalogo 10 output"
[ -s err ] && fail "catalogo 10 wrote to stderr"

# A reduced system reads the table Riduttore from the installed data folder.
printf 'Sistema=10 numeri ridotto n-1\r\nLista=5 6 7 8 9 10 11 12 13 14 \r\n' >ridotto.sup
"$prefix/bin/sestara-cli" sviluppa ridotto.sup >out 2>err
[ $? -eq 0 ] || fail "sviluppa exit code"
printf '%s\r\n' "1	>   5-6-7-8-9-11" "2	>   5-6-7-9-12-13" "3	>   5-6-7-10-12-14" \
    "4	>   5-6-8-10-11-13" "5	>   5-7-8-11-13-14" "6	>   5-7-9-10-11-14" \
    "7	>   5-8-9-10-11-12" "8	>   5-8-9-12-13-14" "9	>   6-7-8-11-12-14" \
    "10	>   6-7-9-10-11-14" "11	>   6-8-9-10-13-14" "12	>   6-9-11-12-13-14" \
    "13	>   7-8-9-10-12-13" "14	>   7-10-11-12-13-14" >expected
same out expected "sviluppa output"
[ -s err ] && fail "sviluppa wrote to stderr"

# Without the data folder the run is refused with the program's message and a failure code.
rm -rf "$prefix/share/sestara"
"$prefix/bin/sestara-cli" sviluppa ridotto.sup >out 2>err
code=$?
[ $code -eq 1 ] || fail "sviluppa without data: exit code $code, expected 1"
[ -s out ] && fail "sviluppa without data wrote a listing"
printf 'Impossibile leggere il file "Riduttore" (%s/bin/Riduttore).\n' "$prefix" >expected
same err expected "sviluppa without data: message"

if [ $failures -ne 0 ]; then
    echo "$failures failures"
    exit 1
fi
echo "installed program runs from $prefix"
