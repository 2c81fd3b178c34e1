#!/usr/bin/env bash
# Compila y corre todas las pruebas: compilación normal, después con
# AddressSanitizer y UndefinedBehaviorSanitizer, una compilación completa con
# clang y una corrida del fuzzer. Todas con los avisos del compilador como
# errores.
set -euo pipefail
raiz="$(cd "$(dirname "$0")/.." && pwd)"
cd "$raiz"
bash scripts/instalar_dependencias.sh
nucleos="$(nproc)"
export TRESNAL_AVISOS_COMO_ERRORES=ON

compilar() {  # carpeta de compilación, opciones de cmake...
  local dir="$1"; shift
  cmake -S . -B "$dir" -DTRESNAL_AVISOS_COMO_ERRORES=ON "$@" >/dev/null
  cmake --build "$dir" -j"$nucleos"
}
correr() {  # carpeta de compilación, opciones de cmake...
  compilar "$@"
  xvfb-run -a -s "-screen 0 1280x1024x24" \
    ctest --test-dir "$1" --output-on-failure -j"$nucleos" --timeout 600
}

echo "== Pruebas (Release) =="
correr build -DCMAKE_BUILD_TYPE=Release

echo "== Pruebas con ASan y UBSan =="
export ASAN_OPTIONS="${ASAN_OPTIONS:-abort_on_error=1:halt_on_error=1}"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
correr build-san -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTRESNAL_SANITIZAR=ON -DTRESNAL_BENCH=OFF

echo "== Compilación con clang =="
compilar build-clang -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER=clang++

echo "== Fuzzer =="
bash fuzz/correr.sh
echo "Todas las pruebas pasaron."
