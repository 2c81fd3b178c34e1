// Fuzzer del cargador y del análisis: cualquier archivo de entrada se carga
// sin fallar y deja un modelo coherente (índices, mapas, grados de libertad y
// combos). Si el modelo es chico se analiza como al pulsar "Calcular": un
// rechazo lleva su motivo, y cuando el análisis dice que resolvió cada nudo y
// cada barra tiene los resultados de cada combo, que se leen como los lee el
// visor y son todos finitos.
//
// El archivo vive en memoria (memfd): el cargador lo lee por su ruta en
// /proc/self/fd y la corrida no deja nada en disco.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

#include "analysis/analisis.h"
#include "app/plataforma.h"
#include "app/zurezar3o.h"
#include "input/funcionLeerArchivo.h"

namespace {

// Modelos de hasta este número de grados de libertad se analizan
const int maxGdlAnalisis = 102;
// Estaciones de los diagramas y de la deformada en el visor
const int estaciones = 21;
// Memoria que la carga ve disponible, en bytes: muy por debajo del límite
// del fuzzer (-rss_limit_mb=2048)
const double topeDeMemoria = 64e6;

void exigir(bool condicion, const char* que)
{
    if (!condicion) {
        std::fprintf(stderr, "modelo incoherente: %s\n", que);
        std::abort();
    }
}

void exigirFinito(double v, const char* que, int indice, int c)
{
    if (!std::isfinite(v)) {
        std::fprintf(stderr, "resultado no finito tras un análisis correcto: %s %d, combo %d (%g)\n",
                     que, indice, c, v);
        std::abort();
    }
}

// Entradas cargadas, analizadas y resueltas; se escriben al terminar la corrida
struct Cuentas {
    long cargadas = 0;
    long analizadas = 0;
    long resueltas = 0;
    ~Cuentas()
    {
        std::fprintf(stderr, "fuzz_cargador: %ld entradas cargadas, %ld analizadas, %ld resueltas\n",
                     cargadas, analizadas, resueltas);
    }
};
Cuentas cuentas;

void verificarModelo()
{
    exigir(static_cast<int>(nudo.size()) == noNudos, "tamaño de nudo");
    exigir(static_cast<int>(barra.size()) == noBarras, "tamaño de barra");
    for (int r = 0; r < noNudos; r++) {
        objNudo3d& n = nudo[static_cast<size_t>(r)];
        int usuario = n.getNoNudoUsuario();
        exigir(n.getNoNudoInterno() == r, "índice de nudo");
        exigir(usuario >= 0 && usuario < punteroNudos.size(), "nudo fuera del mapa");
        exigir(punteroNudos(usuario) == r, "mapa de nudos");
        exigir(n.getGdl()(0) == 6 * r + 1, "grados de libertad");
        exigir(n.getCantidadDeCombos() == noCombos, "combos de un nudo");
    }
    for (int r = 0; r < noBarras; r++) {
        objBarra3d& b = barra[static_cast<size_t>(r)];
        int usuario = b.getNoBarraUsuario();
        exigir(b.getNoBarraInterna() == r, "índice de barra");
        exigir(usuario >= 0 && usuario < punteroBarras.size(), "barra fuera del mapa");
        exigir(punteroBarras(usuario) == r, "mapa de barras");
        int i = b.getNudoInicioInterno(), j = b.getNudoFinalInterno();
        exigir(i >= 0 && i < noNudos && j >= 0 && j < noNudos, "extremos de barra");
        exigir(b.getLongitud() > 0, "barra de longitud cero");
        exigir(b.getCantidadDeCombos() == noCombos, "combos de una barra");
    }
    exigir(precision >= 0, "precision negativa");
    for (double e : {escalaTexto, escalaDef, escalaMy, escalaMz, escalaVy, escalaVz, escalaN,
                     escalaT, escalaCarga}) {
        exigir(e > 0, "escala no positiva");
    }
}

// Lo que el visor lee de un nudo: desplazamientos, giros y reacciones
void leerNudo(objNudo3d& n, int r, int c)
{
    exigir(n.getCantidadDeResultados() == noCombos, "nudo sin los resultados de cada combo");
    const double valores[12] = {
        n.getDesplazamientoX(c), n.getDesplazamientoY(c), n.getDesplazamientoZ(c),
        n.getGiroX(c),           n.getGiroY(c),           n.getGiroZ(c),
        n.getReaccionRx(c),      n.getReaccionRy(c),      n.getReaccionRz(c),
        n.getReaccionMx(c),      n.getReaccionMy(c),      n.getReaccionMz(c)};
    for (double v : valores) {
        exigirFinito(v, "desplazamiento o reacción del nudo", r, c);
    }
}

void leerMatriz(const MatrixXd& m, int filas, const char* que, int r, int c)
{
    exigir(m.rows() == filas && m.cols() == estaciones, "tamaño de un diagrama o de la deformada");
    for (Eigen::Index k = 0; k < m.size(); k++) {
        exigirFinito(m.data()[k], que, r, c);
    }
}

// Lo que el visor lee de una barra: los seis diagramas, el punto de corte
// nulo y el momento extremo de cada plano, y la deformada
void leerBarra(objBarra3d& b, int r, int c)
{
    exigir(b.getBoolResultados(c), "barra sin los resultados de un combo");
    leerMatriz(b.getSolicitacionAxial(c, estaciones), 2, "axial", r, c);
    leerMatriz(b.getSolicitacionVy(c, estaciones), 2, "cortante y", r, c);
    leerMatriz(b.getSolicitacionMy(c, estaciones), 2, "momento y", r, c);
    leerMatriz(b.getSolicitacionVz(c, estaciones), 2, "cortante z", r, c);
    leerMatriz(b.getSolicitacionMz(c, estaciones), 2, "momento z", r, c);
    leerMatriz(b.getSolicitacionTorsion(c, estaciones), 2, "torsión", r, c);
    const double largo = b.getLongitud();
    double x0 = b.getXVYcero(c);
    exigir(x0 == -1 || (x0 > 0 && x0 < largo), "corte nulo y fuera de la barra");
    if (x0 != -1) {
        exigirFinito(b.getMymax(c), "momento extremo y", r, c);
    }
    x0 = b.getXVZcero(c);
    exigir(x0 == -1 || (x0 > 0 && x0 < largo), "corte nulo z fuera de la barra");
    if (x0 != -1) {
        exigirFinito(b.getMzmax(c), "momento extremo z", r, c);
    }
    leerMatriz(b.getBarraDeformada(c, estaciones, escalaDef), 3, "deformada", r, c);
}

// "Calcular" y los dibujos de resultados de cada combo
void analizar()
{
    cuentas.analizadas++;
    if (!funcionSolve()) {
        // un rechazo dice por qué
        exigir(!mensajeAnalisis.empty(), "análisis rechazado sin motivo");
        return;
    }
    cuentas.resueltas++;
    for (int c = 0; c < noCombos; c++) {
        for (int r = 0; r < noNudos; r++) {
            leerNudo(nudo[static_cast<size_t>(r)], r, c);
        }
        for (int r = 0; r < noBarras; r++) {
            leerBarra(barra[static_cast<size_t>(r)], r, c);
        }
    }
}

// Archivo en memoria reutilizado por todas las entradas; devuelve su ruta
std::string escribirEntrada(const uint8_t* datos, size_t largo)
{
    static const int fd = memfd_create("tresnal_fuzz", 0);
    if (fd < 0) {
        std::perror("memfd_create");
        std::abort();
    }
    if (ftruncate(fd, 0) != 0) {
        std::perror("ftruncate");
        std::abort();
    }
    size_t escrito = 0;
    while (escrito < largo) {
        ssize_t n = pwrite(fd, datos + escrito, largo - escrito, static_cast<off_t>(escrito));
        if (n <= 0) {
            std::perror("pwrite");
            std::abort();
        }
        escrito += static_cast<size_t>(n);
    }
    return "/proc/self/fd/" + std::to_string(fd);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo)
{
    // Sin consola: un flujo en estado de error descarta lo que se le escribe
    std::cout.setstate(std::ios_base::badbit);
    // Un número de nudo de nueve cifras pediría un mapa de gigas: el fuzzer
    // corre con un tope de memoria por pedido, así que la carga ve poca
    fijarTopeDeMemoria(topeDeMemoria);
    // El mismo reinicio que la recarga con F5 antes de leer el archivo
    reiniciarModelo();
    nombreArchivo = escribirEntrada(datos, largo);
    funcionLeerArchivo();
    cuentas.cargadas++;
    verificarModelo();
    if (6 * noNudos <= maxGdlAnalisis) {
        analizar();
    }
    return 0;
}
