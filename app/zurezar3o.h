// Estado global del programa: todas las variables viven aquí.
#pragma once

#include <string>
#include <tuple>
#include <vector>

#include <Eigen/Dense>

#include "analysis/analisis.h"
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

// Línea del último análisis: el motivo si no dio resultados, el aviso de
// cifras si los dio con pocas; vacía si fue bien
extern std::string mensajeAnalisis;
// Duración de las fases del último análisis (la lee la medición)
extern tiemposAnalisis tiemposUltimoAnalisis;

// Versiones del modelo y de los resultados: crecen con cada reinicio del
// modelo y con cada entrega de resultados; nunca vuelven atrás
extern unsigned long versionModelo;
extern unsigned long versionResultados;

// Los globales por grupos, cada uno en un solo grupo. Quien agrega un global
// lo agrega también a su grupo: de aquí salen el reinicio del modelo, la
// firma de la caché del cuadro y el estado que guardan las pruebas.
//
// Cantidades del modelo: las leen los dibujos
inline auto globalesCantidades() { return std::tie(noNudos, noBarras, noCombos); }
// Nudos, barras, mapas y resultados: los dibujos los leen por las versiones
inline auto globalesModelo()
{
    return std::tie(nudo, barra, punteroBarras, punteroNudos, u, reacciones, kEstructura,
                    pEstructura, fEstructura, restriccionesEstructura, mensajeAnalisis,
                    tiemposUltimoAnalisis);
}
// Lo demás que leen los dibujos de la escena, salvo la cámara
inline auto globalesDibujo()
{
    return std::tie(flags, barrasAisladas, nudosAislados, escalaTexto, precision, escalaDef,
                    escalaMy, escalaMz, escalaVy, escalaVz, escalaN, escalaT, escalaApoyo,
                    escalaCarga, diagonal, PI);
}
// Archivo, caja y cámara, ratón, ventana y línea de comandos. Los dibujos leen
// la cámara, pero la caché del cuadro la resuelve en cada cuadro.
inline auto globalesSesion()
{
    return std::tie(nombreArchivo, xMin, xMax, yMin, yMax, zMin, zMax, xCam, yCam, zCam,
                    xCentroObj, yCentroObj, zCentroObj, distCamObj, clickIzq, clickCentro, xLast,
                    yLast, xClickIzq, yClickIzq, deltaAngHoriz, deltaAngVert, dialogo, comando,
                    wVentana, hVentana, numeroComboCoincidente);
}
// Lo que lee la escena, salvo la cámara: si no cambia, el cuadro grabado vale
inline auto estadoEscena()
{
    return std::tuple_cat(globalesDibujo(), globalesCantidades(),
                          std::tie(versionModelo, versionResultados));
}

// Vacía el modelo, sus mapas y los resultados como al arrancar (todos los de
// globalesCantidades y globalesModelo) y cambia la versión del modelo. Lo
// llaman la recarga (F5), las pruebas y el fuzzer antes de cargar.
void reiniciarModelo();

