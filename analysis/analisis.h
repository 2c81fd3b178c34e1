// Análisis de la estructura (rigidez directa) e informe de texto.
// Implementación repartida por tema:
//   funcionSolve.cpp                 pasos del análisis, revisión y mensajes
//   funcionSolve_ensamblaje.cpp      rigideces, cargas, grados libres y bloque libre
//   funcionSolve_factorizacion.cpp   Cholesky disperso, mecanismos y su grado
//   funcionPrint.cpp                 informe "resultados.txt"
#pragma once

#include <string>
#include <vector>

#include <Eigen/Dense>
#include <Eigen/SparseCore>

// Ensambla, resuelve todos los combos con una sola factorización y entrega
// desplazamientos y reacciones a nudos y barras. Devuelve false, sin entregar
// resultados, cuando el modelo no se puede resolver; el motivo queda en
// mensajeAnalisis y se escribe en una línea de la salida estándar.
bool funcionSolve();

// Escribe "resultados.txt" con el modelo y el último análisis.
void funcionPrint();

// Piezas internas de funcionSolve, compartidas entre sus archivos
namespace analisis {

using matrizDispersa = Eigen::SparseMatrix<double>;

// Datos de trabajo de una corrida
struct datosAnalisis {
    Eigen::Index N = 0;  // grados de la estructura
    int nc = 0;          // combos
    matrizDispersa kCompleta;          // rigidez de la estructura, N x N
    Eigen::VectorXd escala;            // por fila: rigidez de las barras que llegan
    std::vector<Eigen::Index> libres;  // filas (base 0) de los grados libres, crecientes
    std::vector<int> posicionLibre;    // por fila: su lugar en libres, o -1
    matrizDispersa kLibres;            // bloque libre, triángulo inferior
    Eigen::MatrixXd uLibres;           // cargas de los grados libres; después, la solución
};

// Ensamblaje (los pasos de la rigidez, las cargas y los grados libres)
void leerApoyos(datosAnalisis& d);
std::string leerRigidecesBarras(datosAnalisis& d);
void ensamblarCargasNudos(const datosAnalisis& d);
std::string ensamblarCargasBarras(const datosAnalisis& d);
void armarBloqueLibre(datosAnalisis& d);
void ensamblarRigidezDensa(const datosAnalisis& d);

// Factorización del bloque libre
enum class estadoFactorizacion { resuelto, mecanismo, noFinita, sinMemoria, falla };

struct resultadoFactorizacion {
    estadoFactorizacion estado = estadoFactorizacion::falla;
    Eigen::Index gdlFallo = -1;  // lugar en el bloque del grado que nombra el mecanismo
    double bytesFactor = 0;      // lo que pide (o pidió) el factor
};

// Factoriza el bloque libre con un orden que reduce el relleno y resuelve en
// el lugar todas las columnas de cargasYSolucion. No factoriza si el factor
// pediría más de topeBytes.
resultadoFactorizacion resolverBloqueLibre(const matrizDispersa& kLibres,
                                           Eigen::MatrixXd& cargasYSolucion, double topeBytes);

}  // namespace analisis
