// Barra: desplazamientos recibidos, fuerzas en extremos, constantes de
// integración, diagramas, corte nulo y deformada.
#include <cmath>
#include <iostream>

#include "model/objBarra3d.h"

namespace {

// Los polinomios de un plano, con la carga q(x) = q + m·x y las constantes de
// integración C = (C1, C2, C3, C4): el momento M(x) = cargaMomento(x) +
// baseMomento(x)·C y la flecha E·I·d(x) = cargaFlecha(x) + baseFlecha(x)·C, de
// E·I·d'' = M − corte·q, con corte = E·I·f/(G·A) (corteDeCarga; 0 sin corte)
Eigen::Vector4d baseMomento(double x) { return {x, 1, 0, 0}; }
Eigen::Vector4d baseFlecha(double x) { return {x * x * x / 6, x * x / 2, x, 1}; }
double cargaMomento(double x, double m, double q) { return m * x * x * x / 6 + q * x * x / 2; }
double cargaFlecha(double x, double m, double q, double corte)
{
    return m * std::pow(x, 5) / 120 + q * std::pow(x, 4) / 24 - corte * cargaMomento(x, m, q);
}

}  // namespace

void objBarra3d::setDesplazamientos(const MatrixXd& U)
{
    bool gdlValidos = gdl.size() == 12 && gdl.minCoeff() >= 1 && gdl.maxCoeff() <= U.rows();
    if (!gdlValidos || static_cast<size_t>(U.cols()) != etiquetasCombo.size()) {
        std::cout << "Desplazamientos no válidos para la barra " << noBarraUsuario << std::endl;
        return;
    }
    if (flagsBarra[flagT] == 0) {
        getT();
    }
    Eigen::Index nc = U.cols();
    desplGlobales.resize(12, nc);
    for (int r = 0; r < 12 && nc > 0; r++) {
        desplGlobales.row(r) = U.row(gdl(r) - 1);
    }
    desplLocales = T * desplGlobales;
    calcConstantesY();
    calcConstantesZ();
    flagsBarra[flagResultados] = 1;
}

void objBarra3d::borrarResultados()
{
    desplGlobales.resize(12, 0);
    desplLocales.resize(12, 0);
    fuerzasExtremos.resize(12, 0);
    flagsBarra[flagFuerzasExtremos] = 0;
    flagsBarra[flagResultados] = 0;
}

bool objBarra3d::calcFuerzasExtremos()
{
    if (flagsBarra[flagFuerzasExtremos] == 0) {
        if (desplLocales.rows() != 12) {
            return false;  // todavía sin desplazamientos
        }
        if (flagsBarra[flagKLocal] == 0) {
            getKLocal();
        }
        if (flagsBarra[flagCargasEqLocales] == 0
            || cargasEquivalentesLocales.cols() != desplLocales.cols()) {
            getCargasEquivalentesLocales();
        }
        if (cargasEquivalentesLocales.cols() != desplLocales.cols()) {
            return false;
        }
        fuerzasExtremos = kLocal * desplLocales - cargasEquivalentesLocales;
        flagsBarra[flagFuerzasExtremos] = 1;
    }
    return true;
}

MatrixXd objBarra3d::getFuerzasExtremos()
{
    return calcFuerzasExtremos() ? fuerzasExtremos : MatrixXd(12, 0);
}

void objBarra3d::calcConstantesY() { calcConstantes(true); }
void objBarra3d::calcConstantesZ() { calcConstantes(false); }

void objBarra3d::calcConstantes(bool planoY)
{
    Eigen::Index nc = desplLocales.cols();
    VectorXd& pendiente = planoY ? pendienteY : pendienteZ;
    VectorXd& qIni = planoY ? qIniY : qIniZ;
    VectorXd& C1 = planoY ? C1Y : C1Z;
    VectorXd& C2 = planoY ? C2Y : C2Z;
    VectorXd& C3 = planoY ? C3Y : C3Z;
    VectorXd& C4 = planoY ? C4Y : C4Z;
    pendiente.resize(nc);
    qIni.resize(nc);
    C1.resize(nc);
    C2.resize(nc);
    C3.resize(nc);
    C4.resize(nc);
    double L = longitud;
    double EI = modE * (planoY ? Iz : Iy);
    double corte = corteDeCarga(planoY);
    for (Eigen::Index c = 0; c < nc; c++) {
        calcFuerzasExtremos();
        if (fuerzasExtremos.cols() != nc) {
            C1(c) = C2(c) = C3(c) = C4(c) = pendiente(c) = qIni(c) = 0;
            continue;
        }
        double Mi, Mj, qI, qF, di, dj;
        if (planoY) {
            Mi = -fuerzasExtremos(5, c);
            Mj = fuerzasExtremos(11, c);
            qI = matrizCargasCombo(c, 2);
            qF = matrizCargasCombo(c, 3);
            di = desplLocales(1, c);
            dj = desplLocales(7, c);
        } else {
            Mi = fuerzasExtremos(4, c);
            Mj = -fuerzasExtremos(10, c);
            qI = matrizCargasCombo(c, 4);
            qF = matrizCargasCombo(c, 5);
            di = desplLocales(2, c);
            dj = desplLocales(8, c);
        }
        double m = (qF - qI) / L;
        pendiente(c) = m;
        qIni(c) = qI;
        // Los momentos y las flechas de los dos extremos
        Eigen::Matrix4d A;
        A << baseMomento(0).transpose(), baseMomento(L).transpose(), baseFlecha(0).transpose(),
            baseFlecha(L).transpose();
        Eigen::Vector4d b(Mi - cargaMomento(0, m, qI), Mj - cargaMomento(L, m, qI),
                          EI * di - cargaFlecha(0, m, qI, corte),
                          EI * dj - cargaFlecha(L, m, qI, corte));
        Eigen::Vector4d C = Eigen::FullPivLU<Eigen::Matrix4d>(A).solve(b);
        C1(c) = C(0);
        C2(c) = C(1);
        C3(c) = C(2);
        C4(c) = C(3);
    }
}

bool objBarra3d::getBoolResultados(int c)
{
    return flagsBarra[flagResultados] == 1 && c >= 0 && c < desplLocales.cols()
           && c < pendienteY.size() && c < pendienteZ.size() && c < matrizCargasCombo.rows();
}

// Estación k de n sobre la longitud L; la última es L exacta
static double estacion(double L, int n, int k)
{
    if (k == n - 1) {
        return L;
    }
    return (L / static_cast<double>(n - 1)) * k;
}

MatrixXd objBarra3d::getSolicitacionAxial(int c, int n)
{
    if (!calcFuerzasExtremos() || !getBoolResultados(c) || n < 2 || c >= fuerzasExtremos.cols()) {
        return MatrixXd(2, 0);
    }
    const MatrixXd& S = fuerzasExtremos;
    double L = longitud;
    double Ni = -S(0, c);
    double qxI = matrizCargasCombo(c, 0), qxF = matrizCargasCombo(c, 1);
    MatrixXd R(2, n);
    for (int k = 0; k < n; k++) {
        double x = estacion(L, n, k);
        R(0, k) = x;
        R(1, k) = Ni - qxI * x - (qxF - qxI) * x * x / (2 * L);
    }
    return R;
}

MatrixXd objBarra3d::getSolicitacionTorsion(int c, int n)
{
    if (!calcFuerzasExtremos() || !getBoolResultados(c) || n < 2 || c >= fuerzasExtremos.cols()) {
        return MatrixXd(2, 0);
    }
    const MatrixXd& S = fuerzasExtremos;
    double L = longitud;
    double Ti = -S(3, c), Tj = S(9, c);
    MatrixXd R(2, n);
    for (int k = 0; k < n; k++) {
        double x = estacion(L, n, k);
        R(0, k) = x;
        R(1, k) = Ti + (Tj - Ti) * x / L;
    }
    return R;
}

// Corte y momento del plano en x para el combo c: dV/dx = q lineal, dM/dx = V
double objBarra3d::corteEn(int c, bool planoY, double x)
{
    double m = planoY ? pendienteY(c) : pendienteZ(c);
    double q = planoY ? qIniY(c) : qIniZ(c);
    double C1 = planoY ? C1Y(c) : C1Z(c);
    return m * x * x / 2 + q * x + C1;
}

Eigen::Vector4d objBarra3d::constantesEn(int c, bool planoY)
{
    return planoY ? Eigen::Vector4d(C1Y(c), C2Y(c), C3Y(c), C4Y(c))
                  : Eigen::Vector4d(C1Z(c), C2Z(c), C3Z(c), C4Z(c));
}

double objBarra3d::momentoEn(int c, bool planoY, double x)
{
    double m = planoY ? pendienteY(c) : pendienteZ(c);
    double q = planoY ? qIniY(c) : qIniZ(c);
    return cargaMomento(x, m, q) + baseMomento(x).dot(constantesEn(c, planoY));
}

double objBarra3d::flechaEn(int c, bool planoY, double x)
{
    double m = planoY ? pendienteY(c) : pendienteZ(c);
    double q = planoY ? qIniY(c) : qIniZ(c);
    return cargaFlecha(x, m, q, corteDeCarga(planoY)) + baseFlecha(x).dot(constantesEn(c, planoY));
}

double objBarra3d::corteDeCarga(bool planoY) { return getPhi(planoY) * longitud * longitud / 12; }

MatrixXd objBarra3d::getPolinomio(int c, int n, bool planoY, bool momento)
{
    if (!getBoolResultados(c) || n < 2) {
        return MatrixXd(2, 0);
    }
    MatrixXd R(2, n);
    for (int k = 0; k < n; k++) {
        double x = estacion(longitud, n, k);
        R(0, k) = x;
        R(1, k) = momento ? momentoEn(c, planoY, x) : corteEn(c, planoY, x);
    }
    return R;
}

MatrixXd objBarra3d::getSolicitacionVy(int c, int n) { return getPolinomio(c, n, true, false); }
MatrixXd objBarra3d::getSolicitacionMy(int c, int n) { return getPolinomio(c, n, true, true); }
MatrixXd objBarra3d::getSolicitacionVz(int c, int n) { return getPolinomio(c, n, false, false); }
MatrixXd objBarra3d::getSolicitacionMz(int c, int n) { return getPolinomio(c, n, false, true); }

double objBarra3d::getXVcero(int c, bool planoY)
{
    double& xCero = planoY ? xVYcero : xVZcero;
    if (flagsBarra[flagResultados] == 0) {
        std::cout << "El progama aun no calculó las constanes de integración" << std::endl;
        xCero = -1;
        return -1;
    }
    xCero = -1;
    if (!getBoolResultados(c)) {
        return -1;
    }
    // Plano sin carga transversal: corte constante, sin punto de corte nulo
    int columna = planoY ? 2 : 4;
    if (matrizCargasCombo(c, columna) == 0 && matrizCargasCombo(c, columna + 1) == 0) {
        return -1;
    }
    // V(x) = a·x² + b·x + k
    double a = (planoY ? pendienteY(c) : pendienteZ(c)) / 2;
    double b = planoY ? qIniY(c) : qIniZ(c);
    double k = planoY ? C1Y(c) : C1Z(c);
    double L = longitud;
    double r1 = -1, r2 = -1;
    if (a != 0) {
        // Raíces sin cancelación: q = -(b + signo(b)·√D)/2, raíces q/a y k/q.
        // r2 es (-b - √D)/(2a), la que gana si las dos caen dentro.
        double D = b * b - 4 * a * k;
        if (D >= 0) {
            double q = -(b + std::copysign(std::sqrt(D), b)) / 2;
            if (q != 0) {
                bool qEsR2 = !std::signbit(b);
                r1 = qEsR2 ? k / q : q / a;
                r2 = qEsR2 ? q / a : k / q;
            }
        }
    } else {
        r1 = -k / b;
    }
    // NaN e infinito no cumplen las comparaciones
    if (r1 > 0 && r1 < L) {
        xCero = r1;
    }
    if (r2 > 0 && r2 < L) {
        xCero = r2;
    }
    return xCero;
}

double objBarra3d::getXVYcero(int c) { return getXVcero(c, true); }
double objBarra3d::getXVZcero(int c) { return getXVcero(c, false); }

double objBarra3d::getMmax(int c, bool planoY)
{
    if (!getBoolResultados(c)) {
        return 0;
    }
    double x = getXVcero(c, planoY);
    if (x == -1) {
        return 0;
    }
    return momentoEn(c, planoY, x);
}

double objBarra3d::getMymax(int c) { return getMmax(c, true); }
double objBarra3d::getMzmax(int c) { return getMmax(c, false); }

MatrixXd objBarra3d::getBarraDeformada(int c, int n, double escala)
{
    if (!getBoolResultados(c) || n < 2) {
        return MatrixXd(3, 0);
    }
    double du = (desplLocales(6, c) - desplLocales(0, c)) * escala;
    VectorXd v(n), w(n);
    for (int k = 0; k < n; k++) {
        double x = estacion(longitud, n, k);
        v(k) = (1 / (modE * Iz)) * flechaEn(c, true, x);
        w(k) = (1 / (modE * Iy)) * flechaEn(c, false, x);
    }
    MatrixXd D(3, n);
    for (int k = 0; k < n; k++) {
        D(0, k) = estacion(longitud, n, k) + k * (du / (n - 1));
        D(1, k) = (v(k) - v(0)) * escala;
        D(2, k) = (w(k) - w(0)) * escala;
    }
    return D;
}
