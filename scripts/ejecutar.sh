#!/usr/bin/env bash
# Compila y abre el visor sobre el ejemplo incluido (o el archivo dado).
set -euo pipefail
raiz="$(cd "$(dirname "$0")/.." && pwd)"
bash "$raiz/scripts/instalar_dependencias.sh"
cmake -S "$raiz" -B "$raiz/build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$raiz/build" -j"$(nproc)" --target tresnal3d
archivo="${1:-$raiz/ejemplos/ingresoDatos.txt}"
exec "$raiz/build/tresnal3d" "$archivo"
