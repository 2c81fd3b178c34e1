// Piezas comunes de las mediciones: reloj, memoria pico, consola callada y el
// edificio regular de pórticos escrito como archivo de entrada.
#pragma once

#include <chrono>
#include <cstdio>
#include <iostream>
#include <vector>

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

inline double segundosDesde(std::chrono::steady_clock::time_point inicio)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - inicio).count();
}

inline double memoriaPicoMB()
{
    rusage r{};
    getrusage(RUSAGE_SELF, &r);
    return static_cast<double>(r.ru_maxrss) / 1024.0;
}

// Corre f con la salida estándar tirada (el cargador escribe su progreso)
template <typename F>
void enSilencio(F f)
{
    std::cout.flush();
    std::fflush(stdout);
    int guardada = dup(STDOUT_FILENO);
    int nula = open("/dev/null", O_WRONLY);
    if (nula >= 0) {
        dup2(nula, STDOUT_FILENO);
        close(nula);
    }
    f();
    std::cout.flush();
    std::fflush(stdout);
    if (guardada >= 0) {
        dup2(guardada, STDOUT_FILENO);
        close(guardada);
    }
}

// Edificio regular de pórticos: nx por ny vanos de 6 m y pisos de 3.5 m
struct edificio {
    int nx, ny, pisos;
};

const double vanoEdificio = 6.0;
const double alturaEdificio = 3.5;

inline int numeroNudo(const edificio& e, int i, int j, int k)
{
    return (k * (e.ny + 1) + j) * (e.nx + 1) + i + 1;
}

// Números de las barras y nudos del edificio según su papel
struct partesEdificio {
    std::vector<int> columnas, vigas, base;
};

// Escribe las tablas nudos: y barras: del edificio
inline partesEdificio escribirGeometria(std::FILE* f, const edificio& e)
{
    partesEdificio p;
    std::fputs("nudos:\n", f);
    for (int k = 0; k <= e.pisos; k++) {
        for (int j = 0; j <= e.ny; j++) {
            for (int i = 0; i <= e.nx; i++) {
                std::fprintf(f, "%d %g %g %g\n", numeroNudo(e, i, j, k), i * vanoEdificio,
                             j * vanoEdificio, k * alturaEdificio);
                if (k == 0) {
                    p.base.push_back(numeroNudo(e, i, j, 0));
                }
            }
        }
    }
    std::fputs("\nbarras:\n", f);
    int b = 0;
    for (int k = 1; k <= e.pisos; k++) {
        for (int j = 0; j <= e.ny; j++) {
            for (int i = 0; i <= e.nx; i++) {
                int n = numeroNudo(e, i, j, k);
                std::fprintf(f, "%d %d %d\n", ++b, numeroNudo(e, i, j, k - 1), n);
                p.columnas.push_back(b);
                if (i < e.nx) {
                    std::fprintf(f, "%d %d %d\n", ++b, n, numeroNudo(e, i + 1, j, k));
                    p.vigas.push_back(b);
                }
                if (j < e.ny) {
                    std::fprintf(f, "%d %d %d\n", ++b, n, numeroNudo(e, i, j + 1, k));
                    p.vigas.push_back(b);
                }
            }
        }
    }
    return p;
}

// Lista de números, 20 por línea
inline void escribirLista(std::FILE* f, const std::vector<int>& lista)
{
    for (size_t k = 0; k < lista.size(); k++) {
        std::fprintf(f, "%d%s", lista[k], k % 20 == 19 ? "\n" : " ");
    }
    std::fputs("\n", f);
}
