// Nudo de la estructura espacial: numeración, posición, apoyos, cargas
// puntuales por caso, cargas por combo y resultados por combo.
#pragma once

#include <string>
#include <vector>

#include <Eigen/Dense>

#include "model/nombresCombo.h"

using Eigen::MatrixXd;
using Eigen::VectorXi;

class objNudo3d {
public:
    objNudo3d();
    objNudo3d(objNudo3d&&) = default;
    objNudo3d& operator=(objNudo3d&&) = default;
    objNudo3d(const objNudo3d&) = delete;
    objNudo3d& operator=(const objNudo3d&) = delete;
    ~objNudo3d() = default;

    // Carga de datos
    void setNoNudoUsuario(int numero);
    void setNoNudoInterno(int n);
    void setCoordenadas(double x, double y, double z);
    void setApoyo(int ux, int uy, int uz, int rx, int ry, int rz);
    void setCargaPuntual(std::string caso, double Fx, double Fy, double Fz,
                         double Mx, double My, double Mz);
    void setCombo(std::string combo, double factor, std::string caso);

    // Combos
    int getNumeroDeCombo(std::string nombre);
    int getCantidadDeCombos();
    std::string getNombreCombo(int i);
    // Nombres de los combos, compartidos con los objetos que los recibieron igual
    const claseNombresCombo& getNombresCombo() const;

    // Resultados del análisis: de la matriz de la estructura el nudo copia
    // solo sus seis filas
    void setDesplazamientos(const MatrixXd& U);
    void setReacciones(const MatrixXd& R);

    int getNoNudoInterno();
    int getNoNudoUsuario();
    double getX();
    double getY();
    double getZ();
    VectorXi getGdl();
    VectorXi getVectorApoyo();
    VectorXi getApoyo();
    MatrixXd getCargasCombo();

    // Por combo c; fuera de la tabla devuelven 0
    double getPxCombo(int c);
    double getPyCombo(int c);
    double getPzCombo(int c);
    double getMxCombo(int c);
    double getMyCombo(int c);
    double getMzCombo(int c);
    double getDesplazamientoX(int c);
    double getDesplazamientoY(int c);
    double getDesplazamientoZ(int c);
    double getGiroX(int c);
    double getGiroY(int c);
    double getGiroZ(int c);
    double getReaccionRx(int c);
    double getReaccionRy(int c);
    double getReaccionRz(int c);
    double getReaccionMx(int c);
    double getReaccionMy(int c);
    double getReaccionMz(int c);

    // Cantidad de combos con desplazamientos recibidos (0 antes del análisis)
    int getCantidadDeResultados();

private:
    int noNudoInterno;
    int noNudoUsuario;
    double x, y, z;
    std::vector<std::string> casosPuntuales;
    MatrixXd cargasPuntuales;
    VectorXi apoyo;
    VectorXi gdl;
    claseNombresCombo etiquetasCombo;
    tablaDeCombos<6> cargasCombo;
    claseFilasPorCaso<1> filasPorCaso;
    MatrixXd matrizDesplazamientos;
    MatrixXd matrizReacciones;
};
