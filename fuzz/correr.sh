#!/usr/bin/env bash
# Compila el fuzzer del cargador y del análisis con clang (libFuzzer, ASan,
# UBSan) y lo corre un tiempo acotado partiendo de fuzz/corpus. Falla si
# encuentra un cuelgue, una fuga, un comportamiento indefinido, un modelo
# incoherente o un resultado no finito, y también si ninguna entrada llegó a
# un análisis resuelto (el fuzzer no estaría probando el análisis).
#
# FUZZ_SEGUNDOS: duración (60 s por omisión). La corrida trabaja sobre una
# copia temporal del corpus: fuzz/corpus no cambia. Las entradas que fallan
# quedan en build-fuzz/fuzz (crash-*, leak-*, timeout-*); se reproducen con
# build-fuzz/fuzz/fuzz_cargador ARCHIVO.
set -euo pipefail
raiz="$(cd "$(dirname "$0")/.." && pwd)"
dir="$raiz/build-fuzz"
segundos="${FUZZ_SEGUNDOS:-60}"

cmake -S "$raiz" -B "$dir" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTRESNAL_FUZZ=ON -DTRESNAL_PRUEBAS=OFF -DTRESNAL_BENCH=OFF \
  -DTRESNAL_AVISOS_COMO_ERRORES="${TRESNAL_AVISOS_COMO_ERRORES:-OFF}" >/dev/null
cmake --build "$dir" -j"$(nproc)" --target fuzz_cargador

temporal="$(mktemp -d)"
trap 'rm -rf "$temporal"' EXIT
mkdir "$temporal/corpus"
cp "$raiz"/fuzz/corpus/* "$temporal/corpus"/

cd "$dir/fuzz"
export ASAN_OPTIONS="abort_on_error=1:detect_leaks=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
# Los modelos del fuzzer son chicos: un solo hilo de OpenBLAS
export OPENBLAS_NUM_THREADS=1
./fuzz_cargador "$temporal/corpus" -dict="$raiz/fuzz/etiquetas.dict" -max_total_time="$segundos" \
  -max_len=4096 -timeout=20 -rss_limit_mb=2048 -print_final_stats=1 2>&1 | tee "$temporal/registro.txt"

cuentas="$(grep '^fuzz_cargador: ' "$temporal/registro.txt" | tail -n 1)"
[ -n "$cuentas" ] || { echo "FALLA: el fuzzer no escribió sus cuentas" >&2; exit 1; }
resueltas="$(echo "$cuentas" | sed -n 's/.* \([0-9]*\) resueltas$/\1/p')"
[ "${resueltas:-0}" -gt 0 ] || { echo "FALLA: ninguna entrada llegó a un análisis resuelto" >&2; exit 1; }
