#include "model/objNudo3d.h"

#include <iostream>

objNudo3d::objNudo3d()
    : noNudoInterno(0), noNudoUsuario(0), x(0), y(0), z(0), apoyo(VectorXi::Zero(6))
{
}

void objNudo3d::setNoNudoUsuario(int numero) { noNudoUsuario = numero; }

void objNudo3d::setNoNudoInterno(int n)
{
    noNudoInterno = n;
    gdl.resize(6);
    for (int k = 0; k < 6; k++) {
        gdl(k) = 6 * n + 1 + k;
    }
}

void objNudo3d::setCoordenadas(double xx, double yy, double zz)
{
    x = xx;
    y = yy;
    z = zz;
}

void objNudo3d::setApoyo(int ux, int uy, int uz, int rx, int ry, int rz)
{
    apoyo << ux, uy, uz, rx, ry, rz;
}

void objNudo3d::setCargaPuntual(std::string caso, double Fx, double Fy, double Fz, double Mx,
                                double My, double Mz)
{
    casosPuntuales.push_back(caso);
    Eigen::Index n = cargasPuntuales.rows();
    cargasPuntuales.conservativeResize(n + 1, 6);
    cargasPuntuales.row(n) << Fx, Fy, Fz, Mx, My, Mz;
}

void objNudo3d::setCombo(std::string combo, double factor, std::string caso)
{
    sumarAlCombo<6>(etiquetasCombo, cargasCombo, combo,
                    filasPorCaso.suma<6>({{{casosPuntuales, cargasPuntuales}}}, caso, factor));
}

int objNudo3d::getNumeroDeCombo(std::string nombre) { return etiquetasCombo.buscar(nombre); }

const claseNombresCombo& objNudo3d::getNombresCombo() const { return etiquetasCombo; }

int objNudo3d::getCantidadDeCombos() { return static_cast<int>(etiquetasCombo.size()); }

std::string objNudo3d::getNombreCombo(int i)
{
    if (i < 0 || i >= getCantidadDeCombos()) {
        return "";
    }
    return etiquetasCombo[static_cast<size_t>(i)];
}

// Copia las seis filas propias de la matriz de la estructura
static bool copiarFilasPropias(const MatrixXd& M, const VectorXi& gdl, size_t combos,
                               MatrixXd& destino, const char* mensaje)
{
    if (static_cast<size_t>(M.cols()) != combos) {
        std::cout << mensaje << std::endl;
        return false;
    }
    if (gdl.size() != 6 || gdl.maxCoeff() > M.rows() || gdl.minCoeff() < 1) {
        // filas fuera de la matriz: se conserva la tabla anterior
        return false;
    }
    destino.resize(6, M.cols());
    if (M.cols() == 0) {
        return true;  // sin combos: nada que copiar
    }
    for (int k = 0; k < 6; k++) {
        destino.row(k) = M.row(gdl(k) - 1);
    }
    return true;
}

void objNudo3d::setDesplazamientos(const MatrixXd& U)
{
    copiarFilasPropias(U, gdl, etiquetasCombo.size(), matrizDesplazamientos,
                       "La cantidad de combos de desplazamientos no es igual a la cantidad de "
                       "combos en Ingreso de Datos");
}

void objNudo3d::setReacciones(const MatrixXd& R)
{
    copiarFilasPropias(R, gdl, etiquetasCombo.size(), matrizReacciones,
                       "La cantidad de combos de reacciones no es igual a la cantidad de combos "
                       "en Ingreso de Datos");
}

int objNudo3d::getNoNudoInterno() { return noNudoInterno; }
int objNudo3d::getNoNudoUsuario() { return noNudoUsuario; }
double objNudo3d::getX() { return x; }
double objNudo3d::getY() { return y; }
double objNudo3d::getZ() { return z; }
VectorXi objNudo3d::getGdl() { return gdl; }
VectorXi objNudo3d::getVectorApoyo() { return apoyo; }
VectorXi objNudo3d::getApoyo() { return apoyo; }
MatrixXd objNudo3d::getCargasCombo() { return cargasCombo.transpose(); }

// Valor (fila, c) de una tabla 6 x nC, 0 fuera de la tabla
template <class Tabla>
static double valorTabla(const Tabla& M, int fila, int c)
{
    if (c < 0 || c >= M.cols() || fila >= M.rows()) {
        return 0.0;
    }
    return M(fila, c);
}

double objNudo3d::getPxCombo(int c) { return valorTabla(cargasCombo.transpose(), 0, c); }
double objNudo3d::getPyCombo(int c) { return valorTabla(cargasCombo.transpose(), 1, c); }
double objNudo3d::getPzCombo(int c) { return valorTabla(cargasCombo.transpose(), 2, c); }
double objNudo3d::getMxCombo(int c) { return valorTabla(cargasCombo.transpose(), 3, c); }
double objNudo3d::getMyCombo(int c) { return valorTabla(cargasCombo.transpose(), 4, c); }
double objNudo3d::getMzCombo(int c) { return valorTabla(cargasCombo.transpose(), 5, c); }
double objNudo3d::getDesplazamientoX(int c) { return valorTabla(matrizDesplazamientos, 0, c); }
double objNudo3d::getDesplazamientoY(int c) { return valorTabla(matrizDesplazamientos, 1, c); }
double objNudo3d::getDesplazamientoZ(int c) { return valorTabla(matrizDesplazamientos, 2, c); }
double objNudo3d::getGiroX(int c) { return valorTabla(matrizDesplazamientos, 3, c); }
double objNudo3d::getGiroY(int c) { return valorTabla(matrizDesplazamientos, 4, c); }
double objNudo3d::getGiroZ(int c) { return valorTabla(matrizDesplazamientos, 5, c); }
double objNudo3d::getReaccionRx(int c) { return valorTabla(matrizReacciones, 0, c); }
double objNudo3d::getReaccionRy(int c) { return valorTabla(matrizReacciones, 1, c); }
double objNudo3d::getReaccionRz(int c) { return valorTabla(matrizReacciones, 2, c); }
double objNudo3d::getReaccionMx(int c) { return valorTabla(matrizReacciones, 3, c); }
double objNudo3d::getReaccionMy(int c) { return valorTabla(matrizReacciones, 4, c); }
double objNudo3d::getReaccionMz(int c) { return valorTabla(matrizReacciones, 5, c); }

int objNudo3d::getCantidadDeResultados() { return static_cast<int>(matrizDesplazamientos.cols()); }
