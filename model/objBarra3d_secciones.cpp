// Barra: secciones transversales (constantes y contorno) y material.
#include <cmath>
#include <iostream>

#include "model/objBarra3d.h"

// Contorno de 2 x n a partir de las coordenadas z (fila 0) e y (fila 1)
static MatrixXd contorno(const std::vector<double>& z, const std::vector<double>& y)
{
    MatrixXd p(2, static_cast<Eigen::Index>(z.size()));
    for (size_t k = 0; k < z.size(); k++) {
        p(0, static_cast<Eigen::Index>(k)) = z[k];
        p(1, static_cast<Eigen::Index>(k)) = y[k];
    }
    return p;
}

void objBarra3d::setSeccionGenerica(double A, double Iyy, double Izz, double J)
{
    area = A;
    Iy = Iyy;
    Iz = Izz;
    modJ = J;
    // Símbolo fijo, no representa la forma de la sección
    double e = 0.025 * longitud;
    perimetroSeccion = contorno({1 * e, -1 * e, -1 * e, 1 * e, 1 * e, 0.5 * e},
                                {1.5 * e, 1.5 * e, -1.5 * e, -1.5 * e, -0.75 * e, -0.75 * e});
    codigoSeccion = codigoSeccionGenerica;
    factorForma = 0;  // sin deformación por corte salvo la placa
    flagsBarra[flagSeccion] = 1;
}

void objBarra3d::setSeccionRectangular(double b, double h)
{
    area = b * h;
    Iy = b * b * b * h / 12;
    Iz = h * h * h * b / 12;
    double t, s;
    if (h >= b) {
        t = b;
        s = h;
    } else {
        t = h;
        s = b;
    }
    double k = 1.0 / 3.0 - 0.21 * (t / s) * (1 - std::pow(t / s, 4) / 12);
    modJ = k * t * t * t * s;
    perimetroSeccion = contorno({-b / 2, b / 2, b / 2, -b / 2, -b / 2},
                                {-h / 2, -h / 2, h / 2, h / 2, -h / 2});
    codigoSeccion = codigoSeccionRectangular;
    factorForma = 0;
    flagsBarra[flagSeccion] = 1;
}

// El rectángulo con deformación por corte; cada setter deja el estado
// completo de su tipo, así que otro setter posterior la quita
void objBarra3d::setSeccionPlaca(double b, double h)
{
    setSeccionRectangular(b, h);
    codigoSeccion = codigoSeccionPlaca;
    factorForma = 1.2;
}

void objBarra3d::setSeccionW(double bf, double tf, double d, double tw)
{
    double hw = d - 2 * tf;
    area = 2 * bf * tf + hw * tw;
    Iz = tw * hw * hw * hw / 12 + 2 * bf * tf * std::pow(d / 2 - tf / 2, 2) + bf * tf * tf * tf / 6;
    Iy = 2 * bf * bf * bf * tf / 12 + hw * tw * tw * tw / 12;
    modJ = (2 * bf * tf * tf * tf + (d - tf) * tw * tw * tw) / 3;
    double p = tw / 2, q = bf / 2, e = d / 2 - tf, g = d / 2;
    perimetroSeccion = contorno({p, q, q, -q, -q, -p, -p, -q, -q, q, q, p, p},
                                {e, e, g, g, e, e, -e, -e, -g, -g, -e, -e, e});
    codigoSeccion = codigoSeccionW;
    factorForma = 0;
    flagsBarra[flagSeccion] = 1;
}

void objBarra3d::setSeccionCostanera(double B, double H, double S, double t, double r)
{
    // Método de la línea media con esquinas curvas
    double a = H - (2 * r + t);
    double b = B - 2 * (r + t / 2);
    double c = S - (r + t / 2);
    double u = piBarra * r / 2;
    double A = t * (a + 2 * b + 2 * u + 2 * c + 2 * u);
    area = A;
    Iz = 2 * t * (0.0417 * a * a * a + b * std::pow(a / 2 + r, 2) + u * std::pow(a / 2 + 0.637 * r, 2)
                  + 0.149 * r * r * r + 0.0833 * c * c * c + (c / 4) * std::pow(a - c, 2)
                  + u * std::pow(a / 2 + 0.637 * r, 2) + 0.149 * r * r * r);
    double xb = (2 * t / A) * (b * (b / 2 + r) + 0.363 * u * r + c * (b + 2 * r) + u * (b + 1.637 * r));
    Iy = 2 * t * (b * std::pow(b / 2 + r, 2) + b * b * b / 12 + 0.356 * r * r * r
                  + c * std::pow(b + 2 * r, 2) + u * std::pow(b + 1.637 * r, 2) + 0.149 * r * r * r)
         - A * xb * xb;
    modJ = (t * t * t / 3) * (a + 2 * b + 2 * u + 2 * c + 2 * u);
    perimetroSeccion = contorno({B - xb, B - xb, -xb, -xb, B - xb, B - xb},
                                {H / 2 - S, H / 2, H / 2, -H / 2, -H / 2, -H / 2 + S});
    codigoSeccion = codigoSeccionCostanera;
    factorForma = 0;
    flagsBarra[flagSeccion] = 1;
}

void objBarra3d::setNombreDeSeccion(std::string nombre)
{
    nombreDeSeccion = nombre;
    flagsBarra[flagNombreSeccion] = 1;
}

void objBarra3d::setModuloEyPoisson(double E, double nu)
{
    modE = E;
    poisson = nu;
    modG = E / ((1 + nu) + (1 + nu));
    flagsBarra[flagMaterial] = 1;
}

void objBarra3d::setPesoEspecifico(double g) { pesoEspecifico = g; }

double objBarra3d::getArea() { return area; }
double objBarra3d::getIy() { return Iy; }
double objBarra3d::getIz() { return Iz; }
double objBarra3d::getModJ() { return modJ; }
double objBarra3d::getModE() { return modE; }
double objBarra3d::getModG() { return modG; }
int objBarra3d::getCodigoSeccion() { return codigoSeccion; }
MatrixXd objBarra3d::getPerimetroSeccion() { return perimetroSeccion; }
bool objBarra3d::getBoolSeccion() { return flagsBarra[flagNombreSeccion] == 1; }

bool objBarra3d::getBoolRigidez()
{
    return flagsBarra[flagSeccion] == 1 && flagsBarra[flagMaterial] == 1;
}

std::string objBarra3d::getNombreDeSeccion()
{
    if (flagsBarra[flagNombreSeccion] == 1) {
        return nombreDeSeccion;
    }
    std::cout << "Definir el nombre de sección" << std::endl;
    return "";
}
