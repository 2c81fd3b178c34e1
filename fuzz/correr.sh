#!/usr/bin/env bash
# Compila el fuzzer del cargador con clang (libFuzzer, ASan, UBSan) y lo corre
# un tiempo acotado partiendo de los ejemplos. Falla si encuentra un cuelgue,
# una fuga, un comportamiento indefinido o un modelo incoherente.
set -euo pipefail
raiz="$(cd "$(dirname "$0")/.." && pwd)"
dir="$raiz/build-fuzz"
segundos="${FUZZ_SEGUNDOS:-60}"

cmake -S "$raiz" -B "$dir" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTRESNAL_FUZZ=ON -DTRESNAL_PRUEBAS=OFF -DTRESNAL_BENCH=OFF >/dev/null
cmake --build "$dir" -j"$(nproc)" --target fuzz_cargador

corpus="$(mktemp -d)"
trap 'rm -rf "$corpus"' EXIT
cp "$raiz"/ejemplos/*.txt "$corpus"/

cd "$dir/fuzz"
export ASAN_OPTIONS="abort_on_error=1:detect_leaks=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
./fuzz_cargador "$corpus" -dict="$raiz/fuzz/etiquetas.dict" -max_total_time="$segundos" \
  -max_len=4096 -timeout=20 -rss_limit_mb=2048 -print_final_stats=1
