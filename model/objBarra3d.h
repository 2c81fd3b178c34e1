// Barra recta de la estructura espacial, doce grados de libertad.
// Implementación repartida por tema:
//   objBarra3d_geometria.cpp   extremos, longitud, ángulos, T, gdl
//   objBarra3d_secciones.cpp   secciones y material
//   objBarra3d_rigidez.cpp     rigidez local y global, articulaciones
//   objBarra3d_cargas.cpp      cargas distribuidas, combos, cargas equivalentes
//   objBarra3d_resultados.cpp  fuerzas en extremos, diagramas, deformada
#pragma once

#include <string>
#include <vector>

#include <Eigen/Dense>

#include "model/nombresCombo.h"

using Eigen::Matrix3d;
using Eigen::MatrixXd;
using Eigen::Vector3d;
using Eigen::VectorXd;
using Eigen::VectorXi;

// Códigos de tipo de sección
const int codigoSeccionGenerica = 0;
const int codigoSeccionRectangular = 1;
const int codigoSeccionCostanera = 2;
const int codigoSeccionW = 3;
const int codigoSeccionPlaca = 4;

class objBarra3d {
public:
    objBarra3d();
    objBarra3d(objBarra3d&&) = default;
    objBarra3d& operator=(objBarra3d&&) = default;
    objBarra3d(const objBarra3d&) = delete;
    objBarra3d& operator=(const objBarra3d&) = delete;
    ~objBarra3d() = default;

    // Numeración y estado
    void resetFlags();
    void setNoBarraInterna(int i);
    int getNoBarraInterna();
    void setNoBarraUsuario(int u);
    int getNoBarraUsuario();

    // Geometría
    void setNudoInicio(int n, double x, double y, double z);
    void setNudoFinal(int n, double x, double y, double z);
    int getNudoInicioInterno();
    int getNudoFinalInterno();
    double getXi();
    double getYi();
    double getZi();
    double getXf();
    double getYf();
    double getZf();
    void calcLongitudesAngulos();
    double getLongitud();
    void setRotacion(double grados);
    double getAlfa();
    double getBeta();
    double getGamma();
    double getAlfaDeg();
    double getBetaDeg();
    double getGammaDeg();
    MatrixXd getT();
    VectorXi getGdl();

    // Secciones y material
    void setSeccionGenerica(double A, double Iy, double Iz, double J);
    void setSeccionRectangular(double b, double h);
    void setSeccionPlaca(double b, double h);
    void setSeccionCostanera(double B, double H, double S, double t, double r);
    void setSeccionW(double bf, double tf, double d, double tw);
    void setNombreDeSeccion(std::string nombre);
    void setModuloEyPoisson(double E, double nu);
    void setPesoEspecifico(double g);
    double getArea();
    double getIy();
    double getIz();
    double getModJ();
    double getModE();
    double getModG();
    int getCodigoSeccion();
    MatrixXd getPerimetroSeccion();
    bool getBoolSeccion();
    // true con sección y material: la rigidez se puede formar
    bool getBoolRigidez();
    std::string getNombreDeSeccion();

    // Rigidez y articulaciones
    void setArticulacion(double iniY, double finY, double iniZ, double finZ);
    double getArtIniY();
    double getArtFinY();
    double getArtIniZ();
    double getArtFinZ();
    MatrixXd getKLocal();
    MatrixXd getKGlobal();

    // Cargas y combos
    void setDistribuidaLocalX(std::string caso, double qI, double qF);
    void setDistribuidaLocalY(std::string caso, double qI, double qF);
    void setDistribuidaLocalZ(std::string caso, double qI, double qF);
    void setDistribuidaLocalT(std::string caso, double mt);
    void setDistribuidaGlobal(std::string caso, double qI, double qF,
                              double dx, double dy, double dz);
    void setPesoPropio(std::string caso);
    void setCombo(std::string combo, double factor, std::string caso);
    MatrixXd getCargasEquivalentesLocales();
    MatrixXd getCargasEquivalentesGlobales();
    MatrixXd getMatrizCargasCombo();
    std::vector<std::string> getEtiquetasCombo();
    // Nombres de los combos, compartidos con los objetos que los recibieron igual
    const claseNombresCombo& getNombresCombo() const;
    int getCantidadDeCombos();
    // Fila c de la tabla de combos; fuera de la tabla devuelven 0
    double getFxIniCombo(int c);
    double getFxFinCombo(int c);
    double getFyIniCombo(int c);
    double getFyFinCombo(int c);
    double getFzIniCombo(int c);
    double getFzFinCombo(int c);
    double getTCombo(int c);

    // Resultados
    // De la matriz de desplazamientos de la estructura copia sus doce filas
    void setDesplazamientos(const MatrixXd& U);
    // Olvida los desplazamientos recibidos y lo derivado de ellos
    void borrarResultados();
    MatrixXd getFuerzasExtremos();
    void calcConstantesY();
    void calcConstantesZ();
    MatrixXd getSolicitacionAxial(int c, int n);
    MatrixXd getSolicitacionVy(int c, int n);
    MatrixXd getSolicitacionMy(int c, int n);
    MatrixXd getSolicitacionVz(int c, int n);
    MatrixXd getSolicitacionMz(int c, int n);
    MatrixXd getSolicitacionTorsion(int c, int n);
    double getXVYcero(int c);
    double getXVZcero(int c);
    double getMymax(int c);
    double getMzmax(int c);
    MatrixXd getBarraDeformada(int c, int n, double escala);
    // true cuando recibió desplazamientos para el combo c
    bool getBoolResultados(int c);

private:
    // Índices de flagsBarra: 1 = dato puesto o producto calculado
    enum indiceFlagBarra : int {
        flagNudoInicio = 1,        // extremo i puesto
        flagNudoFinal = 2,         // extremo j puesto
        flagNombreSeccion = 3,     // nombre de la sección puesto
        flagSeccion = 4,           // constantes y contorno de la sección
        flagMaterial = 5,          // E y poisson
        flagGeometria = 6,         // longitud, ángulos y rotaciones
        flagT = 9,                 // T y Tt armadas
        flagKLocal = 10,           // kLocal calculada
        flagCargasEqLocales = 11,  // cargas equivalentes locales
        flagCargasEqGlobales = 12, // cargas equivalentes globales
        flagFuerzasExtremos = 13,  // fuerzas en extremos
        flagResultados = 14,       // desplazamientos y constantes de integración
        cantidadFlagsBarra = 20
    };
    int flagsBarra[cantidadFlagsBarra];
    int noBarraInterna;
    int noBarraUsuario;
    int nudoInicioInterno;
    int nudoFinalInterno;
    double artIniY, artFinY, artIniZ, artFinZ;
    double xi, yi, zi;
    double xf, yf, zf;
    std::string nombreDeSeccion;
    double area;
    double Iy;
    double Iz;
    double modJ;
    double modE, poisson, modG;
    double factorForma;
    int codigoSeccion;
    double pesoEspecifico;
    double piBarra;
    MatrixXd perimetroSeccion;
    std::vector<std::string> casosLocales;
    MatrixXd cargasLocales;
    std::vector<std::string> casosGlobales;
    MatrixXd cargasGlobales;
    claseNombresCombo etiquetasCombo;
    tablaDeCombos<7> matrizCargasCombo;
    // filas de cargasLocales y cargasGlobales de cada caso
    claseFilasPorCaso<2> filasPorCaso;
    MatrixXd cargasEquivalentesLocales;
    MatrixXd cargasEquivalentesGlobales;
    MatrixXd desplGlobales;
    MatrixXd desplLocales;
    MatrixXd fuerzasExtremos;
    VectorXd pendienteY, pendienteZ, qIniY, qIniZ, C1Y, C1Z, C2Y, C2Z, C3Y, C3Z, C4Y, C4Z;
    double xVYcero, xVZcero;
    double longitud;
    double alfa;
    double beta;
    double gamma;
    VectorXi gdl;
    Matrix3d Ralfa, Rbeta, Rgamma;
    MatrixXd T;
    MatrixXd Tt;
    MatrixXd kLocal, kGlobal;

    // Auxiliares
    void calcRalfa();
    Matrix3d getR();
    void agregarFilaCarga(std::vector<std::string>& casos, MatrixXd& tabla,
                          const std::string& caso, const Eigen::Matrix<double, 1, 7>& fila);
    double getValorCombo(int c, int columna);
    bool comboValido(int c);
    // Calcula fuerzasExtremos si hace falta, sin copiarla; false si no se puede
    bool calcFuerzasExtremos();
    void calcConstantes(bool planoY);
    double corteEn(int c, bool planoY, double x);
    double momentoEn(int c, bool planoY, double x);
    // E·I·d(x): la flecha del plano por E·I
    double flechaEn(int c, bool planoY, double x);
    // C1 a C4 del plano
    Eigen::Vector4d constantesEn(int c, bool planoY);
    MatrixXd getPolinomio(int c, int n, bool planoY, bool momento);
    double getXVcero(int c, bool planoY);
    double getMmax(int c, bool planoY);
    // Parámetro de corte phi = 12·E·I·f/(G·A·L²) del plano; 0 sin corte
    double getPhi(bool planoY);
    // E·I·f/(G·A) = phi·L²/12: la flecha por corte de la carga, por E·I
    double corteDeCarga(bool planoY);
};
