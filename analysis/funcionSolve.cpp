// Análisis por rigidez directa: revisión del modelo y de la memoria, los pasos
// en orden, reacciones con la rigidez dispersa y entrega de resultados.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <functional>
#include <iomanip>
#include <iostream>
#include <new>
#include <string>
#include <vector>

#include "analysis/analisis_interno.h"
#include "app/plataforma.h"
#include "app/zurezar3o.h"

namespace {

using reloj = std::chrono::steady_clock;
using analisis::textoLinea;
using analisis::nudoYDireccion;

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

double gigas(double bytes) { return bytes / 1e9; }

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

// Residuo admitido de la solución frente a |K|·|u| + |p|.
const double tolResiduo = 1e-8;

using analisis::causaFalla;
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

// Rechazo con la causa que dan los vínculos de las barras: un grado sin
// rigidez o un mecanismo. Si no se pudo saber, la línea siNoSeSabe.
bool rechazarPorVinculos(const analisis::diagnostico& dg,
                         const std::function<std::string()>& siNoSeSabe)
{
    switch (dg.causa) {
    case causaFalla::sinRigidez:
        return rechazar(textoLinea() << "Estructura inestable: sin rigidez en "
                                     << nudoYDireccion(dg.fila));
    case causaFalla::mecanismo:
        return rechazar(textoLinea() << "Estructura inestable: mecanismo en "
                                     << nudoYDireccion(dg.fila));
    case causaFalla::estable:
    case causaFalla::indeterminada:
        break;
    }
    return rechazar(textoLinea() << siNoSeSabe());
}

// Paso 9: desplazamientos de la estructura, 0 en todo grado que no es libre;
// cada entrada se escribe una vez
void formarDesplazamientos(const datosAnalisis& d)
{
    u.resize(d.N, d.nc);
    for (int c = 0; c < d.nc; c++) {
        for (Eigen::Index fila = 0; fila < d.N; fila++) {
            int a = d.posicionLibre[static_cast<size_t>(fila)];
            u(fila, c) = a >= 0 ? d.uLibres(a, c) : 0.0;
        }
    }
}

// Paso 11: reacciones = K·u − P − F con la rigidez dispersa; en los grados
// libres queda el residuo de la solución, que se revisa combo por combo. Si
// no cumple el equilibrio, los vínculos dicen si es un mecanismo o la
// precisión que no alcanza. Con |K|·|u| se estima lo que pierden las fuerzas.
bool formarReacciones(datosAnalisis& d, double tope)
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
            analisis::diagnostico dg = analisis::diagnosticarVinculos(d, tope);
            if (dg.causa == causaFalla::estable) {
                return rechazar(textoLinea() << analisis::lineaMalCondicionada(-1, -1));
            }
            return rechazarPorVinculos(dg, [] {
                return "Estructura inestable: la solución no cumple el equilibrio";
            });
        }
    }
    analisis::estimarErrorFuerzas(d, escala);
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

// Paso 8: factorización del bloque libre y solución de todos los combos; el
// factor no puede pedir más de tope bytes. Un grado que parece no tener
// rigidez, o una factorización que no da solución, se rechazan con su causa
// verdadera: los vínculos de las barras dicen si hay un mecanismo; si no lo
// hay, la que no alcanza es la precisión con rigideces tan dispares.
bool resolverGradosLibres(datosAnalisis& d, double tope, double yaPedidos, double disponible)
{
    Eigen::Index sospechoso = analisis::gdlSinRigidez(d, d.kLibres, d.escala);
    if (sospechoso >= 0) {
        analisis::diagnostico dg = analisis::diagnosticarVinculos(d, tope);
        if (dg.causa != causaFalla::estable) {
            return rechazarPorVinculos(dg, [&] {
                return "Estructura inestable: sin rigidez en " + nudoYDireccion(sospechoso);
            });
        }
        // los vínculos lo sostienen: la factorización dirá si la precisión alcanza
    }
    if (d.libres.empty()) {
        return true;
    }
    analisis::resultadoFactorizacion r = analisis::resolverBloqueLibre(d.kLibres, d.uLibres, tope);
    switch (r.estado) {
    case estadoFactorizacion::resuelto:
        analisis::estimarErrorDesplazamientos(d, r);
        return true;
    case estadoFactorizacion::sinMemoria:
        return rechazarMemoria(yaPedidos + r.bytesFactor, disponible);
    case estadoFactorizacion::falla:
        return rechazar(textoLinea()
                        << "Estructura inestable: la factorización de la rigidez falló");
    case estadoFactorizacion::mecanismo:
    case estadoFactorizacion::noFinita:
        break;
    }
    // El grado que nombra un Cholesky en el orden de la estructura
    auto gdlDelBloque = [&] {
        return d.libres[static_cast<size_t>(
            analisis::gdlQueNombraElMecanismo(d.kLibres, d.uLibres, tope))];
    };
    if (sospechoso < 0) {
        analisis::diagnostico dg = analisis::diagnosticarVinculos(d, tope);
        if (dg.causa != causaFalla::estable) {
            bool mecanismo = r.estado == estadoFactorizacion::mecanismo;
            return rechazarPorVinculos(dg, [&] {
                return mecanismo ? "Estructura inestable: mecanismo en " + nudoYDireccion(gdlDelBloque())
                                 : std::string("Estructura inestable: la solución no es finita");
            });
        }
        if (r.estado == estadoFactorizacion::mecanismo) {
            sospechoso = gdlDelBloque();
        }
    }
    return rechazar(textoLinea() << analisis::lineaMalCondicionada(sospechoso, -1));
}

// Las matrices densas de un análisis anterior que no tienen el tamaño de
// este se devuelven ya; las que lo tienen se vuelven a usar. Devuelve los
// bytes de las que quedan, que este análisis no tiene que pedir.
double soltarDensasDeOtroTamano(Eigen::Index N, int nc)
{
    double bytes = 0;
    for (MatrixXd* m : {&kEstructura, &pEstructura, &fEstructura, &u, &reacciones}) {
        Eigen::Index columnas = m == &kEstructura ? N : nc;
        if (m->rows() == N && m->cols() == columnas) {
            bytes += 8.0 * static_cast<double>(m->size());
        } else {
            m->resize(0, 0);
        }
    }
    return bytes;
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
    double tope = disponible > 0 ? disponible - bytes : HUGE_VAL;
    if (!resolverGradosLibres(d, tope, bytes, disponible)) {
        return false;
    }
    double solucion = segundosDesde(inicio);

    // Pasos 1 y 2 en la rigidez densa, que no hace falta para resolver
    inicio = reloj::now();
    tiemposUltimoAnalisis.paginasGrandes = analisis::ensamblarRigidezDensa(d);
    tiemposUltimoAnalisis.ensamblaje = ensamblaje + segundosDesde(inicio);

    inicio = reloj::now();
    formarDesplazamientos(d);
    if (!formarReacciones(d, tope)) {
        return false;
    }
    tiemposUltimoAnalisis.solucion = solucion + segundosDesde(inicio);
    // Con muy pocas cifras no se entregan resultados; con pocas, sí y con aviso
    const double cifras = analisis::cifrasDe(d.errorCifras);
    if (cifras < analisis::cifrasRechazo) {
        return rechazar(textoLinea() << analisis::lineaMalCondicionada(d.filaCifras, cifras));
    }

    inicio = reloj::now();
    std::string problema = entregarResultados(nc);
    if (!problema.empty()) {
        return rechazar(textoLinea() << problema);
    }
    tiemposUltimoAnalisis.entrega = segundosDesde(inicio);
    if (cifras < analisis::cifrasAviso) {
        mensajeAnalisis = analisis::lineaPocasCifras(d.filaCifras, cifras);
        std::cout << mensajeAnalisis << std::endl;
    }
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

    // La rigidez densa de la estructura manda; el bloque libre es disperso.
    // Lo que ya tienen las matrices densas que se vuelven a usar también
    // está disponible.
    double bytes = bytesDensos(N, nc) + bytesDispersos(N, nc);
    double disponible = memoriaDisponible();
    if (disponible > 0) {
        disponible += soltarDensasDeOtroTamano(N, nc);
    }
    if (disponible > 0 && bytes > disponible) {
        return rechazarMemoria(bytes, disponible);
    }
    try {
        return ensamblarYResolver(N, nc, bytes, disponible);
    } catch (const std::bad_alloc&) {
        return rechazarMemoria(bytes, 0);
    }
}
