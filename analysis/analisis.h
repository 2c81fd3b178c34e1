// Análisis de la estructura (rigidez directa) e informe de texto: lo que
// llaman los demás. Las piezas internas del análisis, compartidas entre sus
// archivos, están en analysis/analisis_interno.h.
#pragma once

#include <chrono>

// Ensambla, resuelve todos los combos con una sola factorización y entrega
// desplazamientos y reacciones a nudos y barras. Devuelve false, sin entregar
// resultados, cuando el modelo no se puede resolver; el motivo queda en
// mensajeAnalisis y se escribe en una línea de la salida estándar.
bool funcionSolve();

// Escribe "resultados.txt" con el modelo y el último análisis.
void funcionPrint();

// Duración de las fases de un análisis, en segundos (la del último queda en
// tiemposUltimoAnalisis, app/zurezar3o.h; la lee la medición)
struct tiemposAnalisis {
    double ensamblaje = 0;  // matrices de la estructura y bloque libre
    double solucion = 0;    // factorización, sustituciones y reacciones
    double entrega = 0;     // desplazamientos y reacciones a nudos y barras
    bool paginasGrandes = false;  // la rigidez densa nueva, en páginas grandes

    bool operator==(const tiemposAnalisis& o) const
    {
        return ensamblaje == o.ensamblaje && solucion == o.solucion && entrega == o.entrega
               && paginasGrandes == o.paginasGrandes;
    }
};

// Segundos desde un instante del reloj monótono
inline double segundosDesde(std::chrono::steady_clock::time_point inicio)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - inicio).count();
}
