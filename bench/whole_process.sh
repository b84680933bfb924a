#!/usr/bin/env bash
# Whole-process wall time and peak memory of `sestara-cli sviluppa` on the 35-number full system,
# side by side with the plain nested-loop program. Usage: bench/whole_process.sh [BUILD_DIR]
set -euo pipefail
build=${1:-build}
bin="$build/bin"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

list=$(seq -s ' ' 1 35)
printf 'Sistema=35 numeri sistema Integrale\r\nLista=%s \r\n' "$list" > "$work/full.sup"
printf 'Sistema=35 numeri sistema Integrale\r\nLista=%s \r\nPariDispari=2-3-4-\r\nConsecutivi=0-1-\r\nSomma=60 - 150\r\n' \
  "$list" > "$work/cond.sup"

# Best of ten: wall seconds (nanosecond clock) and peak kilobytes.
measure() {
  local best_ns="" best_rss="" start end ns rss
  for _ in 1 2 3 4 5 6 7 8 9 10; do
    start=$(date +%s%N)
    /usr/bin/time -f '%M' -o "$work/t" "$@" > "$work/out" 2>/dev/null
    end=$(date +%s%N)
    ns=$((end - start))
    rss=$(tail -n 1 "$work/t")
    if [ -z "$best_ns" ] || [ "$ns" -lt "$best_ns" ]; then best_ns=$ns; fi
    if [ -z "$best_rss" ] || [ "$rss" -lt "$best_rss" ]; then best_rss=$rss; fi
  done
  echo "$(awk "BEGIN{printf \"%.3f\", $best_ns/1e9}") $best_rss $(wc -c < "$work/out")"
}

read -r ref_wall ref_rss ref_bytes < <(measure "$bin/reference_loop" 35)
read -r full_wall full_rss full_bytes < <(measure "$bin/sestara-cli" sviluppa "$work/full.sup")
read -r cond_wall cond_rss cond_bytes < <(measure "$bin/sestara-cli" sviluppa "$work/cond.sup")

"$bin/reference_loop" 35 > "$work/ref.txt"
"$bin/sestara-cli" sviluppa "$work/full.sup" > "$work/full.txt"
same=$(cmp -s "$work/ref.txt" "$work/full.txt" && echo "identico" || echo "DIVERSO")

printf '%-38s %10s %12s %14s %8s\n' "programma" "secondi" "picco MiB" "byte" "rapporto"
row() { printf '%-38s %10s %12.1f %14s %8.2f\n' "$1" "$2" "$(awk "BEGIN{print $3/1024}")" "$4" "$(awk "BEGIN{print $2/$ref_wall}")"; }
row "riferimento (cicli annidati)" "$ref_wall" "$ref_rss" "$ref_bytes"
row "sestara-cli integrale 35" "$full_wall" "$full_rss" "$full_bytes"
row "sestara-cli integrale 35 + condizioni" "$cond_wall" "$cond_rss" "$cond_bytes"
echo "listato integrale 35 rispetto al riferimento: $same"
limit=$(awk "BEGIN{print 1.5*$ref_wall}")
ok=$(awk "BEGIN{print ($full_wall <= $limit && $cond_wall <= $limit && $full_rss < 65536) ? \"entro i limiti\" : \"FUORI DAI LIMITI\"}")
echo "limite: 1,5 x riferimento = $limit s, picco < 64 MiB: $ok"
