// Piezas comunes de las mediciones: reloj, memoria pico, piso de la memoria
// nueva, consola callada, cada caso en su proceso, el edificio regular de
// pórticos escrito como archivo de entrada y los ajustes de dibujo.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <string>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "analysis/analisis.h"
#include "app/plataforma.h"
#include "input/funcionLeerArchivo.h"

inline double memoriaPicoMB()
{
    rusage r{};
    getrusage(RUSAGE_SELF, &r);
    return static_cast<double>(r.ru_maxrss) / 1024.0;
}

// Segundos para escribir por primera vez un búfer nuevo de bytes (pedirlo y
// llenarlo de doubles) con todos los núcleos, cada uno su tramo contiguo,
// con páginas normales o grandes: el piso de lo que cuesta llenar una matriz
// densa de ese tamaño en este equipo
inline double segundosMemoriaNueva(size_t bytes, bool paginasGrandes)
{
    auto inicio = std::chrono::steady_clock::now();
    double* p = static_cast<double*>(std::malloc(bytes));
    if (p == nullptr) {
        return 0;
    }
    if (paginasGrandes) {
        pedirPaginasGrandes(p, bytes);
    }
    repartirEnNucleos(static_cast<long>(bytes / sizeof(double)),
                      [p](long desde, long hasta) { std::fill(p + desde, p + hasta, 1.0); });
    // que el compilador no se ahorre la escritura
    asm volatile("" : : "r"(p) : "memory");
    double t = segundosDesde(inicio);
    std::free(p);
    return t;
}

// En una máquina virtual la memoria devuelta vuelve al anfitrión en unos
// segundos, y escribirla de nuevo cuesta lo mismo que la primera vez; la
// recién devuelta, en cambio, sale casi gratis. Antes de medir algo que pide
// memoria nueva se espera a que la devuelta se enfríe, para que el análisis y
// el piso la paguen igual que un usuario al pulsar "Calcular".
inline void esperarMemoriaFria()
{
    std::fflush(stdout);
    sleep(3);
}

// Corre el caso en un proceso hijo, para que su memoria pico y su memoria
// nueva sean suyas; devuelve lo que devuelve el caso (1 si el hijo no termina)
inline int enProcesoAparte(const std::function<int()>& caso)
{
    std::cout.flush();
    std::fflush(stdout);
    pid_t hijo = fork();
    if (hijo < 0) {
        return caso();
    }
    if (hijo == 0) {
        int resultado = caso();
        std::cout.flush();
        std::fflush(stdout);
        std::_Exit(resultado);
    }
    int estado = 0;
    waitpid(hijo, &estado, 0);
    return WIFEXITED(estado) ? WEXITSTATUS(estado) : 1;
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

// Escribe todos los ajustes de dibujo del formato, en su orden, con su valor
// por defecto salvo los dados (etiqueta y valor)
inline void escribirAjustes(std::FILE* f,
                            const std::vector<std::pair<std::string, double>>& otros = {})
{
    std::fputs("\n", f);
    for (const ajusteFormato& a : ajustesFormato) {
        double valor = a.defecto;
        for (const auto& [etiqueta, v] : otros) {
            if (etiqueta == a.etiqueta) valor = v;
        }
        std::fprintf(f, "%s %g\n", a.etiqueta.c_str(), valor);
    }
}
