// Análisis de la estructura (rigidez directa) e informe de texto.
#pragma once

// Ensambla, resuelve todos los combos con una sola factorización y entrega
// desplazamientos y reacciones a nudos y barras. Devuelve false, sin entregar
// resultados, cuando el modelo no se puede resolver; el motivo queda en
// mensajeAnalisis y se escribe en una línea de la salida estándar.
bool funcionSolve();

// Escribe "resultados.txt" con el modelo y el último análisis.
void funcionPrint();
