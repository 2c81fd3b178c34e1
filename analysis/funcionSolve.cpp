// Análisis por rigidez directa: revisión del modelo y de la memoria, los pasos
// en orden, reacciones con la rigidez dispersa y entrega de resultados.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <fstream>
#include <iomanip>
#include <iostream>
#include <locale>
#include <new>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "analysis/analisis.h"
#include "analysis/tiemposAnalisis.h"
#include "app/zurezar3o.h"

tiemposAnalisis tiemposUltimoAnalisis;

namespace {

const char* const nombreDireccion[6] = {"ux", "uy", "uz", "rx", "ry", "rz"};

using reloj = std::chrono::steady_clock;

double segundosDesde(reloj::time_point inicio)
{
    return std::chrono::duration<double>(reloj::now() - inicio).count();
}

// Texto con números en la configuración regional clásica
class textoLinea {
public:
    textoLinea() { flujo.imbue(std::locale::classic()); }
    template <typename T>
    textoLinea& operator<<(const T& valor)
    {
        flujo << valor;
        return *this;
    }
    std::string str() const { return flujo.str(); }

private:
    std::ostringstream flujo;
};

void vaciarResultados()
{
    kEstructura.resize(0, 0);
    pEstructura.resize(0, 0);
    fEstructura.resize(0, 0);
    restriccionesEstructura.resize(0);
    u.resize(0, 0);
    reacciones.resize(0, 0);
}

// Deja el motivo en mensajeAnalisis, lo escribe y no deja resultados
bool rechazar(const textoLinea& linea)
{
    vaciarResultados();
    mensajeAnalisis = linea.str();
    std::cout << mensajeAnalisis << std::endl;
    return false;
}

// "el nudo 7, dirección ux" para la fila d (base 0) de la estructura
std::string nudoYDireccion(Eigen::Index d)
{
    textoLinea t;
    t << "el nudo " << nudo[d / 6].getNoNudoUsuario() << ", dirección " << nombreDireccion[d % 6];
    return t.str();
}

double gigas(double bytes) { return bytes / 1e9; }

// Memoria que el equipo puede dar ahora, en bytes; 0 si no se sabe
double memoriaDisponible()
{
    std::ifstream info("/proc/meminfo");
    std::string clave;
    double kb = 0;
    while (info >> clave >> kb) {
        if (clave == "MemAvailable:") {
            return kb * 1024.0;
        }
        info.ignore(256, '\n');
    }
#if defined(_SC_PHYS_PAGES) && defined(_SC_PAGE_SIZE)
    long paginas = sysconf(_SC_PHYS_PAGES);
    long tamano = sysconf(_SC_PAGE_SIZE);
    if (paginas > 0 && tamano > 0) {
        return static_cast<double>(paginas) * static_cast<double>(tamano);
    }
#endif
    return 0;
}

// Revisa lo que el cargador garantiza; devuelve la línea del problema o vacía
std::string revisarModelo(Eigen::Index N, int nc)
{
    if (noNudos < 0 || noBarras < 0 || static_cast<size_t>(noNudos) != nudo.size()
        || static_cast<size_t>(noBarras) != barra.size()) {
        return "Análisis cancelado: la cantidad de nudos o de barras no coincide con el modelo";
    }
    if (nc < 0) {
        return (textoLinea() << "Análisis cancelado: cantidad de combos no válida (" << nc << ")")
            .str();
    }
    for (size_t l = 0; l < nudo.size(); l++) {
        objNudo3d& n = nudo[l];
        VectorXi g = n.getGdl();
        // el nudo l es dueño de las filas 6l a 6l+5
        if (g.size() != 6 || g(0) != 6 * static_cast<Eigen::Index>(l) + 1) {
            return (textoLinea() << "Análisis cancelado: el nudo " << n.getNoNudoUsuario()
                                 << " no tiene numeración interna válida")
                .str();
        }
        MatrixXd Q = n.getCargasCombo();
        if (n.getCantidadDeCombos() != nc || (nc > 0 && (Q.rows() != 6 || Q.cols() != nc))) {
            return (textoLinea() << "Análisis cancelado: el nudo " << n.getNoNudoUsuario()
                                 << " tiene " << n.getCantidadDeCombos()
                                 << " combos de carga y el modelo tiene " << nc)
                .str();
        }
        VectorXi apoyo = n.getVectorApoyo();
        if (apoyo.size() != 6) {
            return (textoLinea() << "Análisis cancelado: el nudo " << n.getNoNudoUsuario()
                                 << " no tiene sus seis códigos de apoyo")
                .str();
        }
    }
    for (objBarra3d& b : barra) {
        VectorXi g = b.getGdl();
        if (g.size() != 12 || (g.array() == 0).all()) {
            return (textoLinea() << "Análisis cancelado: la barra " << b.getNoBarraUsuario()
                                 << " no tiene sus dos nudos")
                .str();
        }
        if (g.minCoeff() < 1 || g.maxCoeff() > N) {
            return (textoLinea() << "Análisis cancelado: la barra " << b.getNoBarraUsuario()
                                 << " une nudos que no están en el modelo")
                .str();
        }
        int combos = b.getCantidadDeCombos();
        if (combos != nc) {
            return (textoLinea() << "Análisis cancelado: la barra " << b.getNoBarraUsuario()
                                 << " tiene " << combos << " combos de carga y el modelo tiene "
                                 << nc)
                .str();
        }
    }
    return "";
}

// Un grado libre cuya diagonal no pasa de esta fracción de la rigidez que le
// llega (la traza de los bloques de traslación o de giro de sus barras, que
// no depende de cómo estén giradas) no tiene rigidez: lo que queda es redondeo.
const double tolRigidezNula = 1e-14;
// Residuo admitido de la solución frente a |K|·|u| + |p|.
const double tolResiduo = 1e-8;

using analisis::datosAnalisis;
using analisis::estadoFactorizacion;

// Bytes de las matrices densas de la estructura
double bytesDensos(Eigen::Index N, int nc)
{
    double n = static_cast<double>(N);
    return 8.0 * (n * n + 4.0 * n * nc);
}

// Bytes del ensamblaje disperso: por barra sus tripletes (dos veces, al
// ordenarlos) y sus entradas en las dos matrices dispersas; por grado las
// tablas de grados libres y las cargas y la solución del bloque libre. El
// factor se suma cuando su análisis lo anuncia.
double bytesDispersos(Eigen::Index N, int nc)
{
    double b = static_cast<double>(barra.size()), n = static_cast<double>(N);
    return b * 144.0 * (2 * 16.0 + 2 * 12.0) + n * (64.0 + 8.0 * nc);
}

bool rechazarMemoria(double bytes, double disponible)
{
    textoLinea t;
    t << std::fixed << std::setprecision(1) << "Memoria insuficiente: el análisis necesita "
      << gigas(bytes) << " GB";
    if (disponible > 0) {
        t << " y hay " << gigas(disponible) << " GB disponibles";
    }
    return rechazar(t);
}

// Primer grado libre sin rigidez propia (su diagonal frente a las barras que
// llegan a su nudo), o -1
Eigen::Index gdlSinRigidez(const datosAnalisis& d)
{
    Eigen::VectorXd diagonal = d.kLibres.diagonal();
    for (Eigen::Index a = 0; a < diagonal.size(); a++) {
        Eigen::Index fila = d.libres[static_cast<size_t>(a)];
        if (!(diagonal(a) > tolRigidezNula * d.escala(fila))) {
            return fila;
        }
    }
    return -1;
}

// Paso 9: desplazamientos de la estructura, 0 en todo grado que no es libre
void formarDesplazamientos(const datosAnalisis& d)
{
    u.setZero(d.N, d.nc);
    if (d.nc == 0) {
        return;
    }
    for (size_t a = 0; a < d.libres.size(); a++) {
        u.row(d.libres[a]) = d.uLibres.row(static_cast<Eigen::Index>(a));
    }
}

// Paso 11: reacciones = K·u − P − F con la rigidez dispersa; en los grados
// libres queda el residuo de la solución, que se revisa combo por combo
bool formarReacciones(const datosAnalisis& d)
{
    reacciones.resize(d.N, d.nc);
    if (d.nc == 0) {
        return true;
    }
    reacciones.noalias() = d.kCompleta * u;
    reacciones -= pEstructura;
    reacciones -= fEstructura;
    MatrixXd escala = d.kCompleta.cwiseAbs() * u.cwiseAbs();
    for (int c = 0; c < d.nc; c++) {
        double residuo = 0, cota = 0;
        for (Eigen::Index fila : d.libres) {
            residuo = std::max(residuo, std::abs(reacciones(fila, c)));
            cota = std::max(cota, escala(fila, c)
                                      + std::abs(pEstructura(fila, c) + fEstructura(fila, c)));
        }
        if (!(residuo <= tolResiduo * cota)) {
            return rechazar(textoLinea()
                            << "Estructura inestable: la solución no cumple el equilibrio");
        }
    }
    return true;
}

// Lo que el visor pide a cada barra tiene que ser finito: una barra absurda
// (largo de 1e72, cargas enormes) desborda sus polinomios aunque u sea finito.
// Devuelve la línea de la primera barra que no lo cumple, o vacía.
std::string revisarResultadosBarras(int nc)
{
    for (objBarra3d& b : barra) {
        bool finitos = b.getFuerzasExtremos().allFinite();
        for (int c = 0; c < nc && finitos; c++) {
            finitos = b.getSolicitacionAxial(c, 3).allFinite()
                      && b.getSolicitacionVy(c, 3).allFinite()
                      && b.getSolicitacionVz(c, 3).allFinite()
                      && b.getSolicitacionMy(c, 3).allFinite()
                      && b.getSolicitacionMz(c, 3).allFinite()
                      && b.getSolicitacionTorsion(c, 3).allFinite()
                      && b.getBarraDeformada(c, 3, 1).allFinite()
                      && std::isfinite(b.getMymax(c)) && std::isfinite(b.getMzmax(c))
                      && std::isfinite(b.getXVYcero(c)) && std::isfinite(b.getXVZcero(c));
        }
        if (!finitos) {
            return (textoLinea() << "Análisis cancelado: la barra " << b.getNoBarraUsuario()
                                 << " no da esfuerzos finitos (largo " << b.getLongitud()
                                 << "); revisar sus nudos, su sección y sus cargas")
                .str();
        }
    }
    return "";
}

// Pasos 10 y 12: cada barra y después cada nudo se quedan con sus filas. Si
// una barra no da resultados finitos nadie se queda con nada; devuelve la
// línea del problema o vacía.
std::string entregarResultados(int nc)
{
    // Los dibujos grabados con los resultados anteriores ya no valen
    versionResultados++;
    for (objBarra3d& b : barra) {
        b.setDesplazamientos(u);
    }
    std::string problema = revisarResultadosBarras(nc);
    if (!problema.empty()) {
        for (objBarra3d& b : barra) {
            b.borrarResultados();
        }
        return problema;
    }
    for (objNudo3d& n : nudo) {
        n.setDesplazamientos(u);
    }
    for (objNudo3d& n : nudo) {
        n.setReacciones(reacciones);
    }
    return "";
}

// Pasos 2 a 7: rigideces de las barras (todas antes que sus cargas), cargas,
// apoyos, grados libres y el bloque libre disperso
bool ensamblar(datosAnalisis& d)
{
    analisis::leerApoyos(d);
    std::string problema = analisis::leerRigidecesBarras(d);
    if (problema.empty()) {
        analisis::ensamblarCargasNudos(d);
        problema = analisis::ensamblarCargasBarras(d);
    }
    if (!problema.empty()) {
        return rechazar(textoLinea() << problema);
    }
    if (!pEstructura.allFinite() || !fEstructura.allFinite()) {
        for (Eigen::Index fila = 0; fila < d.N; fila++) {
            if (!pEstructura.row(fila).allFinite() || !fEstructura.row(fila).allFinite()) {
                return rechazar(textoLinea() << "Análisis cancelado: carga no finita en "
                                             << nudoYDireccion(fila));
            }
        }
    }
    analisis::armarBloqueLibre(d);
    return true;
}

// Paso 8: factorización del bloque libre y solución de todos los combos. El
// factor tiene que caber junto a lo ya pedido, yaPedidos bytes.
bool resolver(datosAnalisis& d, double yaPedidos, double disponible)
{
    Eigen::Index suelto = gdlSinRigidez(d);
    if (suelto >= 0) {
        return rechazar(textoLinea() << "Estructura inestable: sin rigidez en "
                                     << nudoYDireccion(suelto));
    }
    if (d.libres.empty()) {
        return true;
    }
    double tope = disponible > 0 ? disponible - yaPedidos : HUGE_VAL;
    analisis::resultadoFactorizacion r = analisis::resolverBloqueLibre(d.kLibres, d.uLibres, tope);
    switch (r.estado) {
    case estadoFactorizacion::resuelto:
        return true;
    case estadoFactorizacion::mecanismo:
        return rechazar(textoLinea() << "Estructura inestable: mecanismo en "
                                     << nudoYDireccion(d.libres[static_cast<size_t>(r.gdlFallo)]));
    case estadoFactorizacion::noFinita:
        return rechazar(textoLinea() << "Estructura inestable: la solución no es finita");
    case estadoFactorizacion::sinMemoria:
        return rechazarMemoria(yaPedidos + r.bytesFactor, disponible);
    case estadoFactorizacion::falla:
        break;
    }
    return rechazar(textoLinea() << "Estructura inestable: la factorización de la rigidez falló");
}

// Los pasos del análisis con sus tiempos; bytes es lo que piden sus matrices
// sin el factor. Puede lanzar std::bad_alloc
bool ensamblarYResolver(Eigen::Index N, int nc, double bytes, double disponible)
{
    datosAnalisis d;
    d.N = N;
    d.nc = nc;
    reloj::time_point inicio = reloj::now();
    if (!ensamblar(d)) {
        return false;
    }
    double ensamblaje = segundosDesde(inicio);
    inicio = reloj::now();
    if (!resolver(d, bytes, disponible)) {
        return false;
    }
    double solucion = segundosDesde(inicio);

    // Pasos 1 y 2 en la rigidez densa, que no hace falta para resolver
    inicio = reloj::now();
    analisis::ensamblarRigidezDensa(d);
    tiemposUltimoAnalisis.ensamblaje = ensamblaje + segundosDesde(inicio);

    inicio = reloj::now();
    formarDesplazamientos(d);
    if (!formarReacciones(d)) {
        return false;
    }
    tiemposUltimoAnalisis.solucion = solucion + segundosDesde(inicio);

    inicio = reloj::now();
    std::string problema = entregarResultados(nc);
    if (!problema.empty()) {
        return rechazar(textoLinea() << problema);
    }
    tiemposUltimoAnalisis.entrega = segundosDesde(inicio);
    return true;
}

}  // namespace

bool funcionSolve()
{
    mensajeAnalisis.clear();
    tiemposUltimoAnalisis = tiemposAnalisis();
    const int nc = noCombos;
    const Eigen::Index N = 6 * static_cast<Eigen::Index>(noNudos);

    std::string problema = revisarModelo(N, nc);
    if (!problema.empty()) {
        return rechazar(textoLinea() << problema);
    }

    // La rigidez densa de la estructura manda; el bloque libre es disperso
    double bytes = bytesDensos(N, nc) + bytesDispersos(N, nc);
    double disponible = memoriaDisponible();
    if (disponible > 0 && bytes > disponible) {
        return rechazarMemoria(bytes, disponible);
    }
    try {
        return ensamblarYResolver(N, nc, bytes, disponible);
    } catch (const std::bad_alloc&) {
        return rechazarMemoria(bytes, 0);
    }
}
