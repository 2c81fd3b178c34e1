// Código de cada sistema: consola, memoria, páginas grandes e hilos.
#include "app/plataforma.h"

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>

#include <omp.h>

#ifdef _WIN32
#include <io.h>
#else
#include <dlfcn.h>
#include <sys/mman.h>
#include <unistd.h>
#endif

void funcionLimpiarConsola()
{
#ifdef _WIN32
    std::system("cls");
#else
    // Solo en una terminal: la salida redirigida queda limpia
    if (isatty(STDOUT_FILENO)) {
        std::cout << "\033[2J\033[H" << std::flush;
    }
#endif
}

namespace {

// Valor en bytes de una clave de /proc/meminfo ("MemAvailable:"); 0 si no está
double leerMemInfo(const char* clave)
{
    std::ifstream info("/proc/meminfo");
    std::string nombre;
    double kb = 0;
    while (info >> nombre >> kb) {
        if (nombre == clave) {
            return kb * 1024.0;
        }
        info.ignore(256, '\n');
    }
    return 0;
}

// Memoria física según el sistema; 0 si no se sabe
double memoriaFisica()
{
#if defined(_SC_PHYS_PAGES) && defined(_SC_PAGE_SIZE)
    long paginas = sysconf(_SC_PHYS_PAGES);
    long tamano = sysconf(_SC_PAGE_SIZE);
    if (paginas > 0 && tamano > 0) {
        return static_cast<double>(paginas) * static_cast<double>(tamano);
    }
#endif
    return 0;
}

#ifndef _WIN32
using fijarEntero = void (*)(int);

// Función de una biblioteca ya cargada, o nula si no está
fijarEntero funcionCargada(const char* nombre)
{
    return reinterpret_cast<fijarEntero>(dlsym(RTLD_DEFAULT, nombre));
}
#endif

// CHOLMOD reparte cada supernodo entre hilos de OpenMP y OpenBLAS usa los
// suyos: con los bloques chicos de un pórtico, y más con la máquina ocupada,
// los hilos que esperan cuestan mucho más de lo que ganan, y un BLAS con
// otra cantidad de hilos puede sumar en otro orden. Un solo hilo en las dos:
// ningún nivel de OpenMP activo fuera de repartirEnNucleos.
void fijarHilosDeCalculo()
{
    omp_set_max_active_levels(0);
#ifndef _WIN32
    if (auto f = funcionCargada("openblas_set_num_threads")) {
        f(1);
    }
#endif
}

// Se fija una vez al arrancar, antes de main, en todo programa que use el
// análisis (que pide a este archivo la memoria disponible)
struct hilosAlArrancar {
    hilosAlArrancar() { fijarHilosDeCalculo(); }
} fijarAlArrancar;

}  // namespace

namespace {
double topeDeMemoria = 0;
}  // namespace

void fijarTopeDeMemoria(double bytes) { topeDeMemoria = bytes > 0 ? bytes : 0; }

double memoriaDisponible()
{
    double disponible = leerMemInfo("MemAvailable:");
    if (disponible <= 0) {
        disponible = memoriaFisica();
    }
    if (topeDeMemoria > 0 && (disponible <= 0 || disponible > topeDeMemoria)) {
        disponible = topeDeMemoria;
    }
    return disponible;
}

double memoriaTotal()
{
    double total = leerMemInfo("MemTotal:");
    return total > 0 ? total : memoriaFisica();
}

void repartirEnNucleos(long n, const std::function<void(long, long)>& tramo)
{
    omp_set_max_active_levels(1);
#pragma omp parallel num_threads(omp_get_num_procs())
    {
        long hilo = omp_get_thread_num(), hilos = omp_get_num_threads();
        tramo(n * hilo / hilos, n * (hilo + 1) / hilos);
    }
    omp_set_max_active_levels(0);
}

void pedirPaginasGrandes(void* inicio, std::size_t bytes)
{
#if defined(MADV_HUGEPAGE)
    const std::uintptr_t pagina = std::uintptr_t(1) << 21;
    std::uintptr_t a = reinterpret_cast<std::uintptr_t>(inicio);
    std::uintptr_t desde = (a + pagina - 1) & ~(pagina - 1);
    std::uintptr_t hasta = (a + bytes) & ~(pagina - 1);
    if (inicio != nullptr && hasta > desde) {
        madvise(reinterpret_cast<void*>(desde), hasta - desde, MADV_HUGEPAGE);
    }
#else
    (void)inicio;
    (void)bytes;
#endif
}
