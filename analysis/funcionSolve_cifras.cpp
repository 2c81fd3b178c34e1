// Cifras que lleva la solución. La rigidez armada en doble precisión ya trae
// el redondeo de cada barra, del orden de u·|K| (u, la unidad de redondeo):
// frente a una barra muy rígida, eso pesa como una rigidez falsa en sus
// movimientos de cuerpo rígido, que la solución lleva a los desplazamientos
// y las fuerzas. Dos estimaciones, elegidas por lo que predicen frente a una
// referencia en precisión cuádruple (bench/medirCifras.cpp):
//  - desplazamientos: u·‖ |K⁻¹|·(|K|·|x| + |p|) ‖ / ‖x‖, por separado en
//    traslaciones y en giros; la norma de |K⁻¹|·g, estimada como la de
//    K⁻¹·diag(g) por Hager y Higham con unas pocas soluciones del factor;
//  - fuerzas (reacciones y esfuerzos de las barras, formados con K·x):
//    u·|K|·|x| frente a las cargas, las reacciones y las fuerzas en los
//    extremos de las barras, por separado en fuerzas y en momentos; lo que
//    ahí se cancela es lo que se pierde.
#include <algorithm>
#include <cmath>
#include <limits>

#include "analysis/analisis_interno.h"
#include "app/zurezar3o.h"

namespace analisis {

namespace {

const double unidadRedondeo = std::numeric_limits<double>::epsilon() / 2;

using operador = std::function<Eigen::VectorXd(const Eigen::VectorXd&)>;

double signo(double v) { return v >= 0 ? 1.0 : -1.0; }

// Norma 1 de un operador C (n x n, sus columnas fuera de la máscara no
// cuentan), estimada con C y Cᵀ por Hager con la mejora de Higham. En
// columna deja la que la alcanza.
double normaUno(const Eigen::VectorXd& mascara, const operador& C, const operador& Ct,
                Eigen::Index& columna)
{
    const Eigen::Index n = mascara.size();
    const double activas = mascara.sum();
    columna = -1;
    if (activas == 0) {
        return 0;
    }
    Eigen::VectorXd x = mascara / activas;
    Eigen::VectorXd y = C(x);
    double estimada = y.lpNorm<1>();
    Eigen::VectorXd xi = y.unaryExpr(&signo);
    Eigen::VectorXd z = Ct(xi).cwiseProduct(mascara);
    for (int paso = 0; paso < 5; paso++) {
        Eigen::Index j = 0;
        z.cwiseAbs().maxCoeff(&j);
        if (columna < 0) {
            columna = j;
        }
        if (paso > 0 && std::abs(z(j)) <= z.dot(x)) {
            break;
        }
        x.setZero(n);
        x(j) = 1;
        y = C(x);
        double nueva = y.lpNorm<1>();
        if (!(nueva > estimada)) {
            break;
        }
        estimada = nueva;
        columna = j;
        Eigen::VectorXd xiNuevo = y.unaryExpr(&signo);
        if (xiNuevo == xi) {
            break;
        }
        xi = xiNuevo;
        z = Ct(xi).cwiseProduct(mascara);
    }
    // Vector alternado de Higham, para los casos que engañan a la iteración
    Eigen::VectorXd alternado = Eigen::VectorXd::Zero(n);
    double k = 0;
    for (Eigen::Index i = 0; i < n; i++) {
        if (mascara(i) != 0) {
            double s = static_cast<long long>(k) % 2 == 0 ? 1.0 : -1.0;
            alternado(i) = s * (1 + k / std::max(1.0, activas - 1));
            k++;
        }
    }
    return std::max(estimada, 2 * C(alternado).lpNorm<1>() / (3 * activas));
}

// Sube el error estimado de la corrida si este es mayor
void subir(datosAnalisis& d, double error, Eigen::Index fila)
{
    if (!(error <= d.errorCifras)) {
        d.errorCifras = std::isfinite(error) ? error : HUGE_VAL;
        d.filaCifras = fila;
    }
}

// Traslación (0) o giro (1) de una fila de la estructura
int claseDeFila(Eigen::Index fila) { return static_cast<int>(fila % 6) / 3; }

}  // namespace

double cifrasDe(double error)
{
    return error > 0 ? -std::log10(error) : 16;
}

void estimarErrorDesplazamientos(datosAnalisis& d, const resultadoFactorizacion& r)
{
    const Eigen::Index nf = d.kLibres.rows();
    if (nf == 0 || d.nc == 0 || !r.resolver) {
        return;
    }
    const Eigen::MatrixXd& x = d.uLibres;
    const matrizDispersa absK = d.kLibres.cwiseAbs();
    Eigen::VectorXd mascaras[2] = {Eigen::VectorXd(nf), Eigen::VectorXd(nf)};
    for (Eigen::Index a = 0; a < nf; a++) {
        int clase = claseDeFila(d.libres[static_cast<size_t>(a)]);
        mascaras[clase](a) = 1;
        mascaras[1 - clase](a) = 0;
    }
    // Un solo peso por clase para todos los combos: g = |K|·|x| + |p| de cada
    // uno sobre su mayor desplazamiento de la clase, el mayor de todos
    Eigen::VectorXd pesos[2] = {Eigen::VectorXd::Zero(nf), Eigen::VectorXd::Zero(nf)};
    for (int c = 0; c < d.nc; c++) {
        Eigen::VectorXd g = absK.selfadjointView<Eigen::Lower>() * x.col(c).cwiseAbs();
        for (Eigen::Index a = 0; a < nf; a++) {
            Eigen::Index fila = d.libres[static_cast<size_t>(a)];
            g(a) += std::abs(pEstructura(fila, c) + fEstructura(fila, c));
        }
        for (int clase = 0; clase < 2; clase++) {
            double mayor = x.col(c).cwiseAbs().cwiseProduct(mascaras[clase]).maxCoeff();
            if (mayor > 0) {
                pesos[clase] = pesos[clase].cwiseMax(g / mayor);
            }
        }
    }
    auto resolver = [&](const Eigen::VectorXd& b) -> Eigen::VectorXd { return r.resolver(b); };
    for (int clase = 0; clase < 2; clase++) {
        const Eigen::VectorXd& mascara = mascaras[clase];
        const Eigen::VectorXd& peso = pesos[clase];
        if (peso.isZero(0)) {
            continue;
        }
        // ‖P·K⁻¹·diag(peso)‖∞ = ‖diag(peso)·K⁻¹·Pᵀ‖₁, P las filas de la clase
        operador C = [&](const Eigen::VectorXd& v) -> Eigen::VectorXd {
            return peso.cwiseProduct(resolver(mascara.cwiseProduct(v)));
        };
        operador Ct = [&](const Eigen::VectorXd& v) -> Eigen::VectorXd {
            return mascara.cwiseProduct(resolver(peso.cwiseProduct(v)));
        };
        Eigen::Index columna = -1;
        double error = unidadRedondeo * normaUno(mascara, C, Ct, columna);
        subir(d, error, columna >= 0 ? d.libres[static_cast<size_t>(columna)] : -1);
    }
}

// Mayor fuerza (clase 0) y mayor momento (clase 1) en los extremos de las
// barras, Kg·u de cada una, combo por combo: con cargas y reacciones nulas en
// una clase (momentos de un pórtico de bases articuladas) son la escala de lo
// que se muestra, no el redondeo de un cero
Eigen::MatrixXd mayoresEnExtremos(int nc)
{
    Eigen::MatrixXd mayores = Eigen::MatrixXd::Zero(2, nc);
    for (objBarra3d& b : barra) {
        const Eigen::VectorXi g = b.getGdl();
        const Eigen::MatrixXd Kg = b.getKGlobal();
        if (g.size() != 12 || Kg.rows() != 12 || Kg.cols() != 12) {
            continue;
        }
        Eigen::VectorXd ue(12);
        for (int c = 0; c < nc; c++) {
            for (int i = 0; i < 12; i++) {
                ue(i) = u(g(i) - 1, c);
            }
            const Eigen::VectorXd f = Kg * ue;
            for (int i = 0; i < 12; i++) {
                double& m = mayores((i % 6) / 3, c);
                m = std::max(m, std::abs(f(i)));
            }
        }
    }
    return mayores;
}

void estimarErrorFuerzas(datosAnalisis& d, const Eigen::MatrixXd& absKu)
{
    const Eigen::MatrixXd enExtremos = mayoresEnExtremos(d.nc);
    for (int c = 0; c < d.nc; c++) {
        for (int clase = 0; clase < 2; clase++) {
            double fuerzas = enExtremos(clase, c), terminos = 0;
            Eigen::Index fila = -1;
            for (Eigen::Index nudoFila = 0; nudoFila < d.N; nudoFila += 6) {
                for (Eigen::Index i = nudoFila + 3 * clase; i < nudoFila + 3 * clase + 3; i++) {
                    fuerzas = std::max(fuerzas, std::abs(pEstructura(i, c) + fEstructura(i, c))
                                                    + std::abs(reacciones(i, c)));
                    if (absKu(i, c) > terminos) {
                        terminos = absKu(i, c);
                        fila = i;
                    }
                }
            }
            if (fuerzas > 0) {
                subir(d, unidadRedondeo * terminos / fuerzas, fila);
            }
        }
    }
}

}  // namespace analisis
