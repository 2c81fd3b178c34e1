// Cholesky disperso del bloque libre: CHOLMOD supernodal a través de Eigen,
// con un orden que reduce el relleno. Un mecanismo se reconoce por un pivote
// de redondeo frente a la rigidez original de su propio grado, o por una
// solución que el propio sistema no determina (su error estimado con el
// residuo), y se nombra por el primer grado, en el orden de la estructura,
// con el que el bloque deja de ser definido. Los hilos de OpenMP y del BLAS
// quedan en uno al arrancar (app/plataforma.cpp).
#include <algorithm>
#include <cmath>
#include <memory>

#include <Eigen/CholmodSupport>

#include "analysis/analisis_interno.h"

namespace analisis {

namespace {

// Un pivote que no pasa de esta fracción de la diagonal original de su grado
// es redondeo: ese grado forma un mecanismo con los eliminados antes. Una
// estructura estable con rigideces que difieren en un factor r deja pivotes
// relativos del orden de 1/r; el redondeo, de unas decenas de épsilon.
const double tolPivote = 1e-14;
// Error relativo estimado de la solución por encima del cual el bloque no
// determina los desplazamientos: un mecanismo con pivote de redondeo.
const double tolError = 1e-2;

// CHOLMOD supernodal (L·Lᵀ) que deja leer su factor: pivotes y permutación
class factorCholmod : public Eigen::CholmodBase<matrizDispersa, Eigen::Lower, factorCholmod> {
public:
    factorCholmod()
    {
        m_cholmod.supernodal = CHOLMOD_SUPERNODAL;
        m_cholmod.final_asis = 1;
        m_cholmod.print = 0;  // CHOLMOD no escribe en la consola
    }
    const cholmod_factor* factor() const { return m_cholmodFactor; }
    bool sinMemoria() { return cholmod().status == CHOLMOD_OUT_OF_MEMORY; }
};

// Bytes del factor que anunció el análisis simbólico
double bytesDelFactor(const cholmod_factor& L)
{
    double n = static_cast<double>(L.n);
    return 8.0 * static_cast<double>(L.xsize) + 4.0 * static_cast<double>(L.ssize) + 32.0 * n;
}

// Pivote (el cuadrado de la diagonal de L) de la columna k del factor
double pivote(const cholmod_factor& L, Eigen::Index k, Eigen::Index& supernodo)
{
    const double* x = static_cast<const double*>(L.x);
    if (!L.is_super) {
        double d = x[static_cast<const int*>(L.p)[k]];
        return L.is_ll ? d * d : d;
    }
    const int* super = static_cast<const int*>(L.super);
    const int* pi = static_cast<const int*>(L.pi);
    const int* px = static_cast<const int*>(L.px);
    while (super[supernodo + 1] <= k) {
        supernodo++;
    }
    Eigen::Index filas = pi[supernodo + 1] - pi[supernodo];
    Eigen::Index j = k - super[supernodo];
    double d = x[px[supernodo] + j * filas + j];
    return d * d;
}

// ¿Hay un pivote que no es sano frente a la diagonal original de su grado?
// La permutación lleva cada columna del factor a su grado. Tras una
// factorización fallida CHOLMOD deja en cero las columnas desde la que falló.
bool hayPivoteMalo(const cholmod_factor& L, const Eigen::VectorXd& diagonal)
{
    const int* perm = static_cast<const int*>(L.Perm);
    Eigen::Index supernodo = 0;
    for (Eigen::Index k = 0; k < static_cast<Eigen::Index>(L.n); k++) {
        Eigen::Index q = perm ? perm[k] : k;
        if (!(pivote(L, k, supernodo) > tolPivote * diagonal(q))) {
            return true;
        }
    }
    return false;
}

// Columna de prueba: cargas D·w, con D la diagonal y w irregular, para que
// toquen cualquier mecanismo aunque las cargas del modelo no lo hagan
Eigen::VectorXd cargaDePrueba(const Eigen::VectorXd& diagonal)
{
    Eigen::VectorXd p(diagonal.size());
    for (Eigen::Index i = 0; i < p.size(); i++) {
        double w = 0.618033988749895 * static_cast<double>(i);
        p(i) = diagonal(i) * (1 + w - std::floor(w));
    }
    return p;
}

// Error relativo de x, solución de K·x = b, estimado con un paso de
// refinamiento: el residuo llevado por el factor. Cerca de 1 cuando un
// mecanismo dejó un pivote de puro redondeo; del orden de la razón de
// rigideces por épsilon en una estructura estable.
double errorEstimado(const factorCholmod& f, const matrizDispersa& K, const Eigen::MatrixXd& b,
                     const Eigen::MatrixXd& x)
{
    Eigen::MatrixXd residuo = b;
    residuo.noalias() -= K.selfadjointView<Eigen::Lower>() * x;
    Eigen::MatrixXd correccion = f.solve(residuo);
    double error = 0;
    for (Eigen::Index c = 0; c < x.cols(); c++) {
        double tam = x.col(c).cwiseAbs().maxCoeff();
        if (tam > 0) {
            error = std::max(error, correccion.col(c).cwiseAbs().maxCoeff() / tam);
        } else if (!correccion.col(c).isZero(0)) {
            return 1;
        }
    }
    return std::isfinite(error) ? error : 1;
}

// Factoriza K, revisa sus pivotes y resuelve las cargas junto con la columna
// de prueba; el error estimado de las dos decide si hay mecanismo. Deja en
// solucion las columnas de cargas resueltas.
resultadoFactorizacion examinar(const matrizDispersa& K, const Eigen::MatrixXd& cargas,
                                double topeBytes, Eigen::MatrixXd& solucion)
{
    resultadoFactorizacion r;
    auto factor = std::make_shared<factorCholmod>();
    factorCholmod& f = *factor;
    f.analyzePattern(K);
    if (f.factor() == nullptr) {
        r.estado = f.sinMemoria() ? estadoFactorizacion::sinMemoria : estadoFactorizacion::falla;
        return r;
    }
    r.bytesFactor = bytesDelFactor(*f.factor());
    if (r.bytesFactor > topeBytes) {
        r.estado = estadoFactorizacion::sinMemoria;
        return r;
    }
    f.factorize(K);
    if (f.sinMemoria()) {
        r.estado = estadoFactorizacion::sinMemoria;
        return r;
    }
    Eigen::VectorXd diagonal = K.diagonal();
    if (hayPivoteMalo(*f.factor(), diagonal)) {
        r.estado = estadoFactorizacion::mecanismo;
        return r;
    }
    Eigen::MatrixXd b(K.rows(), cargas.cols() + 1);
    b.leftCols(cargas.cols()) = cargas;
    b.col(cargas.cols()) = cargaDePrueba(diagonal);
    Eigen::MatrixXd x = f.solve(b);
    if (f.info() != Eigen::Success) {
        r.estado = f.sinMemoria() ? estadoFactorizacion::sinMemoria : estadoFactorizacion::falla;
        return r;
    }
    if (!x.allFinite()) {
        r.estado = estadoFactorizacion::noFinita;
        return r;
    }
    if (!(errorEstimado(f, K, b, x) <= tolError)) {
        r.estado = estadoFactorizacion::mecanismo;
        return r;
    }
    solucion = x.leftCols(cargas.cols());
    r.estado = estadoFactorizacion::resuelto;
    // El factor queda mientras alguien guarde esta función
    r.resolver = [factor](const Eigen::MatrixXd& b) -> Eigen::MatrixXd { return factor->solve(b); };
    return r;
}

// ¿Tiene mecanismo el bloque de los primeros k grados libres?
bool primerosConMecanismo(const matrizDispersa& kLibres, const Eigen::MatrixXd& cargas,
                          Eigen::Index k, double topeBytes)
{
    matrizDispersa esquina = kLibres.topLeftCorner(k, k);
    Eigen::MatrixXd solucion;
    estadoFactorizacion e = examinar(esquina, cargas.topRows(k), topeBytes, solucion).estado;
    return e == estadoFactorizacion::mecanismo || e == estadoFactorizacion::noFinita;
}

}  // namespace

resultadoFactorizacion resolverBloqueLibre(const matrizDispersa& kLibres,
                                           Eigen::MatrixXd& cargasYSolucion, double topeBytes)
{
    Eigen::MatrixXd solucion;
    resultadoFactorizacion r = examinar(kLibres, cargasYSolucion, topeBytes, solucion);
    if (r.estado == estadoFactorizacion::resuelto) {
        cargasYSolucion.swap(solucion);
    }
    return r;
}

// El bloque libre es semidefinido: si los primeros k grados tienen un
// mecanismo, también los primeros k + 1. Por bisección, el menor k con
// mecanismo; su último grado es el que nombraría un Cholesky en el orden de
// la estructura, sea cual sea el orden del factor.
Eigen::Index gdlQueNombraElMecanismo(const matrizDispersa& kLibres,
                                     const Eigen::MatrixXd& cargas, double topeBytes)
{
    Eigen::Index sano = 0, conMecanismo = kLibres.rows();
    while (conMecanismo - sano > 1) {
        Eigen::Index medio = sano + (conMecanismo - sano) / 2;
        if (primerosConMecanismo(kLibres, cargas, medio, topeBytes)) {
            conMecanismo = medio;
        } else {
            sano = medio;
        }
    }
    return conMecanismo - 1;
}

}  // namespace analisis
