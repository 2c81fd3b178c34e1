// Barra: rigidez local cerrada con deformación por corte y empotramiento
// parcial de los extremos; rigidez global.
#include <algorithm>
#include <iostream>

#include "model/objBarra3d.h"

void objBarra3d::setArticulacion(double iniY, double finY, double iniZ, double finZ)
{
    artIniY = std::clamp(iniY, 0.0, 1.0);
    artFinY = std::clamp(finY, 0.0, 1.0);
    artIniZ = std::clamp(iniZ, 0.0, 1.0);
    artFinZ = std::clamp(finZ, 0.0, 1.0);
}

double objBarra3d::getArtIniY() { return artIniY; }
double objBarra3d::getArtFinY() { return artFinY; }
double objBarra3d::getArtIniZ() { return artIniZ; }
double objBarra3d::getArtFinZ() { return artFinZ; }

namespace {
// Términos de flexión de un plano (sin el factor E/L³)
struct TerminosFlexion {
    double s, mi, mj, ri, rj, rij;
};

TerminosFlexion terminosFlexion(double a, double b, double I, double phi, double L)
{
    // Viga de Timoshenko con un resorte rotacional en cada extremo, condensado.
    // Con phi = 0, o con los dos extremos rígidos, coincide con la forma
    // D = 12 - 8a - 8b + 5ab y el factor c = 1 / (1 + phi).
    double D = 12 - 8 * a - 8 * b + 5 * a * b + phi * (a + b - a * b);
    TerminosFlexion t;
    t.s = 12 * I * (a + b - a * b) / D;
    t.mi = 6 * L * I * a * (2 - b) / D;
    t.mj = 6 * L * I * b * (2 - a) / D;
    t.ri = L * L * I * a * (12 - (8 - phi) * b) / D;
    t.rj = L * L * I * b * (12 - (8 - phi) * a) / D;
    t.rij = L * L * I * a * b * (2 - phi) / D;
    return t;
}
}  // namespace

// 0 sin factor de forma, inercia, módulo o longitud (sin 0/0); la misma para
// la rigidez, las cargas equivalentes y la deformada
double objBarra3d::getPhi(bool planoY)
{
    double numerador = 12 * modE * (planoY ? Iz : Iy) * factorForma;
    if (numerador == 0 || longitud == 0) {
        return 0;
    }
    return numerador / (modG * area * longitud * longitud);
}

MatrixXd objBarra3d::getKLocal()
{
    if (flagsBarra[flagKLocal] == 1) {
        return kLocal;  // ya calculada: se conserva
    }
    if (flagsBarra[flagGeometria] == 0) {
        calcLongitudesAngulos();
    }
    kLocal.resize(12, 12);
    if (getBoolRigidez() && longitud == 0) {
        // sin longitud (extremos coincidentes o sin definir): rigidez nula
        kLocal.setZero();
    } else if (getBoolRigidez()) {
        flagsBarra[flagKLocal] = 1;
        double L = longitud;
        double E = modE;
        double phiY = getPhi(true);
        double phiZ = getPhi(false);
        TerminosFlexion y = terminosFlexion(artIniY, artFinY, Iz, phiY, L);
        TerminosFlexion z = terminosFlexion(artIniZ, artFinZ, Iy, phiZ, L);

        MatrixXd K0 = MatrixXd::Zero(12, 12);
        auto poner = [&K0](int i, int j, double v) {
            K0(i, j) = v;
            K0(j, i) = v;
        };
        double axial = area * L * L;
        double torsion = (E == 0) ? 0.0 : modG * modJ * L * L / E;
        poner(0, 0, axial);
        poner(6, 6, axial);
        poner(0, 6, -axial);
        poner(3, 3, torsion);
        poner(9, 9, torsion);
        poner(3, 9, -torsion);
        // plano x-y
        poner(1, 1, y.s);
        poner(7, 7, y.s);
        poner(1, 7, -y.s);
        poner(1, 5, y.mi);
        poner(5, 7, -y.mi);
        poner(1, 11, y.mj);
        poner(7, 11, -y.mj);
        poner(5, 5, y.ri);
        poner(11, 11, y.rj);
        poner(5, 11, y.rij);
        // plano x-z: acoplamientos con signo opuesto
        poner(2, 2, z.s);
        poner(8, 8, z.s);
        poner(2, 8, -z.s);
        poner(2, 4, -z.mi);
        poner(4, 8, z.mi);
        poner(2, 10, -z.mj);
        poner(8, 10, z.mj);
        poner(4, 4, z.ri);
        poner(10, 10, z.rj);
        poner(4, 10, z.rij);

        kLocal = K0 * E / (L * L * L);
    } else {
        std::cout << "No están definidas E, poisson, o Sección del Elemento: " << noBarraUsuario
                  << std::endl;
        kLocal.setZero();
    }
    return kLocal;
}

MatrixXd objBarra3d::getKGlobal()
{
    if (flagsBarra[flagGeometria] == 0) {
        calcLongitudesAngulos();
    }
    if (flagsBarra[flagT] == 0) {
        getT();
    }
    if (flagsBarra[flagKLocal] == 0) {
        getKLocal();
    }
    kGlobal.resize(12, 12);
    kGlobal = (Tt * kLocal) * T;
    return kGlobal;
}
