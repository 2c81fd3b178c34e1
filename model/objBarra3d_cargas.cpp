// Barra: cargas distribuidas por caso, peso propio, combos y cargas
// nodales equivalentes con empotramiento parcial.
#include <iostream>

#include "model/objBarra3d.h"

using FilaCarga = Eigen::Matrix<double, 1, 7>;

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
    double largo = d.norm();
    FilaCarga f = FilaCarga::Zero();
    if (largo == 0) {
        std::cout << "Dirección nula en la carga global de la barra " << noBarraUsuario
                  << ", caso " << caso << ": se toma como carga nula" << std::endl;
    } else {
        Vector3d c = getR() * (d / largo);
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
    // Índice por caso de las cargas llegadas desde la última llamada
    if (localesIndexadas > casosLocales.size() || globalesIndexadas > casosGlobales.size()) {
        filasPorCaso.clear();
        localesIndexadas = globalesIndexadas = 0;
    }
    for (; localesIndexadas < casosLocales.size(); localesIndexadas++) {
        filasPorCaso[casosLocales[localesIndexadas]].locales.push_back(
            static_cast<Eigen::Index>(localesIndexadas));
    }
    for (; globalesIndexadas < casosGlobales.size(); globalesIndexadas++) {
        filasPorCaso[casosGlobales[globalesIndexadas]].globales.push_back(
            static_cast<Eigen::Index>(globalesIndexadas));
    }
    FilaCarga suma = FilaCarga::Zero();
    auto filas = filasPorCaso.find(caso);
    if (filas != filasPorCaso.end()) {
        for (Eigen::Index i : filas->second.locales) {
            suma += factor * cargasLocales.row(i);
        }
        for (Eigen::Index i : filas->second.globales) {
            suma += factor * cargasGlobales.row(i);
        }
    }
    int c = etiquetasCombo.buscar(combo);
    if (c >= 0) {
        matrizCargasCombo.row(c) += suma;
        return;
    }
    // por filas y con el ancho fijo la tabla crece en su lugar
    Eigen::Index n = etiquetasCombo.agregar(combo);
    matrizCargasCombo.conservativeResize(n + 1, 7);
    matrizCargasCombo.row(n) = suma;
}

MatrixXd objBarra3d::getCargasEquivalentesLocales()
{
    Eigen::Index nC = static_cast<Eigen::Index>(etiquetasCombo.size());
    cargasEquivalentesLocales.resize(12, nC);
    double L = longitud;
    double aY = artIniY, bY = artFinY, aZ = artIniZ, bZ = artFinZ;
    double DY = 12 - 8 * aY - 8 * bY + 5 * aY * bY;
    double DZ = 12 - 8 * aZ - 8 * bZ + 5 * aZ * bZ;
    for (Eigen::Index c = 0; c < nC; c++) {
        double qxI = matrizCargasCombo(c, 0), qxF = matrizCargasCombo(c, 1);
        double qyI = matrizCargasCombo(c, 2), qyF = matrizCargasCombo(c, 3);
        double qzI = matrizCargasCombo(c, 4), qzF = matrizCargasCombo(c, 5);
        double mt = matrizCargasCombo(c, 6);

        // Momentos de empotramiento perfecto y correcciones de corte
        double MzI0 = L * L * (qyI / 20 + qyF / 30);
        double MzJ0 = -L * L * (qyI / 30 + qyF / 20);
        double MyI0 = -L * L * (qzI / 20 + qzF / 30);
        double MyJ0 = L * L * (qzI / 30 + qzF / 20);
        double EY = 0, EZ = 0;
        if (L != 0) {
            EY = 6 / (L * DY) * ((2 - aY) * (1 - bY) * MzJ0 + (2 - bY) * (1 - aY) * MzI0);
            EZ = 6 / (L * DZ) * ((2 - aZ) * (1 - bZ) * MyJ0 + (2 - bZ) * (1 - aZ) * MyI0);
        }

        auto col = cargasEquivalentesLocales.col(c);
        col(0) = L * qxI / 3 + L * qxF / 6;
        col(1) = L * (7 * qyI + 3 * qyF) / 20 - EY;
        // en x-z el momento en y tiene el signo opuesto: la corrección se suma en i
        col(2) = L * (7 * qzI + 3 * qzF) / 20 + EZ;
        col(3) = L * mt / 2;
        col(4) = aZ / DZ * ((4 - 3 * bZ) * MyI0 - 2 * (1 - bZ) * MyJ0);
        col(5) = aY / DY * ((4 - 3 * bY) * MzI0 - 2 * (1 - bY) * MzJ0);
        col(6) = L * qxI / 6 + L * qxF / 3;
        col(7) = L * (3 * qyI + 7 * qyF) / 20 + EY;
        col(8) = L * (3 * qzI + 7 * qzF) / 20 - EZ;
        col(9) = L * mt / 2;
        col(10) = bZ / DZ * ((4 - 3 * aZ) * MyJ0 - 2 * (1 - aZ) * MyI0);
        col(11) = bY / DY * ((4 - 3 * aY) * MzJ0 - 2 * (1 - aY) * MzI0);
    }
    flagsBarra[11] = 1;
    return cargasEquivalentesLocales;
}

MatrixXd objBarra3d::getCargasEquivalentesGlobales()
{
    Eigen::Index nC = static_cast<Eigen::Index>(etiquetasCombo.size());
    if (flagsBarra[12] == 0) {
        if (flagsBarra[11] == 0) {
            getCargasEquivalentesLocales();
        }
        if (flagsBarra[9] == 0) {
            getT();  // sin transformación todavía: se construye antes de usarla
        }
        cargasEquivalentesGlobales.resize(12, nC);
        cargasEquivalentesGlobales = Tt * cargasEquivalentesLocales;
        flagsBarra[12] = 1;
    }
    return cargasEquivalentesGlobales;
}

MatrixXd objBarra3d::getMatrizCargasCombo() { return matrizCargasCombo; }
std::vector<std::string> objBarra3d::getEtiquetasCombo() { return etiquetasCombo.nombres(); }

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
