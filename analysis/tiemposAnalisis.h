// Duración de las fases del último análisis, en segundos (la usa la medición).
#pragma once

#include <chrono>

struct tiemposAnalisis {
    double ensamblaje = 0;  // matrices de la estructura y bloque libre
    double solucion = 0;    // factorización, sustituciones y reacciones
    double entrega = 0;     // desplazamientos y reacciones a nudos y barras
};

extern tiemposAnalisis tiemposUltimoAnalisis;

// Segundos desde un instante del reloj monótono
inline double segundosDesde(std::chrono::steady_clock::time_point inicio)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - inicio).count();
}
