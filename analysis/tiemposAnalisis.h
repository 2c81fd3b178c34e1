// Duración de las fases del último análisis, en segundos (la usa la medición).
#pragma once

struct tiemposAnalisis {
    double ensamblaje = 0;  // matrices de la estructura y bloque libre
    double solucion = 0;    // factorización, sustituciones y reacciones
    double entrega = 0;     // desplazamientos y reacciones a nudos y barras
};

extern tiemposAnalisis tiemposUltimoAnalisis;
