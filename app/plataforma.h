// Lo que depende del sistema: consola, memoria del equipo, páginas grandes
// e hilos de las bibliotecas de cálculo. Todo lo demás es C++ portable.
#pragma once

#include <cstddef>
#include <functional>

// Limpia la consola: "cls" en Windows; en otro sistema la secuencia ANSI,
// solo cuando la salida estándar es una terminal.
void funcionLimpiarConsola();

// Memoria que el equipo puede dar ahora, en bytes; 0 si no se sabe. Nunca
// más que el tope fijado con fijarTopeDeMemoria.
double memoriaDisponible();

// Tope de memoriaDisponible en bytes, para las pruebas y el fuzzer (que no
// pueden pedir toda la memoria del equipo); 0 lo quita.
void fijarTopeDeMemoria(double bytes);

// Memoria total del equipo, en bytes; 0 si no se sabe.
double memoriaTotal();

// Pide páginas grandes para un búfer todavía sin escribir. Según el equipo,
// la primera escritura de memoria nueva cuesta menos o mucho más así: el
// análisis las pide solo si las midió más rápidas. Solo afecta a las
// páginas de 2 MB enteras dentro del búfer; donde no se puede, no hace nada.
void pedirPaginasGrandes(void* inicio, std::size_t bytes);

// Corre tramo(desde, hasta) en todos los núcleos del equipo, un hilo por
// tramo contiguo de [0, n), y vuelve cuando terminaron todos. Es lo único
// que corre en paralelo: los hilos de OpenMP y del BLAS que usa la
// factorización quedan en uno al arrancar todo programa que enlace este
// archivo.
void repartirEnNucleos(long n, const std::function<void(long, long)>& tramo);
