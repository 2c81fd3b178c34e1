// Barra: cargas distribuidas por caso, peso propio, combos y cargas
// nodales equivalentes con empotramiento parcial.
#include <cmath>
#include <iostream>

#include "model/objBarra3d.h"

using FilaCarga = Eigen::Matrix<double, 1, 7>;

// Componente de la dirección unitaria que se toma como redondeo: muy por
// encima del error de R·d (unos 1e-16) y muy por debajo de cualquier
// inclinación con sentido físico
const double residuoProyeccion = 1e-13;

void objBarra3d::agregarFilaCarga(std::vector<std::string>& casos, MatrixXd& tabla,
                                  const std::string& caso, const FilaCarga& fila)
{
    casos.push_back(caso);
    Eigen::Index n = tabla.rows();
    tabla.conservativeResize(n + 1, 7);
    tabla.row(n) = fila;
}

void objBarra3d::setDistribuidaLocalX(std::string caso, double qI, double qF)
{
    FilaCarga f;
    f << qI, qF, 0, 0, 0, 0, 0;
    agregarFilaCarga(casosLocales, cargasLocales, caso, f);
}

void objBarra3d::setDistribuidaLocalY(std::string caso, double qI, double qF)
{
    FilaCarga f;
    f << 0, 0, qI, qF, 0, 0, 0;
    agregarFilaCarga(casosLocales, cargasLocales, caso, f);
}

void objBarra3d::setDistribuidaLocalZ(std::string caso, double qI, double qF)
{
    FilaCarga f;
    f << 0, 0, 0, 0, qI, qF, 0;
    agregarFilaCarga(casosLocales, cargasLocales, caso, f);
}

void objBarra3d::setDistribuidaLocalT(std::string caso, double mt)
{
    FilaCarga f;
    f << 0, 0, 0, 0, 0, 0, mt;
    agregarFilaCarga(casosLocales, cargasLocales, caso, f);
}

void objBarra3d::setDistribuidaGlobal(std::string caso, double qI, double qF, double dx, double dy,
                                      double dz)
{
    Vector3d d(dx, dy, dz);
    // escalada por su mayor componente antes de normalizar: ni 1e200 desborda
    // ni 1e-200 se anula al elevar al cuadrado
    double mayor = d.cwiseAbs().maxCoeff();
    FilaCarga f = FilaCarga::Zero();
    if (mayor == 0) {
        std::cout << "Dirección nula en la carga global de la barra " << noBarraUsuario
                  << ", caso " << caso << ": se toma como carga nula" << std::endl;
    } else {
        Vector3d e = d / mayor;
        Vector3d c = getR() * (e / e.norm());
        // Lo que queda de redondeo al proyectar (cos(pi/2) ~ 6e-17) es un eje
        // sin carga: sin esto aparecen cortes nulos de puro ruido
        for (int k = 0; k < 3; k++) {
            if (std::abs(c(k)) < residuoProyeccion) {
                c(k) = 0;
            }
        }
        f << c(0) * qI, c(0) * qF, c(1) * qI, c(1) * qF, c(2) * qI, c(2) * qF, 0;
    }
    agregarFilaCarga(casosGlobales, cargasGlobales, caso, f);
}

void objBarra3d::setPesoPropio(std::string caso)
{
    double w = area * pesoEspecifico;
    setDistribuidaGlobal(caso, w, w, 0, 0, -1);
}

void objBarra3d::setCombo(std::string combo, double factor, std::string caso)
{
    std::array<tablaDeCasos, 2> tablas{{{casosLocales, cargasLocales},
                                        {casosGlobales, cargasGlobales}}};
    sumarAlCombo<7>(etiquetasCombo, matrizCargasCombo, combo,
                    filasPorCaso.suma<7>(tablas, caso, factor));
}

namespace {
// Cargas sobre los nudos de un plano, en el sentido de la carga; momentos
// como giros del plano x-y (en x-z cambian de signo)
struct CargasPlano {
    double Fi, Mi, Fj, Mj;
};

// Reacciones de empotramiento, cambiadas de signo, de la viga de Timoshenko
// con parámetro de corte phi (0: Euler-Bernoulli) unida a nudos fijos por
// resortes a/(1-a)·E·I/L (la misma que arma la rigidez) bajo la carga lineal
// qI..qF. Incógnitas: los momentos M(0) y M(L) de los diagramas (dM/dx = V,
// dV/dx = q), por compatibilidad de los giros de la viga simplemente apoyada
// con los de los resortes.
CargasPlano cargasPlano(double a, double b, double phi, double L, double qI, double qF)
{
    if (L == 0) {
        return {0, 0, 0, 0};
    }
    double s = phi / 12;
    // giros de la viga apoyada por la carga, por -6·E·I/L
    double Pi = L * L * (8 * qI + 7 * qF) / 60;
    double Pj = L * L * (7 * qI + 8 * qF) / 60;
    double cii = 6 - 4 * a + 6 * a * s, cjj = 6 - 4 * b + 6 * b * s, cij = 1 - 6 * s;
    // det = 3·(12 - 8a - 8b + 5ab + phi·(a + b - ab)), el D de la rigidez: nunca 0
    double det = cii * cjj - a * b * cij * cij;
    double M0 = a * (Pi * cjj - b * cij * Pj) / det;
    double ML = b * (Pj * cii - a * cij * Pi) / det;
    double cortePorMomentos = (ML - M0) / L;
    // sobre la barra actúan V(0) en i y -V(L) en j
    return {L * (2 * qI + qF) / 6 - cortePorMomentos, M0, L * (qI + 2 * qF) / 6 + cortePorMomentos,
            -ML};
}
}  // namespace

MatrixXd objBarra3d::getCargasEquivalentesLocales()
{
    Eigen::Index nC = static_cast<Eigen::Index>(etiquetasCombo.size());
    cargasEquivalentesLocales.resize(12, nC);
    double L = longitud;
    double phiY = getPhi(true), phiZ = getPhi(false);
    for (Eigen::Index c = 0; c < nC; c++) {
        double qxI = matrizCargasCombo(c, 0), qxF = matrizCargasCombo(c, 1);
        double qyI = matrizCargasCombo(c, 2), qyF = matrizCargasCombo(c, 3);
        double qzI = matrizCargasCombo(c, 4), qzF = matrizCargasCombo(c, 5);
        double mt = matrizCargasCombo(c, 6);
        CargasPlano y = cargasPlano(artIniY, artFinY, phiY, L, qyI, qyF);
        CargasPlano z = cargasPlano(artIniZ, artFinZ, phiZ, L, qzI, qzF);

        auto col = cargasEquivalentesLocales.col(c);
        col(0) = L * qxI / 3 + L * qxF / 6;
        col(1) = y.Fi;
        col(2) = z.Fi;
        col(3) = L * mt / 2;
        col(4) = -z.Mi;
        col(5) = y.Mi;
        col(6) = L * qxI / 6 + L * qxF / 3;
        col(7) = y.Fj;
        col(8) = z.Fj;
        col(9) = L * mt / 2;
        col(10) = -z.Mj;
        col(11) = y.Mj;
    }
    flagsBarra[flagCargasEqLocales] = 1;
    return cargasEquivalentesLocales;
}

MatrixXd objBarra3d::getCargasEquivalentesGlobales()
{
    Eigen::Index nC = static_cast<Eigen::Index>(etiquetasCombo.size());
    if (flagsBarra[flagCargasEqGlobales] == 0) {
        if (flagsBarra[flagCargasEqLocales] == 0) {
            getCargasEquivalentesLocales();
        }
        if (flagsBarra[flagT] == 0) {
            getT();  // sin transformación todavía: se construye antes de usarla
        }
        cargasEquivalentesGlobales.resize(12, nC);
        cargasEquivalentesGlobales = Tt * cargasEquivalentesLocales;
        flagsBarra[flagCargasEqGlobales] = 1;
    }
    return cargasEquivalentesGlobales;
}

MatrixXd objBarra3d::getMatrizCargasCombo() { return matrizCargasCombo; }
std::vector<std::string> objBarra3d::getEtiquetasCombo() { return etiquetasCombo.nombres(); }
const claseNombresCombo& objBarra3d::getNombresCombo() const { return etiquetasCombo; }
int objBarra3d::getCantidadDeCombos() { return static_cast<int>(etiquetasCombo.size()); }

bool objBarra3d::comboValido(int c) { return c >= 0 && c < matrizCargasCombo.rows(); }

double objBarra3d::getValorCombo(int c, int columna)
{
    return comboValido(c) ? matrizCargasCombo(c, columna) : 0.0;
}

double objBarra3d::getFxIniCombo(int c) { return getValorCombo(c, 0); }
double objBarra3d::getFxFinCombo(int c) { return getValorCombo(c, 1); }
double objBarra3d::getFyIniCombo(int c) { return getValorCombo(c, 2); }
double objBarra3d::getFyFinCombo(int c) { return getValorCombo(c, 3); }
double objBarra3d::getFzIniCombo(int c) { return getValorCombo(c, 4); }
double objBarra3d::getFzFinCombo(int c) { return getValorCombo(c, 5); }
double objBarra3d::getTCombo(int c) { return getValorCombo(c, 6); }
