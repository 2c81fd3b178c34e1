// Cifras que lleva la solución: estimaciones del error con el factor.
#include <algorithm>
#include <cmath>
#include <limits>

#include "analysis/analisis_interno.h"

namespace analisis {

estimacionCifras ultimaEstimacion;

namespace {

using operador = std::function<Eigen::VectorXd(const Eigen::VectorXd&)>;

double signo(double v) { return v >= 0 ? 1.0 : -1.0; }

// Norma 1 de un operador C de n columnas, estimada con C y Cᵀ (Hager, con
// la mejora de Higham). En columna, la que la alcanza (o -1).
double normaUno(Eigen::Index n, const Eigen::VectorXd& mascara, const operador& C,
                const operador& Ct, Eigen::Index& columna)
{
    columna = -1;
    double activos = mascara.sum();
    if (activos == 0) {
        return 0;
    }
    Eigen::VectorXd x = mascara / activos;
    Eigen::VectorXd y = C(x);
    double estimada = y.lpNorm<1>();
    Eigen::VectorXd xi = y.unaryExpr(&signo);
    Eigen::VectorXd z = Ct(xi).cwiseProduct(mascara);
    for (int paso = 0; paso < 5; paso++) {
        Eigen::Index j = 0;
        z.cwiseAbs().maxCoeff(&j);
        if (paso > 0 && std::abs(z(j)) <= z.dot(x)) {
            break;
        }
        x.setZero(n);
        x(j) = 1;
        y = C(x);
        double nueva = y.lpNorm<1>();
        if (nueva <= estimada) {
            if (columna < 0) columna = j;
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
    // Vector alternado de Higham: atrapa los casos que engañan a la iteración
    Eigen::VectorXd alternado = Eigen::VectorXd::Zero(n);
    double k = 0;
    for (Eigen::Index i = 0; i < n; i++) {
        if (mascara(i) != 0) {
            alternado(i) = (static_cast<long>(k) % 2 == 0 ? 1.0 : -1.0)
                           * (1 + k / std::max(1.0, activos - 1));
            k++;
        }
    }
    double otra = 2 * C(alternado).lpNorm<1>() / (3 * activos);
    return std::max(estimada, otra);
}

}  // namespace

estimacionCifras estimarCifras(const datosAnalisis& d, const resultadoFactorizacion& r,
                               const Eigen::MatrixXd& cargas)
{
    estimacionCifras e;
    const double eps = std::numeric_limits<double>::epsilon();
    const Eigen::Index nf = d.kLibres.rows();
    e.razonPivote = r.razonPivote;
    e.filaPivote = r.gdlPivote >= 0 ? d.libres[static_cast<size_t>(r.gdlPivote)] : -1;
    if (nf == 0 || !r.resolver) {
        return e;
    }
    auto resolver = [&](const Eigen::VectorXd& b) -> Eigen::VectorXd {
        Eigen::MatrixXd x = r.resolver(b);
        return x.col(0);
    };
    matrizDispersa absK = d.kLibres.cwiseAbs();
    const Eigen::MatrixXd& U = d.uLibres;
    Eigen::MatrixXd g = absK.selfadjointView<Eigen::Lower>() * U.cwiseAbs();
    g += cargas.cwiseAbs();
    // Por clase (traslación, giro): los pesos de los combos
    for (int clase = 0; clase < 2; clase++) {
        Eigen::VectorXd mascara(nf);
        for (Eigen::Index a = 0; a < nf; a++) {
            mascara(a) = (d.libres[static_cast<size_t>(a)] % 6) / 3 == clase ? 1.0 : 0.0;
        }
        Eigen::VectorXd peso = Eigen::VectorXd::Zero(nf);
        for (int c = 0; c < d.nc; c++) {
            double s = 0;
            for (Eigen::Index a = 0; a < nf; a++) {
                if (mascara(a) != 0) s = std::max(s, std::abs(U(a, c)));
            }
            if (s > 0) {
                peso = peso.cwiseMax(g.col(c) / s);
            }
        }
        if (peso.isZero(0)) continue;
        operador C = [&](const Eigen::VectorXd& x) -> Eigen::VectorXd {
            return peso.cwiseProduct(resolver(mascara.cwiseProduct(x)));
        };
        operador Ct = [&](const Eigen::VectorXd& y) -> Eigen::VectorXd {
            return mascara.cwiseProduct(resolver(peso.cwiseProduct(y)));
        };
        Eigen::Index columna = -1;
        double est = eps * normaUno(nf, mascara, C, Ct, columna);
        if (est > e.errorSkeel) {
            e.errorSkeel = est;
            e.filaSkeel = columna >= 0 ? d.libres[static_cast<size_t>(columna)] : -1;
        }
    }
    // Condición normal del bloque con la diagonal llevada a uno
    Eigen::VectorXd D = d.kLibres.diagonal().cwiseSqrt();
    Eigen::VectorXd Dinv = D.cwiseInverse();
    matrizDispersa Ks = Dinv.asDiagonal() * absK * Dinv.asDiagonal();
    Eigen::VectorXd sumas = Ks.selfadjointView<Eigen::Lower>() * Eigen::VectorXd::Ones(nf);
    operador S = [&](const Eigen::VectorXd& x) -> Eigen::VectorXd {
        return D.cwiseProduct(resolver(D.cwiseProduct(x)));
    };
    Eigen::Index col = -1;
    e.errorKappa = eps * sumas.maxCoeff() * normaUno(nf, Eigen::VectorXd::Ones(nf), S, S, col);
    return e;
}

}  // namespace analisis
