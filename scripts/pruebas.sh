#!/usr/bin/env bash
# Compila y corre todas las pruebas: compilación normal, después con
# AddressSanitizer y UndefinedBehaviorSanitizer, y una corrida del fuzzer.
set -euo pipefail
raiz="$(cd "$(dirname "$0")/.." && pwd)"
cd "$raiz"
bash scripts/instalar_dependencias.sh
nucleos="$(nproc)"

correr() {  # carpeta de compilación, opciones de cmake...
  local dir="$1"; shift
  cmake -S . -B "$dir" "$@" >/dev/null
  cmake --build "$dir" -j"$nucleos"
  xvfb-run -a -s "-screen 0 1280x1024x24" \
    ctest --test-dir "$dir" --output-on-failure -j"$nucleos" --timeout 600
}

echo "== Pruebas (Release) =="
correr build -DCMAKE_BUILD_TYPE=Release

echo "== Pruebas con ASan y UBSan =="
export ASAN_OPTIONS="${ASAN_OPTIONS:-abort_on_error=1:halt_on_error=1}"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
correr build-san -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTRESNAL_SANITIZAR=ON -DTRESNAL_BENCH=OFF

if [ -f fuzz/correr.sh ]; then
  echo "== Fuzzer =="
  bash fuzz/correr.sh
fi
echo "Todas las pruebas pasaron."
