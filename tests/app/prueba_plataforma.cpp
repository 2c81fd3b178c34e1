// Lo que depende del sistema: consola, memoria del equipo e hilos de las
// bibliotecas de cálculo.
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
