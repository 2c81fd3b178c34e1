// Medición del análisis: edificio regular de pórticos con dos combos.
// Mide ensamblaje, solución y entrega de resultados, y la memoria pico.
// Cada tamaño corre en su propio proceso para que la memoria pico sea suya.
//
// Uso: medir_analisis                 los tres tamaños de siempre
//      medir_analisis nx ny pisos     un edificio de nx por ny vanos
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "analysis/analisis.h"
#include "analysis/tiemposAnalisis.h"
#include "app/zurezar3o.h"

namespace {

struct edificio {
    int nx, ny, pisos;
};

const double vano = 6.0;
const double altura = 3.5;

int indiceNudo(const edificio& e, int i, int j, int k)
{
    return (k * (e.ny + 1) + j) * (e.nx + 1) + i;
}

// Agrega una barra entre dos nudos internos con la sección y cargas del tipo
void agregarBarra(int a, int b, bool esViga)
{
    int k = static_cast<int>(barra.size());
    barra.emplace_back();
    objBarra3d& br = barra.back();
    br.resetFlags();
    br.setNoBarraUsuario(k + 1);
    br.setNoBarraInterna(k);
    br.setNudoInicio(a, nudo[a].getX(), nudo[a].getY(), nudo[a].getZ());
    br.setNudoFinal(b, nudo[b].getX(), nudo[b].getY(), nudo[b].getZ());
    if (esViga) {
        br.setSeccionW(0.2, 0.015, 0.45, 0.009);
    } else {
        br.setSeccionRectangular(0.5, 0.5);
    }
    br.setModuloEyPoisson(2.5e7, 0.2);
    br.setNombreDeSeccion(esViga ? "W450" : "C50");
    br.setPesoEspecifico(78.5);
    if (esViga) {
        br.setDistribuidaGlobal("SC", 12.0, 12.0, 0, 0, -1);
    }
    br.setPesoPropio("PP");
    br.setCombo("C1", 1.2, "PP");
    br.setCombo("C1", 1.6, "SC");
    br.setCombo("C2", 1.0, "PP");
    br.setCombo("C2", 0.5, "SC");
    br.setCombo("C2", 1.0, "S");
}

void construir(const edificio& e)
{
    nudo.clear();
    barra.clear();
    int n = (e.nx + 1) * (e.ny + 1) * (e.pisos + 1);
    nudo.resize(static_cast<size_t>(n));
    for (int k = 0; k <= e.pisos; k++) {
        for (int j = 0; j <= e.ny; j++) {
            for (int i = 0; i <= e.nx; i++) {
                int l = indiceNudo(e, i, j, k);
                objNudo3d& nd = nudo[l];
                nd.setNoNudoUsuario(l + 1);
                nd.setNoNudoInterno(l);
                nd.setCoordenadas(i * vano, j * vano, k * altura);
                if (k == 0) {
                    nd.setApoyo(1, 1, 1, 1, 1, 1);
                } else {
                    // Sismo: carga lateral creciente con la altura
                    nd.setCargaPuntual("S", 2.0 * k, 1.0 * k, 0, 0, 0, 0);
                }
                nd.setCombo("C1", 1.2, "PP");
                nd.setCombo("C1", 1.6, "SC");
                nd.setCombo("C2", 1.0, "PP");
                nd.setCombo("C2", 0.5, "SC");
                nd.setCombo("C2", 1.0, "S");
            }
        }
    }
    for (int k = 1; k <= e.pisos; k++) {
        for (int j = 0; j <= e.ny; j++) {
            for (int i = 0; i <= e.nx; i++) {
                agregarBarra(indiceNudo(e, i, j, k - 1), indiceNudo(e, i, j, k), false);
                if (i < e.nx) {
                    agregarBarra(indiceNudo(e, i, j, k), indiceNudo(e, i + 1, j, k), true);
                }
                if (j < e.ny) {
                    agregarBarra(indiceNudo(e, i, j, k), indiceNudo(e, i, j + 1, k), true);
                }
            }
        }
    }
    noNudos = n;
    noBarras = static_cast<int>(barra.size());
    noCombos = 2;
}

// Memoria pico del proceso en MB
double memoriaPicoMB()
{
    rusage r{};
    getrusage(RUSAGE_SELF, &r);
    return static_cast<double>(r.ru_maxrss) / 1024.0;
}

int medir(const edificio& e)
{
    using reloj = std::chrono::steady_clock;
    construir(e);
    double memoriaModelo = memoriaPicoMB();
    reloj::time_point inicio = reloj::now();
    bool bien = funcionSolve();
    double total = std::chrono::duration<double>(reloj::now() - inicio).count();
    if (!bien) {
        std::printf("%dx%dx%d: el análisis falló: %s\n", e.nx, e.ny, e.pisos,
                    mensajeAnalisis.c_str());
        return 1;
    }
    double N = 6.0 * noNudos;
    double kDensaMB = 8.0 * N * N / (1024.0 * 1024.0);
    double pico = memoriaPicoMB();
    std::printf(
        "%2dx%2d vanos, %d pisos: %5d nudos, %5d barras, %5.0f gdl | ensamblaje %6.3f s  "
        "solución %6.3f s  entrega %6.3f s  total %6.3f s | memoria pico %6.0f MB "
        "(modelo %4.0f MB; K densa %5.0f MB; pico/K %.2f)\n",
        e.nx, e.ny, e.pisos, noNudos, noBarras, N, tiemposUltimoAnalisis.ensamblaje,
        tiemposUltimoAnalisis.solucion, tiemposUltimoAnalisis.entrega, total, pico,
        memoriaModelo, kDensaMB, pico / kDensaMB);
    // Comprobación mínima: desplazamiento lateral del techo en el combo sísmico
    double uTecho = nudo[indiceNudo(e, e.nx, e.ny, e.pisos)].getDesplazamientoX(1);
    std::printf("   desplazamiento x del techo (C2): %.6g\n", uTecho);
    std::fflush(stdout);
    return 0;
}

// Corre la medición en un proceso hijo
int medirAparte(const edificio& e)
{
    std::fflush(stdout);
    pid_t hijo = fork();
    if (hijo < 0) {
        return medir(e);
    }
    if (hijo == 0) {
        std::_Exit(medir(e));
    }
    int estado = 0;
    waitpid(hijo, &estado, 0);
    return WIFEXITED(estado) ? WEXITSTATUS(estado) : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 4) {
        edificio e{std::atoi(argv[1]), std::atoi(argv[2]), std::atoi(argv[3])};
        if (e.nx < 1 || e.ny < 1 || e.pisos < 1) {
            std::fprintf(stderr, "uso: %s [nx ny pisos]\n", argv[0]);
            return 2;
        }
        return medir(e);
    }
    if (argc != 1) {
        std::fprintf(stderr, "uso: %s [nx ny pisos]\n", argv[0]);
        return 2;
    }
    // Unos 3 000, 5 000 y 9 000 grados de libertad
    const edificio tamanos[] = {{9, 9, 4}, {10, 10, 6}, {12, 12, 8}};
    int fallas = 0;
    for (const edificio& e : tamanos) {
        fallas += medirAparte(e);
    }
    return fallas == 0 ? 0 : 1;
}
