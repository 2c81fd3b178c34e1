#!/usr/bin/env bash
# Regenera fuzz/corpus: cada archivo distinto que escriben las pruebas de la
# entrada (build/tests/prueba_entrada, tablas del lector y del cargador) como
# Suite_Prueba_NN.txt, y una copia de cada ejemplo como ejemplo_NOMBRE.txt.
# La prueba Corpus.IgualAlQueEscribenLasPruebas comprueba que el corpus del
# repositorio es este. Los demás archivos del corpus son semillas a mano que
# el script no toca: barra_de_largo_absurdo.txt (una barra de 1e72 de largo,
# que encontró el fuzzer).
#
# Uso: bash fuzz/generar_corpus.sh [ruta de prueba_entrada]
set -euo pipefail
raiz="$(cd "$(dirname "$0")/.." && pwd)"
prueba="${1:-$raiz/build/tests/prueba_entrada}"
corpus="$raiz/fuzz/corpus"

find "$corpus" -regextype posix-extended -regex '.*/[A-Za-z]+_[A-Za-z]+_[0-9]+\.txt' -delete
find "$corpus" -name 'ejemplo_*.txt' -delete
TRESNAL_CORPUS="$corpus" "$prueba" --gtest_filter='-Corpus.*' >/dev/null
for e in "$raiz"/ejemplos/*.txt; do
    cp "$e" "$corpus/ejemplo_$(basename "$e")"
done
echo "corpus: $(ls "$corpus" | wc -l) archivos"
