// Estado global del programa: todas las variables viven aquí.
#pragma once

#include <string>
#include <vector>

#include <Eigen/Dense>

#include "model/objBarra3d.h"
#include "model/objNudo3d.h"

using Eigen::MatrixXd;
using Eigen::VectorXi;

// Archivo de entrada
extern std::string nombreArchivo;

// Modelo
extern int noNudos;
extern int noBarras;
extern int noCombos;
extern std::vector<objNudo3d> nudo;
extern std::vector<objBarra3d> barra;
extern VectorXi punteroBarras;
extern VectorXi punteroNudos;

// Ajustes de dibujo
extern double escalaTexto;
extern int precision;
extern double escalaDef;
extern double escalaMy;
extern double escalaMz;
extern double escalaVy;
extern double escalaVz;
extern double escalaN;
extern double escalaT;
extern double escalaApoyo;
extern double escalaCarga;

// Caja del modelo y cámara
extern double xMin, xMax, yMin, yMax, zMin, zMax;
extern double xCam, yCam, zCam;
extern double xCentroObj, yCentroObj, zCentroObj;
extern double diagonal;
extern double distCamObj;

// Ratón
extern int clickIzq, clickCentro;
extern int xLast, yLast;
extern int xClickIzq, yClickIzq;
extern double deltaAngHoriz, deltaAngVert;

// Línea de comandos y estado de pantalla
extern std::string dialogo;
extern std::string comando;
extern std::vector<int> flags;
extern VectorXi barrasAisladas;
extern VectorXi nudosAislados;
extern int wVentana, hVentana;

// Resultados del análisis
extern MatrixXd u;
extern MatrixXd reacciones;
extern MatrixXd kEstructura;
extern MatrixXd pEstructura;
extern MatrixXd fEstructura;
extern VectorXi restriccionesEstructura;

extern double PI;
extern int numeroComboCoincidente;

// Línea con el motivo del último análisis fallido (vacía si fue bien)
extern std::string mensajeAnalisis;
