// Medición del cargador: escribe archivos de entrada y mide funcionLeerArchivo.
// Casos: el edificio de 12 x 12 vanos y 8 pisos (carga y, con la memoria
// devuelta ya fría, el análisis), 10 000 combos, 10 000 bloques puntual: y
// archivos de 25 y 50 MB (tiempo lineal en el tamaño). Cada caso corre en su
// propio proceso para que la memoria pico sea suya.
//
// Uso: medir_cargador             todos los casos
//      medir_cargador caso        edificio | combos | puntuales | grande
//      medir_cargador archivo.txt carga un archivo cualquiera
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <iostream>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

#include "analysis/analisis.h"
#include "app/zurezar3o.h"
#include "bench/comunMedir.h"
#include "input/funcionLeerArchivo.h"

namespace {

using reloj = std::chrono::steady_clock;

double megas(const std::string& ruta)
{
    struct stat s{};
    return stat(ruta.c_str(), &s) == 0 ? static_cast<double>(s.st_size) / 1e6 : 0;
}

// Qué lleva el archivo además de la geometría
struct contenido {
    int combosExtra = 0;          // combos "Ck" además de ELU y SERV
    int bloquesPuntuales = 0;     // bloques puntual: de un nudo cada uno
    bool bloquePorObjeto = false; // una carga por nudo de piso y por viga
};

// Lista de números separados por espacios
std::string lista(const std::vector<int>& numeros)
{
    std::string s;
    for (int n : numeros) {
        s += " " + std::to_string(n);
    }
    return s;
}

// Escribe el archivo; devuelve la cantidad de nudos
int escribirEdificio(const std::string& ruta, const edificio& e, const contenido& c)
{
    FILE* f = std::fopen(ruta.c_str(), "w");
    if (!f) {
        std::perror(ruta.c_str());
        std::exit(1);
    }
    partesEdificio partes = escribirGeometria(f, e);
    const std::vector<int>& columnas = partes.columnas;
    const std::vector<int>& vigas = partes.vigas;
    std::fprintf(f, "\napoyo: 1 1 1 1 1 1\n%s", lista(partes.base).c_str());
    std::fprintf(f, "\n\nseccionRectangular: C50 0.5 0.5 2.5e7 0.2 24\n%s\n",
                 lista(columnas).c_str());
    std::fprintf(f, "\nseccionW: W450 0.2 0.015 0.45 0.009 2e8 0.3 78.5\n%s\n",
                 lista(vigas).c_str());
    if (c.bloquePorObjeto) {
        for (int k = 1; k <= e.pisos; k++) {
            for (int j = 0; j <= e.ny; j++) {
                for (int i = 0; i <= e.nx; i++) {
                    std::fprintf(f, "puntual: S %g %g 0 0 0 0 %d\n", 2.0 * k, 1.0 * k,
                                 numeroNudo(e, i, j, k));
                }
            }
        }
        for (int v : vigas) {
            std::fprintf(f, "distribuidaGlobal: SC 12 12 0 0 -1 %d\n", v);
        }
    } else {
        std::fputs("\npuntual: S 2 1 0 0 0 0\n", f);
        for (int k = 1; k <= e.pisos; k++) {
            for (int j = 0; j <= e.ny; j++) {
                for (int i = 0; i <= e.nx; i++) {
                    std::fprintf(f, " %d", numeroNudo(e, i, j, k));
                }
            }
        }
        std::fprintf(f, "\n\ndistribuidaGlobal: SC 12 12 0 0 -1\n%s\n", lista(vigas).c_str());
    }
    int nudos = (e.nx + 1) * (e.ny + 1) * (e.pisos + 1);
    for (int p = 0; p < c.bloquesPuntuales; p++) {
        int n = (e.nx + 1) * (e.ny + 1) + 1 + p % (nudos - (e.nx + 1) * (e.ny + 1));
        std::fprintf(f, "puntual: V%d 1 0 0 0 0 0 %d\n", p % 10, n);
    }
    std::fputs("\npesoPropio: PP\n\n", f);
    std::fputs("combo: ELU 1.2 PP 1.6 SC\ncombo: SERV 1 PP 0.5 SC 1 S\n", f);
    for (int k = 0; k < c.combosExtra; k++) {
        std::fprintf(f, "combo: C%d %g PP %g SC 1 S\n", k, 1.0 + k % 7 * 0.05, 0.5 + k % 5 * 0.1);
    }
    escribirAjustes(f, {{"escalaTexto:", 0.3},
                        {"escalaDeflexion:", 50},
                        {"escalaApoyo:", 0.5},
                        {"escalaCarga:", 0.02}});
    std::fclose(f);
    return nudos;
}

// Carga el archivo con la consola desviada a /dev/null; devuelve segundos
double cargar(const std::string& ruta)
{
    nudo.clear();
    barra.clear();
    noNudos = 0;
    noBarras = 0;
    nombreArchivo = ruta;
    double t = 0;
    enSilencio([&] {
        reloj::time_point inicio = reloj::now();
        funcionLeerArchivo();
        t = segundosDesde(inicio);
    });
    return t;
}

std::string rutaTemporal(const char* nombre)
{
    return "/tmp/tresnal_medir_" + std::to_string(getpid()) + "_" + nombre + ".txt";
}

void informar(const char* caso, const std::string& ruta, double t)
{
    std::printf("%-34s %8.2f MB  %6d nudos %7d barras %5d combos | carga %7.3f s | "
                "memoria pico %6.0f MB\n",
                caso, megas(ruta), noNudos, noBarras, noCombos, t, memoriaPicoMB());
    std::fflush(stdout);
}

int casoEdificio()
{
    std::string ruta = rutaTemporal("edificio");
    contenido c;
    c.bloquePorObjeto = true;
    escribirEdificio(ruta, {12, 12, 8}, c);
    double t = cargar(ruta);
    informar("edificio 12x12x8", ruta, t);
    esperarMemoriaFria();
    reloj::time_point inicio = reloj::now();
    bool bien = funcionSolve();
    double tSolucion = segundosDesde(inicio);
    std::printf("%-34s análisis %7.3f s | carga + análisis %7.3f s%s\n", "", tSolucion,
                t + tSolucion, bien ? "" : " (el análisis falló)");
    std::remove(ruta.c_str());
    return bien ? 0 : 1;
}

int casoCombos()
{
    std::string ruta = rutaTemporal("combos");
    contenido c;
    c.combosExtra = 10000 - 2;
    escribirEdificio(ruta, {3, 3, 2}, c);
    double t = cargar(ruta);
    informar("10 000 combos, edificio 3x3x2", ruta, t);
    std::remove(ruta.c_str());
    return noCombos == 10000 ? 0 : 1;
}

int casoPuntuales()
{
    std::string ruta = rutaTemporal("puntuales");
    contenido c;
    c.bloquesPuntuales = 10000;
    escribirEdificio(ruta, {3, 3, 2}, c);
    double t = cargar(ruta);
    informar("10 000 bloques puntual:, 3x3x2", ruta, t);
    std::remove(ruta.c_str());
    return 0;
}

// Unos 0.2 MB por piso de la torre de 30 x 30 vanos
const int pisos25 = 120, pisos50 = 240;

// Torre de 30 x 30 vanos con una carga por nudo y por viga: la altura fija
// el tamaño del archivo (unos 0.2 MB por piso)
int casoGrande(int pisos, const char* nombre)
{
    std::string ruta = rutaTemporal(nombre);
    contenido c;
    c.bloquePorObjeto = true;
    escribirEdificio(ruta, {30, 30, pisos}, c);
    double t = cargar(ruta);
    informar(nombre, ruta, t);
    std::printf("%-34s %.1f MB/s\n", "", megas(ruta) / t);
    std::remove(ruta.c_str());
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    std::string caso = argc > 1 ? argv[1] : "";
    if (argc > 2) {
        std::fprintf(stderr, "uso: %s [edificio|combos|puntuales|grande|archivo]\n", argv[0]);
        return 2;
    }
    int fallas = 0;
    if (caso.empty() || caso == "edificio") {
        fallas += enProcesoAparte(casoEdificio);
    }
    if (caso.empty() || caso == "combos") {
        fallas += enProcesoAparte(casoCombos);
    }
    if (caso.empty() || caso == "puntuales") {
        fallas += enProcesoAparte(casoPuntuales);
    }
    if (caso.empty() || caso == "grande") {
        fallas += enProcesoAparte([] { return casoGrande(pisos25, "torre 30x30, ~25 MB"); });
        fallas += enProcesoAparte([] { return casoGrande(pisos50, "torre 30x30, ~50 MB"); });
    }
    if (!caso.empty() && caso != "edificio" && caso != "combos" && caso != "puntuales" &&
        caso != "grande") {
        double t = cargar(caso);
        informar(caso.c_str(), caso, t);
    }
    return fallas == 0 ? 0 : 1;
}
