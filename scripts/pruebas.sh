#!/usr/bin/env bash
# Compila y corre todas las pruebas: compilación normal con el compilador que
# CMake toma por omisión (c++; g++ en Debian salvo otro CXX), después con
# clang, AddressSanitizer y UndefinedBehaviorSanitizer (el de clang también ve
# la aritmética de punteros nulos), y una corrida del fuzzer. Todas con los
# avisos del compilador como errores.
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

echo "== Pruebas con clang, ASan y UBSan =="
export ASAN_OPTIONS="${ASAN_OPTIONS:-abort_on_error=1:halt_on_error=1}"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
correr build-san -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DTRESNAL_SANITIZAR=ON

echo "== Fuzzer =="
bash fuzz/correr.sh
echo "Todas las pruebas pasaron."
