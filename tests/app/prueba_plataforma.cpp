// Lo que depende del sistema: consola, memoria del equipo, hilos de las
// bibliotecas de cálculo y el reparto entre núcleos.
#include <atomic>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

#include <dlfcn.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "app/plataforma.h"
#include "comun/utilidades.h"

TEST(Consola, SalidaRedirigidaQuedaLimpia)
{
    // La salida capturada no es una terminal: no se escribe nada
    std::string salida = capturarSalida([] { funcionLimpiarConsola(); });
    EXPECT_EQ(salida, "");
}

TEST(Plataforma, HilosDeCalculoEnUnoDesdeElArranque)
{
    // Este ejecutable nunca analiza: los hilos ya quedaron en uno al arrancar
    using leerEntero = int (*)();
    auto niveles = reinterpret_cast<leerEntero>(dlsym(RTLD_DEFAULT, "omp_get_max_active_levels"));
    auto hilos = reinterpret_cast<leerEntero>(dlsym(RTLD_DEFAULT, "openblas_get_num_threads"));
    if (niveles == nullptr && hilos == nullptr) {
        GTEST_SKIP() << "sin OpenMP ni OpenBLAS cargados";
    }
    if (niveles != nullptr) {
        EXPECT_EQ(niveles(), 0);
    }
    if (hilos != nullptr) {
        EXPECT_EQ(hilos(), 1);
    }
}

TEST(Plataforma, RepartirEnNucleosCubreTodoUnaVezYVuelveAUnHilo)
{
    // Cada índice una sola vez, en tramos contiguos de hilos distintos; al
    // terminar, OpenMP vuelve a no tener niveles activos
    const long n = 100003;
    std::vector<std::atomic<int>> vistos(n);
    std::mutex cerrojo;
    std::set<std::thread::id> hilos;
    long tramos = 0;
    repartirEnNucleos(n, [&](long desde, long hasta) {
        for (long i = desde; i < hasta; i++) {
            vistos[static_cast<size_t>(i)]++;
        }
        std::lock_guard<std::mutex> l(cerrojo);
        hilos.insert(std::this_thread::get_id());
        tramos++;
    });
    for (long i = 0; i < n; i++) {
        ASSERT_EQ(vistos[static_cast<size_t>(i)], 1) << i;
    }
    long nucleos = sysconf(_SC_NPROCESSORS_ONLN);
    EXPECT_EQ(tramos, static_cast<long>(hilos.size()));
    if (nucleos > 1) {
        EXPECT_GT(hilos.size(), 1u);
    }
    using leerEntero = int (*)();
    auto niveles = reinterpret_cast<leerEntero>(dlsym(RTLD_DEFAULT, "omp_get_max_active_levels"));
    ASSERT_NE(niveles, nullptr);
    EXPECT_EQ(niveles(), 0);
}

TEST(Plataforma, MemoriaDelEquipo)
{
    // La total frente a la que da el sistema por páginas físicas
    double fisica = static_cast<double>(sysconf(_SC_PHYS_PAGES)) * sysconf(_SC_PAGE_SIZE);
    double total = memoriaTotal(), disponible = memoriaDisponible();
    ASSERT_GT(fisica, 0);
    EXPECT_NEAR(total, fisica, 0.05 * fisica);
    EXPECT_GT(disponible, 0);
    EXPECT_LE(disponible, total);
}

TEST(Plataforma, TopeDeLaMemoriaDisponible)
{
    double libre = memoriaDisponible();
    fijarTopeDeMemoria(1e6);
    EXPECT_EQ(memoriaDisponible(), 1e6);
    // un tope mayor que lo disponible no agrega memoria
    fijarTopeDeMemoria(1e18);
    EXPECT_LT(memoriaDisponible(), 1e18);
    fijarTopeDeMemoria(0);
    EXPECT_NEAR(memoriaDisponible(), libre, 0.2 * libre);
}
