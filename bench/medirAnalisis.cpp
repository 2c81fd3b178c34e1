// Medición del camino completo con edificios regulares de pórticos (dos
// combos) escritos como archivos de entrada: lectura (funcionLeerArchivo),
// ensamblaje, solución y entrega de resultados, y la memoria pico. Cada
// tamaño corre en su propio proceso para que la memoria pico sea suya; los
// archivos van a una carpeta temporal que se borra al terminar.
//
// Uso: medir_analisis                 los cuatro tamaños de siempre
//      medir_analisis nx ny pisos     un edificio de nx por ny vanos
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "analysis/analisis.h"
#include "analysis/tiemposAnalisis.h"
#include "app/zurezar3o.h"
#include "input/funcionLeerArchivo.h"

namespace {

struct edificio {
    int nx, ny, pisos;
};

const double vano = 6.0;
const double altura = 3.5;
const double areaColumna = 0.5 * 0.5;
const double pesoEspecifico = 78.5;
const double cargaViga = 12.0;  // SC, por unidad de largo hacia -Z

int numeroNudo(const edificio& e, int i, int j, int k)
{
    return (k * (e.ny + 1) + j) * (e.nx + 1) + i + 1;
}

// Lista de números de 20 por línea
void escribirLista(std::ostream& f, const std::vector<int>& lista)
{
    for (size_t k = 0; k < lista.size(); k++) {
        f << lista[k] << (k % 20 == 19 ? "\n" : " ");
    }
    f << "\n";
}

// Escribe el edificio como archivo de entrada
void escribirEdificio(const edificio& e, const std::string& ruta)
{
    std::ofstream f(ruta);
    f << "nudos:\n";
    for (int k = 0; k <= e.pisos; k++) {
        for (int j = 0; j <= e.ny; j++) {
            for (int i = 0; i <= e.nx; i++) {
                f << numeroNudo(e, i, j, k) << " " << i * vano << " " << j * vano << " "
                  << k * altura << "\n";
            }
        }
    }
    std::vector<int> columnas, vigas;
    f << "\nbarras:\n";
    int b = 1;
    for (int k = 1; k <= e.pisos; k++) {
        for (int j = 0; j <= e.ny; j++) {
            for (int i = 0; i <= e.nx; i++) {
                int n = numeroNudo(e, i, j, k);
                f << b << " " << numeroNudo(e, i, j, k - 1) << " " << n << "\n";
                columnas.push_back(b++);
                if (i < e.nx) {
                    f << b << " " << n << " " << numeroNudo(e, i + 1, j, k) << "\n";
                    vigas.push_back(b++);
                }
                if (j < e.ny) {
                    f << b << " " << n << " " << numeroNudo(e, i, j + 1, k) << "\n";
                    vigas.push_back(b++);
                }
            }
        }
    }
    std::vector<int> base;
    for (int j = 0; j <= e.ny; j++) {
        for (int i = 0; i <= e.nx; i++) {
            base.push_back(numeroNudo(e, i, j, 0));
        }
    }
    f << "\napoyo:\n1 1 1 1 1 1\n";
    escribirLista(f, base);
    f << "\nseccionRectangular:\nC50\n0.5 0.5 2.5e7 0.2 " << pesoEspecifico << "\n";
    escribirLista(f, columnas);
    f << "\nseccionW:\nW450\n0.2 0.015 0.45 0.009 2.5e7 0.2 " << pesoEspecifico << "\n";
    escribirLista(f, vigas);
    f << "\ndistribuidaGlobal:\nSC\n" << cargaViga << " " << cargaViga << " 0 0 -1\n";
    escribirLista(f, vigas);
    // Sismo: carga lateral creciente con la altura, un bloque por piso
    for (int k = 1; k <= e.pisos; k++) {
        std::vector<int> piso;
        for (int j = 0; j <= e.ny; j++) {
            for (int i = 0; i <= e.nx; i++) {
                piso.push_back(numeroNudo(e, i, j, k));
            }
        }
        f << "\npuntual:\nS\n" << 2.0 * k << " " << 1.0 * k << " 0 0 0 0\n";
        escribirLista(f, piso);
    }
    f << "\npesoPropio:\nPP\n";
    f << "\ncombo:\nC1 1.2 PP 1.6 SC\ncombo:\nC2 1.0 PP 0.5 SC 1.0 S\n";
}

double memoriaPicoMB()
{
    rusage r{};
    getrusage(RUSAGE_SELF, &r);
    return static_cast<double>(r.ru_maxrss) / 1024.0;
}

double segundosDesde(std::chrono::steady_clock::time_point inicio)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - inicio).count();
}

// Corre f con la salida estándar tirada (el cargador escribe su progreso)
template <typename F>
void enSilencio(F f)
{
    std::fflush(stdout);
    int guardada = dup(STDOUT_FILENO);
    int nula = open("/dev/null", O_WRONLY);
    dup2(nula, STDOUT_FILENO);
    close(nula);
    f();
    std::fflush(stdout);
    dup2(guardada, STDOUT_FILENO);
    close(guardada);
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
    inicio = std::chrono::steady_clock::now();
    enSilencio([&] { bien = funcionSolve(); });
    double analisis = segundosDesde(inicio);
    std::remove(ruta.c_str());
    if (!bien) {
        std::printf("%dx%dx%d: el análisis falló: %s\n", e.nx, e.ny, e.pisos,
                    mensajeAnalisis.c_str());
        return 1;
    }
    double N = 6.0 * noNudos;
    double kDensaMB = 8.0 * N * N / (1024.0 * 1024.0);
    double pico = memoriaPicoMB();
    const tiemposAnalisis& t = tiemposUltimoAnalisis;
    std::printf("%2dx%2dx%2d: %5d nudos, %5d barras, %5.0f gdl, archivo %5.0f KB\n", e.nx, e.ny,
                e.pisos, noNudos, noBarras, N, archivoKB);
    std::printf("   lectura %6.3f s | ensamblaje %6.3f s  solución %6.3f s  entrega %6.3f s  "
                "análisis %6.3f s | total %6.3f s\n",
                lectura, t.ensamblaje, t.solucion, t.entrega, analisis, lectura + analisis);
    std::printf("   memoria pico %6.0f MB (tras la lectura %4.0f MB; K densa %5.0f MB; pico/K %.2f)\n",
                pico, memoriaModelo, kDensaMB, pico / kDensaMB);

    // Comprobación: las reacciones verticales de C1 equilibran el peso propio
    // y la sobrecarga, contados desde la geometría del edificio
    double columnas = (e.nx + 1.0) * (e.ny + 1.0) * e.pisos;
    double vigas = ((e.nx * (e.ny + 1.0)) + (e.ny * (e.nx + 1.0))) * e.pisos;
    double areaViga = 2 * 0.2 * 0.015 + (0.45 - 2 * 0.015) * 0.009;
    double peso = pesoEspecifico * (columnas * altura * areaColumna + vigas * vano * areaViga);
    double esperado = 1.2 * peso + 1.6 * cargaViga * vigas * vano, reaccion = 0;
    for (objNudo3d& n : nudo) {
        reaccion += n.getReaccionRz(0);
    }
    std::printf("   reacción vertical C1 %.6g (cargas %.6g); desplazamiento x del techo en C2 %.6g\n",
                reaccion, esperado, nudo.back().getDesplazamientoX(1));
    std::fflush(stdout);
    return 0;
}

// Corre la medición en un proceso hijo
int medirAparte(const edificio& e, const std::string& carpeta)
{
    std::fflush(stdout);
    pid_t hijo = fork();
    if (hijo < 0) {
        return medir(e, carpeta);
    }
    if (hijo == 0) {
        std::_Exit(medir(e, carpeta));
    }
    int estado = 0;
    waitpid(hijo, &estado, 0);
    return WIFEXITED(estado) ? WEXITSTATUS(estado) : 1;
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
        fallas += medirAparte(e, carpeta);
    }
    rmdir(carpeta.c_str());
    return fallas == 0 ? 0 : 1;
}
