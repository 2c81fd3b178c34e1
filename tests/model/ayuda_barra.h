// Ayudas de las pruebas de barra: construcción de barras y soluciones de
// referencia armadas por separado (flexibilidad de la ménsula, resortes en
// los extremos condensados, cargas consistentes por integración numérica).
#pragma once

#include <cmath>
#include <vector>

#include <Eigen/Dense>

#include "model/objBarra3d.h"

namespace ayuda {

using Eigen::Matrix2d;
using Eigen::Matrix4d;
using Eigen::Vector4d;

// Barra con sus dos extremos (nudos internos 0 y 1 salvo que se indique)
inline objBarra3d barraEntre(double xi, double yi, double zi, double xf, double yf, double zf,
                             int ni = 0, int nj = 1)
{
    objBarra3d b;
    b.resetFlags();
    b.setNoBarraUsuario(7);
    b.setNudoInicio(ni, xi, yi, zi);
    b.setNudoFinal(nj, xf, yf, zf);
    return b;
}

// Rigidez de viga en un plano, gdl (v_i, tita_i, v_j, tita_j) con tita = dv/dx,
// armada desde la flexibilidad de la ménsula empotrada en i y libre en j:
// flecha PL³/3EI + P·f·L/GA (corte), giro ML/EI. Las filas de i salen del
// equilibrio de la barra.
inline Matrix4d vigaRigida(double E, double I, double L, double f, double G, double A)
{
    Matrix2d F;
    F << L * L * L / (3 * E * I) + (f == 0 ? 0.0 : f * L / (G * A)), L * L / (2 * E * I),
        L * L / (2 * E * I), L / (E * I);
    Matrix2d Kjj = F.inverse();
    Matrix2d gamma;  // fuerzas en i = -gamma · fuerzas en j
    gamma << 1, 0, L, 1;
    Matrix4d K;
    K.block<2, 2>(0, 0) = gamma * Kjj * gamma.transpose();
    K.block<2, 2>(0, 2) = -gamma * Kjj;
    K.block<2, 2>(2, 0) = -Kjj * gamma.transpose();
    K.block<2, 2>(2, 2) = Kjj;
    return K;
}

// Puntos y pesos de Gauss de 5 puntos en [-1, 1]
inline constexpr double puntosGauss[5] = {-0.9061798459386640, -0.5384693101056831, 0.0,
                                          0.5384693101056831, 0.9061798459386640};
inline constexpr double pesosGauss[5] = {0.2369268850561891, 0.4786286704993665,
                                         0.5688888888888889, 0.4786286704993665,
                                         0.2369268850561891};

// Cargas nodales consistentes de una carga lineal qI..qF (a favor de +v) por
// integración de Gauss de las funciones de Hermite, gdl como vigaRigida.
inline Vector4d cargasHermite(double L, double qI, double qF)
{
    Vector4d f = Vector4d::Zero();
    for (int g = 0; g < 5; g++) {
        double s = (puntosGauss[g] + 1) / 2;  // x / L
        double w = pesosGauss[g] * L / 2;
        double q = qI + (qF - qI) * s;
        Vector4d N;
        N << 1 - 3 * s * s + 2 * s * s * s, L * (s - 2 * s * s + s * s * s), 3 * s * s - 2 * s * s * s,
            L * (s * s * s - s * s);
        f += w * q * N;
    }
    return f;
}

// Integral de Gauss (5 puntos, exacta hasta grado 9) de f en [a, b]
template <class F>
double integrarGauss(F f, double a, double b)
{
    double s = 0;
    for (int g = 0; g < 5; g++) {
        s += pesosGauss[g] * f(a + (b - a) * (puntosGauss[g] + 1) / 2);
    }
    return s * (b - a) / 2;
}

// Cargas nodales de la viga de extremos rígidos con corte (f·L/GA; f = 0 sin
// corte) bajo la carga lineal qI..qF a favor de +v, gdl como vigaRigida, por
// el método de las fuerzas: la ménsula empotrada en i, su flecha y giro en j
// por trabajos virtuales (flexión y corte) y las reacciones de j que los
// anulan; las de i por equilibrio.
inline Vector4d cargasFuerzas(double E, double I, double L, double f, double G, double A,
                              double qI, double qF)
{
    auto q = [=](double s) { return qI + (qF - qI) * s / L; };
    // momento (E·I·giro' = M) y corte de la ménsula en x: cargas entre x y L
    auto M = [=](double x) {
        return integrarGauss([=](double s) { return q(s) * (s - x); }, x, L);
    };
    auto Q = [=](double x) { return integrarGauss(q, x, L); };
    double corte = f == 0 ? 0.0 : f / (G * A);
    Eigen::Vector2d delta;
    delta << integrarGauss([=](double x) { return M(x) * (L - x) / (E * I) + Q(x) * corte; }, 0, L),
        integrarGauss([=](double x) { return M(x) / (E * I); }, 0, L);
    Matrix2d F;
    F << L * L * L / (3 * E * I) + corte * L, L * L / (2 * E * I), L * L / (2 * E * I), L / (E * I);
    Eigen::Vector2d Rj = -F.inverse() * delta;
    double total = integrarGauss(q, 0, L);
    double momentoI = integrarGauss([=](double s) { return q(s) * s; }, 0, L);
    Vector4d R;
    R << -total - Rj(0), -Rj(1) - L * Rj(0) - momentoI, Rj(0), Rj(1);
    return -R;
}

struct PlanoCondensado {
    Matrix4d K;  // gdl (v_i, tita_i, v_j, tita_j) de los nudos
    Vector4d f;  // cargas nodales equivalentes en esos gdl
};

// Viga rígida unida a cada nudo por un resorte rotacional de rigidez
// a/(1-a)·E·I/L (a = 1: unión rígida, a = 0: rótula); los giros de los
// extremos de la viga se condensan.
inline PlanoCondensado condensarResortes(double a, double b, const Matrix4d& Kviga,
                                         const Vector4d& fViga, double E, double I, double L)
{
    // gdl: 0 v_i, 1 tita nudo i, 2 v_j, 3 tita nudo j, 4.. giros propios de la viga
    int mapa[4] = {0, 1, 2, 3};
    int n = 4;
    std::vector<std::pair<int, double>> resortes;  // (gdl de la viga, rigidez) en nudos 1 y 3
    double factores[2] = {a, b};
    for (int e = 0; e < 2; e++) {
        if (factores[e] < 1) {
            mapa[1 + 2 * e] = n;
            resortes.push_back({1 + 2 * e, factores[e] / (1 - factores[e]) * E * I / L});
            n++;
        }
    }
    Eigen::MatrixXd K = Eigen::MatrixXd::Zero(n, n);
    Eigen::VectorXd f = Eigen::VectorXd::Zero(n);
    for (int r = 0; r < 4; r++) {
        f(mapa[r]) += fViga(r);
        for (int c = 0; c < 4; c++) {
            K(mapa[r], mapa[c]) += Kviga(r, c);
        }
    }
    for (auto& rs : resortes) {
        int nudoG = rs.first, vigaG = mapa[rs.first];
        K(nudoG, nudoG) += rs.second;
        K(vigaG, vigaG) += rs.second;
        K(nudoG, vigaG) -= rs.second;
        K(vigaG, nudoG) -= rs.second;
    }
    PlanoCondensado p;
    int m = n - 4;
    if (m == 0) {
        p.K = K.topLeftCorner(4, 4);
        p.f = f.head(4);
        return p;
    }
    Eigen::MatrixXd Kii = K.bottomRightCorner(m, m);
    Eigen::MatrixXd Kti = K.topRightCorner(4, m);
    Eigen::MatrixXd X = Kii.inverse();
    p.K = K.topLeftCorner(4, 4) - Kti * X * Kti.transpose();
    p.f = f.head(4) - Kti * X * f.tail(m);
    return p;
}

// Máxima diferencia relativa al mayor valor absoluto de la referencia
inline double difRelativa(const Eigen::MatrixXd& a, const Eigen::MatrixXd& ref)
{
    double escala = ref.cwiseAbs().maxCoeff();
    if (escala == 0) escala = 1;
    return (a - ref).cwiseAbs().maxCoeff() / escala;
}

}  // namespace ayuda
