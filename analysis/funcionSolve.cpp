// Análisis por rigidez directa: ensamblaje denso, Cholesky del bloque libre
// con todos los combos a la vez, reacciones y entrega de resultados.
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

// Un grado libre cuya diagonal no pasa de esta fracción de la mayor diagonal
// de su tipo (traslación o giro) no tiene rigidez: lo que queda es redondeo.
const double tolRigidezNula = 1e-12;
// Un pivote de Cholesky que cae por debajo de esta fracción de su diagonal
// original es un mecanismo que el redondeo dejó positivo.
const double tolPivote = 1e-11;
// Residuo relativo admitido de la solución.
const double tolResiduo = 1e-6;

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

// Revisa lo que el cargador garantiza; devuelve la línea del problema o vacía.
// Cuenta también los grados libres.
std::string revisarModelo(Eigen::Index N, int nc, Eigen::Index& nLibres)
{
    nLibres = 0;
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
        nLibres += (apoyo.array() == 0).count();
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
        size_t combos = b.getEtiquetasCombo().size();
        if (combos != static_cast<size_t>(nc)) {
            return (textoLinea() << "Análisis cancelado: la barra " << b.getNoBarraUsuario()
                                 << " tiene " << combos << " combos de carga y el modelo tiene "
                                 << nc)
                .str();
        }
    }
    return "";
}

// Pasos del análisis desde el ensamblaje; puede lanzar std::bad_alloc
bool ensamblarYResolver(Eigen::Index N, int nc)
{
    reloj::time_point inicio = reloj::now();

    // 1. Matrices en cero
    kEstructura.setZero(N, N);
    pEstructura.setZero(N, nc);
    fEstructura.setZero(N, nc);
    restriccionesEstructura.setZero(N);

    // 2. Rigidez: todas las barras antes de pedir cargas o entregar resultados
    for (objBarra3d& b : barra) {
        VectorXi g = b.getGdl();
        MatrixXd Kg = b.getKGlobal();
        if (Kg.rows() != 12 || Kg.cols() != 12 || !Kg.allFinite()) {
            return rechazar(textoLinea() << "Análisis cancelado: la rigidez de la barra "
                                         << b.getNoBarraUsuario() << " no es finita");
        }
        for (int j = 0; j < 12; j++) {
            for (int i = 0; i < 12; i++) {
                kEstructura(g(i) - 1, g(j) - 1) += Kg(i, j);
            }
        }
    }

    // 3. Cargas puntuales de los nudos
    for (objNudo3d& n : nudo) {
        MatrixXd Q = n.getCargasCombo();
        VectorXi g = n.getGdl();
        for (int c = 0; c < nc; c++) {
            for (int i = 0; i < 6; i++) {
                pEstructura(g(i) - 1, c) += Q(i, c);
            }
        }
    }

    // 4. Cargas equivalentes de las barras
    for (objBarra3d& b : barra) {
        VectorXi g = b.getGdl();
        MatrixXd E = b.getCargasEquivalentesGlobales();
        if (E.rows() != 12 || E.cols() < nc) {
            return rechazar(textoLinea() << "Análisis cancelado: la barra "
                                         << b.getNoBarraUsuario()
                                         << " no tiene cargas equivalentes de todos los combos");
        }
        for (int c = 0; c < nc; c++) {
            for (int i = 0; i < 12; i++) {
                fEstructura(g(i) - 1, c) += E(i, c);
            }
        }
    }
    if (!pEstructura.allFinite() || !fEstructura.allFinite()) {
        for (Eigen::Index d = 0; d < N; d++) {
            if (!pEstructura.row(d).allFinite() || !fEstructura.row(d).allFinite()) {
                return rechazar(textoLinea() << "Análisis cancelado: carga no finita en "
                                             << nudoYDireccion(d));
            }
        }
    }

    // 5 y 6. Códigos de apoyo y grados libres
    for (objNudo3d& n : nudo) {
        VectorXi g = n.getGdl();
        VectorXi apoyo = n.getVectorApoyo();
        for (int i = 0; i < 6; i++) {
            restriccionesEstructura(g(i) - 1) = apoyo(i);
        }
    }
    std::vector<Eigen::Index> libres;  // filas (base 0) de los grados libres
    for (Eigen::Index d = 0; d < N; d++) {
        if (restriccionesEstructura(d) == 0) {
            libres.push_back(d);
        }
    }
    const Eigen::Index nf = static_cast<Eigen::Index>(libres.size());

    // 7. Bloque libre: basta el triángulo inferior, que es lo que lee Cholesky
    MatrixXd kLibres(nf, nf);
    for (Eigen::Index b = 0; b < nf; b++) {
        const double* columna = &kEstructura.coeffRef(0, libres[b]);
        for (Eigen::Index a = b; a < nf; a++) {
            kLibres(a, b) = columna[libres[a]];
        }
    }
    MatrixXd uLibres(nf, nc);  // primero las cargas, después la solución
    for (Eigen::Index a = 0; a < nf; a++) {
        uLibres.row(a) = pEstructura.row(libres[a]) + fEstructura.row(libres[a]);
    }
    tiemposUltimoAnalisis.ensamblaje = segundosDesde(inicio);
    inicio = reloj::now();

    // Grado libre sin rigidez: diagonal nula frente a las de su tipo
    VectorXd diagonal = kLibres.diagonal();
    double mayorDiagonal[2] = {0, 0};
    for (Eigen::Index a = 0; a < nf; a++) {
        double& mayor = mayorDiagonal[libres[a] % 6 < 3 ? 0 : 1];
        if (std::isfinite(diagonal(a)) && diagonal(a) > mayor) {
            mayor = diagonal(a);
        }
    }
    for (Eigen::Index a = 0; a < nf; a++) {
        if (!(diagonal(a) > tolRigidezNula * mayorDiagonal[libres[a] % 6 < 3 ? 0 : 1])) {
            return rechazar(textoLinea() << "Estructura inestable: sin rigidez en "
                                         << nudoYDireccion(libres[a]));
        }
    }

    // 8. Cholesky en el lugar (LLT de Eigen, triángulo inferior); devuelve la
    // columna donde falló, o -1
    Eigen::Index fallo = -1;
    if (nf > 0) {
        fallo = Eigen::internal::llt_inplace<double, Eigen::Lower>::blocked(kLibres);
    }
    if (fallo >= nf) {
        return rechazar(textoLinea() << "Estructura inestable: la factorización de la rigidez falló");
    }
    if (fallo < 0) {
        for (Eigen::Index a = 0; a < nf; a++) {
            double pivote = kLibres(a, a) * kLibres(a, a);
            if (!(pivote > tolPivote * diagonal(a))) {
                fallo = a;
                break;
            }
        }
    }
    if (fallo >= 0) {
        return rechazar(textoLinea() << "Estructura inestable: mecanismo en "
                                     << nudoYDireccion(libres[fallo]));
    }
    if (nc > 0 && nf > 0) {
        auto L = kLibres.triangularView<Eigen::Lower>();
        L.solveInPlace(uLibres);
        L.adjoint().solveInPlace(uLibres);
    }
    kLibres.resize(0, 0);
    if (!uLibres.allFinite()) {
        return rechazar(textoLinea() << "Estructura inestable: la solución no es finita");
    }

    // 9. Desplazamientos de la estructura
    u.setZero(N, nc);
    for (Eigen::Index a = 0; a < nf; a++) {
        u.row(libres[a]) = uLibres.row(a);
    }

    // 11. Reacciones; en los grados libres queda el residuo de la solución
    reacciones.resize(N, nc);
    reacciones.noalias() = kEstructura * u;
    reacciones -= pEstructura;
    reacciones -= fEstructura;
    double escalaRigidez = std::max(mayorDiagonal[0], mayorDiagonal[1]);
    for (int c = 0; c < nc; c++) {
        double residuo = 0, carga = 0;
        for (Eigen::Index d : libres) {
            residuo += reacciones(d, c) * reacciones(d, c);
            double p = pEstructura(d, c) + fEstructura(d, c);
            carga += p * p;
        }
        double cota = tolResiduo * (escalaRigidez * u.col(c).norm() + std::sqrt(carga));
        if (!(std::sqrt(residuo) <= cota)) {
            return rechazar(textoLinea()
                            << "Estructura inestable: la solución no cumple el equilibrio");
        }
    }
    tiemposUltimoAnalisis.solucion = segundosDesde(inicio);
    inicio = reloj::now();

    // 10. Cada nudo y después cada barra recibe su copia de u
    for (objNudo3d& n : nudo) {
        n.setDesplazamientos(u);
    }
    for (objBarra3d& b : barra) {
        b.setDesplazamientos(u);
    }
    // 12. Cada nudo recibe su copia de las reacciones
    for (objNudo3d& n : nudo) {
        n.setReacciones(reacciones);
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

    Eigen::Index nf = 0;
    std::string problema = revisarModelo(N, nc, nf);
    if (!problema.empty()) {
        return rechazar(textoLinea() << problema);
    }

    // Las matrices densas: K de la estructura, su bloque libre y las de combos
    double n = static_cast<double>(N);
    double bytes = 8.0 * (n * n + static_cast<double>(nf) * static_cast<double>(nf)
                          + 6.0 * n * std::max(nc, 1));
    double disponible = memoriaDisponible();
    if (disponible > 0 && bytes > disponible) {
        return rechazar(textoLinea() << std::fixed << std::setprecision(1)
                                     << "Memoria insuficiente: el análisis necesita "
                                     << gigas(bytes) << " GB y hay " << gigas(disponible)
                                     << " GB disponibles");
    }
    try {
        return ensamblarYResolver(N, nc);
    } catch (const std::bad_alloc&) {
        return rechazar(textoLinea() << std::fixed << std::setprecision(1)
                                     << "Memoria insuficiente: el análisis necesita "
                                     << gigas(bytes) << " GB");
    }
}
