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

// Todos los globales del programa, en una sola lista: por grupo, cada uno con
// su tipo, su nombre y su valor al construirse. De aquí salen su declaración
// (abajo), su definición (zurezar3o.cpp) y sus grupos, de donde salen a su vez
// el reinicio del modelo, la firma de la caché del cuadro y el estado que
// guardan las pruebas. Un global nuevo se escribe aquí, en su grupo, y en
// ningún otro lugar. (Fuera queda solo la lectura de Shift/Ctrl/Alt del visor,
// funcionLeerModificadores: ver viewer/funcionPlot.h.)
//
// Cantidades del modelo: las leen los dibujos
#define GLOBALES_CANTIDADES(G) \
    G(int, noNudos, 0)         \
    G(int, noBarras, 0)        \
    G(int, noCombos, 0)
// Nudos, barras, mapas y resultados: los dibujos los leen por las versiones.
// mensajeAnalisis: la línea del último análisis, el motivo si no dio
// resultados o el aviso de cifras si los dio con pocas (vacía si fue bien);
// tiemposUltimoAnalisis: la duración de sus fases (la lee la medición)
#define GLOBALES_MODELO(G)                   \
    G(std::vector<objNudo3d>, nudo, {})      \
    G(std::vector<objBarra3d>, barra, {})    \
    G(VectorXi, punteroBarras, {})           \
    G(VectorXi, punteroNudos, {})            \
    G(MatrixXd, u, {})                       \
    G(MatrixXd, reacciones, {})              \
    G(MatrixXd, kEstructura, {})             \
    G(MatrixXd, pEstructura, {})             \
    G(MatrixXd, fEstructura, {})             \
    G(VectorXi, restriccionesEstructura, {}) \
    G(std::string, mensajeAnalisis, {})      \
    G(tiemposAnalisis, tiemposUltimoAnalisis, {})
// Lo demás que leen los dibujos de la escena, salvo la cámara: pantalla,
// aislamiento y ajustes de dibujo
#define GLOBALES_DIBUJO(G)                               \
    G(std::vector<int>, flags, std::vector<int>(200, 0)) \
    G(VectorXi, barrasAisladas, {})                      \
    G(VectorXi, nudosAislados, {})                       \
    G(double, escalaTexto, 0)                            \
    G(int, precision, 0)                                 \
    G(double, escalaDef, 0)                              \
    G(double, escalaMy, 0)                               \
    G(double, escalaMz, 0)                               \
    G(double, escalaVy, 0)                               \
    G(double, escalaVz, 0)                               \
    G(double, escalaN, 0)                                \
    G(double, escalaT, 0)                                \
    G(double, escalaApoyo, 0)                            \
    G(double, escalaCarga, 0)                            \
    G(double, diagonal, 0)                               \
    G(double, PI, 3.141592653589793)
// Archivo de entrada, caja del modelo y cámara, ratón, línea de comandos y
// ventana. Los dibujos leen la cámara, pero la caché del cuadro la resuelve en
// cada cuadro.
#define GLOBALES_SESION(G)              \
    G(std::string, nombreArchivo, {})   \
    G(double, xMin, 0)                  \
    G(double, xMax, 0)                  \
    G(double, yMin, 0)                  \
    G(double, yMax, 0)                  \
    G(double, zMin, 0)                  \
    G(double, zMax, 0)                  \
    G(double, xCam, 0)                  \
    G(double, yCam, 0)                  \
    G(double, zCam, 0)                  \
    G(double, xCentroObj, 0)            \
    G(double, yCentroObj, 0)            \
    G(double, zCentroObj, 0)            \
    G(double, distCamObj, 0)            \
    G(int, clickIzq, 0)                 \
    G(int, clickCentro, 0)              \
    G(int, xLast, 0)                    \
    G(int, yLast, 0)                    \
    G(int, xClickIzq, 0)                \
    G(int, yClickIzq, 0)                \
    G(double, deltaAngHoriz, 0)         \
    G(double, deltaAngVert, 0)          \
    G(std::string, dialogo, "Comando:") \
    G(std::string, comando, {})         \
    G(int, wVentana, 0)                 \
    G(int, hVentana, 0)                 \
    G(int, numeroComboCoincidente, -1)
// Versiones del modelo y de los resultados: crecen con cada reinicio o carga
// del modelo y con cada entrega de resultados; nunca vuelven atrás
#define GLOBALES_VERSIONES(G)          \
    G(unsigned long, versionModelo, 0) \
    G(unsigned long, versionResultados, 0)

#define TODOS_LOS_GLOBALES(G)                                                       \
    GLOBALES_CANTIDADES(G) GLOBALES_MODELO(G) GLOBALES_DIBUJO(G) GLOBALES_SESION(G) \
        GLOBALES_VERSIONES(G)

#define GLOBAL_DECLARADO(tipo, nombre, inicial) extern tipo nombre;
TODOS_LOS_GLOBALES(GLOBAL_DECLARADO)
#undef GLOBAL_DECLARADO

// Cada grupo como una tupla de referencias a sus globales, en el orden de la lista
#define GLOBAL_REFERENCIA(tipo, nombre, inicial) std::tie(nombre),
#define GRUPO_DE_GLOBALES(lista) std::tuple_cat(lista(GLOBAL_REFERENCIA) std::tuple<>())
inline auto globalesCantidades() { return GRUPO_DE_GLOBALES(GLOBALES_CANTIDADES); }
inline auto globalesModelo() { return GRUPO_DE_GLOBALES(GLOBALES_MODELO); }
inline auto globalesDibujo() { return GRUPO_DE_GLOBALES(GLOBALES_DIBUJO); }
inline auto globalesSesion() { return GRUPO_DE_GLOBALES(GLOBALES_SESION); }
inline auto globalesVersiones() { return GRUPO_DE_GLOBALES(GLOBALES_VERSIONES); }
#undef GRUPO_DE_GLOBALES
#undef GLOBAL_REFERENCIA

// Lo que lee la escena, salvo la cámara: si no cambia, el cuadro grabado vale
inline auto estadoEscena()
{
    return std::tuple_cat(globalesDibujo(), globalesCantidades(), globalesVersiones());
}

// Combos que el visor puede mostrar y cambiar: sus interruptores son las
// entradas 100 a 199 de flags. Los demás se cargan y se calculan.
inline constexpr int maxCombosFlags = 100;

// Los nombres de los combos del modelo, en orden de primera aparición: los de
// un nudo, que el cargador da a todos los nudos y barras los mismos combos en
// el mismo orden. Sin nudos, ninguno.
const claseNombresCombo& nombresCombosModelo();

// Vacía el modelo, sus mapas y los resultados como al arrancar (todos los de
// globalesCantidades y globalesModelo) y cambia la versión del modelo. Lo
// llaman la recarga (F5), las pruebas y el fuzzer antes de cargar.
void reiniciarModelo();

