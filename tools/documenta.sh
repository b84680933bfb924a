#!/bin/sh
# Rebuilds docs/stored-systems.md from the designs in tools/designs: the introduction, the goals
# and the size table of every shipped system.
#   tools/documenta.sh [path of sestara-genera]
set -e
here=$(cd "$(dirname "$0")" && pwd)
gen=${1:-$here/../build/bin/sestara-genera}
{
    cat "$here/stored-systems-intro.md"
    echo "## Sizes"
    echo
    echo "Lower bound: the sphere-covering bound, C(N, drawn) divided by the drawn sets one column"
    echo "covers. Seconds: time spent on the design, summed over the runs that improved it (0 for a"
    echo "design restricted from the one for N + 1)."
    echo
    "$gen" tabella --cartella "$here/designs"
} > "$here/../docs/stored-systems.md"
