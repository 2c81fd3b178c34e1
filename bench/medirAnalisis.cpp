// Medición del camino completo con edificios regulares de pórticos (dos
// combos) escritos como archivos de entrada: lectura (funcionLeerArchivo),
// ensamblaje, solución y entrega de resultados, un segundo análisis del mismo
// modelo y la memoria pico. Al lado, el piso del equipo: lo que tarda en
// escribir por primera vez, con todos los núcleos, un búfer nuevo del tamaño
// de la rigidez densa, con páginas normales y con páginas grandes. Cada
// tamaño corre en su propio proceso para que la memoria pico y la memoria
// nueva sean suyas, y antes
// del análisis y de cada piso se espera a que la memoria devuelta se enfríe
// (unos segundos); los archivos van a una carpeta temporal que se borra al
// terminar.
//
// Uso: medir_analisis                 los cuatro tamaños de siempre
//      medir_analisis nx ny pisos     un edificio de nx por ny vanos
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <omp.h>
#include <unistd.h>

#include "analysis/analisis.h"
#include "app/zurezar3o.h"
#include "bench/comunMedir.h"
#include "input/funcionLeerArchivo.h"

namespace {

const double areaColumna = 0.5 * 0.5;
const double pesoEspecifico = 78.5;
const double cargaViga = 12.0;  // SC, por unidad de largo hacia -Z

// Escribe el edificio como archivo de entrada
void escribirEdificio(const edificio& e, const std::string& ruta)
{
    std::FILE* f = std::fopen(ruta.c_str(), "w");
    if (!f) {
        std::perror(ruta.c_str());
        std::exit(1);
    }
    partesEdificio p = escribirGeometria(f, e);
    std::fputs("\napoyo:\n1 1 1 1 1 1\n", f);
    escribirLista(f, p.base);
    std::fprintf(f, "\nseccionRectangular:\nC50\n0.5 0.5 2.5e7 0.2 %g\n", pesoEspecifico);
    escribirLista(f, p.columnas);
    std::fprintf(f, "\nseccionW:\nW450\n0.2 0.015 0.45 0.009 2.5e7 0.2 %g\n", pesoEspecifico);
    escribirLista(f, p.vigas);
    std::fprintf(f, "\ndistribuidaGlobal:\nSC\n%g %g 0 0 -1\n", cargaViga, cargaViga);
    escribirLista(f, p.vigas);
    // Sismo: carga lateral creciente con la altura, un bloque por piso
    for (int k = 1; k <= e.pisos; k++) {
        std::vector<int> piso;
        for (int j = 0; j <= e.ny; j++) {
            for (int i = 0; i <= e.nx; i++) {
                piso.push_back(numeroNudo(e, i, j, k));
            }
        }
        std::fprintf(f, "\npuntual:\nS\n%g %g 0 0 0 0\n", 2.0 * k, 1.0 * k);
        escribirLista(f, piso);
    }
    std::fputs("\npesoPropio:\nPP\n", f);
    std::fputs("\ncombo:\nC1 1.2 PP 1.6 SC\ncombo:\nC2 1.0 PP 0.5 SC 1.0 S\n", f);
    std::fclose(f);
}

int medir(const edificio& e, const std::string& carpeta)
{
    std::ostringstream nombre;
    nombre << carpeta << "/edificio_" << e.nx << "x" << e.ny << "x" << e.pisos << ".txt";
    std::string ruta = nombre.str();
    escribirEdificio(e, ruta);
    std::ifstream tam(ruta, std::ios::ate | std::ios::binary);
    double archivoKB = static_cast<double>(tam.tellg()) / 1024.0;

    nombreArchivo = ruta;
    auto inicio = std::chrono::steady_clock::now();
    enSilencio([] { funcionLeerArchivo(); });
    double lectura = segundosDesde(inicio);
    double memoriaModelo = memoriaPicoMB();

    bool bien = false;
    esperarMemoriaFria();
    inicio = std::chrono::steady_clock::now();
    enSilencio([&] { bien = funcionSolve(); });
    double analisis = segundosDesde(inicio);
    std::remove(ruta.c_str());
    if (!bien) {
        std::printf("%dx%dx%d: el análisis falló: %s\n", e.nx, e.ny, e.pisos,
                    mensajeAnalisis.c_str());
        return 1;
    }
    const tiemposAnalisis t = tiemposUltimoAnalisis;
    double N = 6.0 * noNudos;
    double kDensaMB = 8.0 * N * N / (1024.0 * 1024.0);
    double pico = memoriaPicoMB();
    // "Calcular" otra vez sobre el mismo modelo: la memoria ya es suya
    inicio = std::chrono::steady_clock::now();
    enSilencio([&] { bien = funcionSolve(); });
    double segundo = segundosDesde(inicio);
    std::printf("%2dx%2dx%2d: %5d nudos, %5d barras, %5.0f gdl, archivo %5.0f KB\n", e.nx, e.ny,
                e.pisos, noNudos, noBarras, N, archivoKB);
    std::printf("   lectura %6.3f s | ensamblaje %6.3f s  solución %6.3f s  entrega %6.3f s  "
                "análisis %6.3f s | total %6.3f s\n",
                lectura, t.ensamblaje, t.solucion, t.entrega, analisis, lectura + analisis);
    std::printf("   memoria pico %6.0f MB (tras la lectura %4.0f MB; K densa %5.0f MB; pico/K %.2f)"
                " | segundo análisis %6.3f s | K en páginas %s\n",
                pico, memoriaModelo, kDensaMB, pico / kDensaMB, segundo,
                t.paginasGrandes ? "grandes" : "normales");

    // Comprobación: las reacciones verticales de C1 equilibran el peso propio
    // y la sobrecarga, contados desde la geometría del edificio
    double columnas = (e.nx + 1.0) * (e.ny + 1.0) * e.pisos;
    double vigas = ((e.nx * (e.ny + 1.0)) + (e.ny * (e.nx + 1.0))) * e.pisos;
    double areaViga = 2 * 0.2 * 0.015 + (0.45 - 2 * 0.015) * 0.009;
    double peso = pesoEspecifico * (columnas * alturaEdificio * areaColumna + vigas * vanoEdificio * areaViga);
    double esperado = 1.2 * peso + 1.6 * cargaViga * vigas * vanoEdificio, reaccion = 0;
    for (objNudo3d& n : nudo) {
        reaccion += n.getReaccionRz(0);
    }
    std::printf("   reacción vertical C1 %.6g (cargas %.6g); desplazamiento x del techo en C2 %.6g\n",
                reaccion, esperado, nudo.back().getDesplazamientoX(1));

    // El piso, con la memoria del análisis ya devuelta y fría: escribir con
    // todos los núcleos un búfer nuevo del tamaño de K, con páginas normales
    // y con grandes; el piso es el menor de los dos. El objetivo: total ≤
    // 2·piso + una constante (0.25 s en 12 x 12 x 8, 0.4 s en 16 x 16 x 8)
    size_t bytesK = static_cast<size_t>(8.0 * N * N);
    kEstructura.resize(0, 0);
    esperarMemoriaFria();
    double normal = segundosMemoriaNueva(bytesK, false);
    esperarMemoriaFria();
    double grandes = segundosMemoriaNueva(bytesK, true);
    double piso = std::min(normal, grandes);
    std::printf("   piso con %d núcleos: búfer nuevo del tamaño de K, páginas normales %6.3f s,"
                " grandes %6.3f s (normales/grandes %.2f) | total/piso %.2f,"
                " total - 2·piso %6.3f s\n",
                omp_get_num_procs(), normal, grandes, normal / grandes, (lectura + analisis) / piso,
                lectura + analisis - 2 * piso);
    std::fflush(stdout);
    return bien ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    std::vector<edificio> tamanos;
    if (argc == 4) {
        edificio e{std::atoi(argv[1]), std::atoi(argv[2]), std::atoi(argv[3])};
        if (e.nx < 1 || e.ny < 1 || e.pisos < 1) {
            std::fprintf(stderr, "uso: %s [nx ny pisos]\n", argv[0]);
            return 2;
        }
        tamanos.push_back(e);
    } else if (argc == 1) {
        // Unos 3 000, 9 000, 15 600 y 20 000 grados de libertad
        tamanos = {{9, 9, 4}, {12, 12, 8}, {16, 16, 8}, {17, 16, 10}};
    } else {
        std::fprintf(stderr, "uso: %s [nx ny pisos]\n", argv[0]);
        return 2;
    }
    const char* tmp = std::getenv("TMPDIR");
    std::string plantilla = std::string(tmp && *tmp ? tmp : "/tmp") + "/medir_analisis_XXXXXX";
    std::vector<char> nombre(plantilla.begin(), plantilla.end());
    nombre.push_back('\0');
    if (mkdtemp(nombre.data()) == nullptr) {
        std::perror("mkdtemp");
        return 1;
    }
    std::string carpeta(nombre.data());
    int fallas = 0;
    for (const edificio& e : tamanos) {
        fallas += enProcesoAparte([&] { return medir(e, carpeta); });
    }
    rmdir(carpeta.c_str());
    return fallas == 0 ? 0 : 1;
}
