// Barra: construcción, numeración, extremos, longitud, ángulos y transformación.
#include <algorithm>
#include <cmath>
#include <iostream>

#include "model/objBarra3d.h"

objBarra3d::objBarra3d()
    : noBarraInterna(0), noBarraUsuario(0), nudoInicioInterno(0), nudoFinalInterno(0),
      artIniY(1.0), artFinY(1.0), artIniZ(1.0), artFinZ(1.0),
      xi(0), yi(0), zi(0), xf(0), yf(0), zf(0),
      area(0), Iy(0), Iz(0), modJ(0), modE(0), poisson(0), modG(0),
      factorForma(0.0), codigoSeccion(-1), pesoEspecifico(0.0),
      piBarra(3.141592653589793),
      xVYcero(-1), xVZcero(-1), longitud(0), beta(0), gamma(0)
{
    std::fill(flagsBarra, flagsBarra + cantidadFlagsBarra, 0);
    alfa = piBarra / 2;
    Rbeta.setIdentity();
    Rgamma.setIdentity();
    calcRalfa();
}

void objBarra3d::resetFlags() { std::fill(flagsBarra, flagsBarra + cantidadFlagsBarra, 0); }

void objBarra3d::setNoBarraInterna(int i) { noBarraInterna = i; }
int objBarra3d::getNoBarraInterna() { return noBarraInterna; }
void objBarra3d::setNoBarraUsuario(int numero) { noBarraUsuario = numero; }
int objBarra3d::getNoBarraUsuario() { return noBarraUsuario; }

void objBarra3d::setNudoInicio(int n, double x, double y, double z)
{
    nudoInicioInterno = n;
    xi = x;
    yi = y;
    zi = z;
    flagsBarra[flagNudoInicio] = 1;
    calcLongitudesAngulos();
}

void objBarra3d::setNudoFinal(int n, double x, double y, double z)
{
    nudoFinalInterno = n;
    xf = x;
    yf = y;
    zf = z;
    flagsBarra[flagNudoFinal] = 1;
    calcLongitudesAngulos();
}

int objBarra3d::getNudoInicioInterno() { return nudoInicioInterno; }
int objBarra3d::getNudoFinalInterno() { return nudoFinalInterno; }
double objBarra3d::getXi() { return xi; }
double objBarra3d::getYi() { return yi; }
double objBarra3d::getZi() { return zi; }
double objBarra3d::getXf() { return xf; }
double objBarra3d::getYf() { return yf; }
double objBarra3d::getZf() { return zf; }

// acos y asin con el argumento acotado a [-1, 1] (el redondeo puede pasarse)
static double acosAcotado(double v) { return std::acos(std::clamp(v, -1.0, 1.0)); }
static double asinAcotado(double v) { return std::asin(std::clamp(v, -1.0, 1.0)); }

void objBarra3d::calcLongitudesAngulos()
{
    if (flagsBarra[flagGeometria] != 0 || flagsBarra[flagNudoInicio] != 1
        || flagsBarra[flagNudoFinal] != 1) {
        return;
    }
    double dx = xf - xi;
    double dy = yf - yi;
    double dz = zf - zi;
    flagsBarra[flagGeometria] = 1;
    longitud = std::pow(dx * dx + dy * dy + dz * dz, 0.5);
    if (longitud == 0) {
        // extremos coincidentes: sin dirección, los ángulos quedan en 0
        std::cout << "La barra " << noBarraUsuario << " tiene longitud cero" << std::endl;
        beta = 0;
        gamma = 0;
    } else {
        beta = -asinAcotado(dz / longitud);
        double h = longitud * std::cos(beta);
        if (yf != yi) {
            gamma = acosAcotado(dx / h);
        } else {
            gamma = (xi > xf) ? piBarra : 0;
        }
        if (std::fabs(beta) == piBarra / 2) {
            gamma = 0;
        }
        if (dy < 0) {
            gamma = -gamma;
        }
    }
    calcRalfa();
    double cb = std::cos(beta), sb = std::sin(beta);
    double cg = std::cos(gamma), sg = std::sin(gamma);
    Rbeta << cb, 0, -sb,
             0, 1, 0,
             sb, 0, cb;
    Rgamma << cg, sg, 0,
              -sg, cg, 0,
              0, 0, 1;
}

void objBarra3d::calcRalfa()
{
    double ca = std::cos(alfa), sa = std::sin(alfa);
    Ralfa << 1, 0, 0,
             0, ca, sa,
             0, -sa, ca;
}

Matrix3d objBarra3d::getR() { return Ralfa * Rbeta * Rgamma; }

double objBarra3d::getLongitud() { return longitud; }

void objBarra3d::setRotacion(double grados)
{
    alfa = piBarra * (grados / 180) + piBarra / 2;
    calcRalfa();
}

double objBarra3d::getAlfa() { return alfa; }
double objBarra3d::getBeta() { return beta; }
double objBarra3d::getGamma() { return gamma; }
double objBarra3d::getAlfaDeg() { return 180 * alfa / piBarra; }
double objBarra3d::getBetaDeg() { return 180 * beta / piBarra; }
double objBarra3d::getGammaDeg() { return 180 * gamma / piBarra; }

MatrixXd objBarra3d::getT()
{
    flagsBarra[flagT] = 1;
    Matrix3d R = getR();
    T = MatrixXd::Zero(12, 12);
    for (int b = 0; b < 4; b++) {
        T.block<3, 3>(3 * b, 3 * b) = R;
    }
    Tt = T.transpose();
    return T;
}

VectorXi objBarra3d::getGdl()
{
    gdl.resize(12);
    if (flagsBarra[flagNudoInicio] == 1 && flagsBarra[flagNudoFinal] == 1) {
        for (int k = 0; k < 6; k++) {
            gdl(k) = 6 * nudoInicioInterno + 1 + k;
            gdl(6 + k) = 6 * nudoFinalInterno + 1 + k;
        }
    } else {
        std::cout << "Definir primero los nudos de la barra " << noBarraUsuario << std::endl;
        gdl.setZero();
    }
    return gdl;
}
