// Piezas internas del análisis, compartidas entre sus archivos:
//   funcionSolve.cpp                 pasos del análisis, revisión y mensajes
//   funcionSolve_ensamblaje.cpp      rigideces, cargas, grados libres y bloque libre
//   funcionSolve_factorizacion.cpp   Cholesky disperso, mecanismos y su grado
//   funcionSolve_diagnostico.cpp     mecanismo o falta de precisión, y su línea
//   funcionSolve_cifras.cpp          cifras que llevan los resultados
//   funcionPrint.cpp                 informe "resultados.txt"
#pragma once

#include <functional>
#include <locale>
#include <sstream>
#include <string>
#include <vector>

#include <Eigen/Dense>
#include <Eigen/SparseCore>

#include "analysis/analisis.h"

namespace analisis {

using matrizDispersa = Eigen::SparseMatrix<double>;

// Texto de una línea con números en la configuración regional clásica
class textoLinea {
public:
    textoLinea() { flujo.imbue(std::locale::classic()); }
    template <typename T>
    textoLinea& operator<<(const T& valor)
    {
        flujo << valor;
        return *this;
    }
    std::string str() const { return flujo.str(); }

private:
    std::ostringstream flujo;
};

// "el nudo 7, dirección ux" para la fila (base 0) de la estructura
std::string nudoYDireccion(Eigen::Index fila);

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
    double errorCifras = 0;            // error relativo estimado de los resultados
    Eigen::Index filaCifras = -1;      // grado (fila de la estructura) donde es mayor
};

// Suma de los bloques de 12 x 12 de las barras en una matriz dispersa N x N;
// los repetidos se suman en el orden de las barras, como en la densa. La
// escala de cada fila suma la traza de los bloques 3 x 3 (traslación o giro)
// de cada barra en ese nudo, que no depende de cómo esté girada la barra.
class sumaDeBloques {
public:
    void empezar(Eigen::Index N, size_t barras);
    void sumar(const Eigen::VectorXi& gdl, const Eigen::MatrixXd& bloque);
    void armar(matrizDispersa& K, Eigen::VectorXd& escala);

private:
    Eigen::Index N = 0;
    std::vector<Eigen::Triplet<double>> tripletes;
    Eigen::VectorXd escalaFilas;
};

// Ensamblaje (los pasos de la rigidez, las cargas y los grados libres)
void leerApoyos(datosAnalisis& d);
std::string leerRigidecesBarras(datosAnalisis& d);
void ensamblarCargasNudos(const datosAnalisis& d);
std::string ensamblarCargasBarras(const datosAnalisis& d);
void armarBloqueLibre(datosAnalisis& d);
// La rigidez densa; true si su memoria nueva se escribió con páginas grandes
bool ensamblarRigidezDensa(const datosAnalisis& d);

// Triángulo inferior del bloque de los grados libres de una matriz N x N
matrizDispersa bloqueDeLibres(const datosAnalisis& d, const matrizDispersa& completa);

// Primer grado libre (su fila en la estructura) cuya diagonal en bloque no
// pasa de redondeo frente a la escala de su fila, o -1
Eigen::Index gdlSinRigidez(const datosAnalisis& d, const matrizDispersa& bloque,
                           const Eigen::VectorXd& escala);

// Factorización del bloque libre
enum class estadoFactorizacion { resuelto, mecanismo, noFinita, sinMemoria, falla };

struct resultadoFactorizacion {
    estadoFactorizacion estado = estadoFactorizacion::falla;
    double bytesFactor = 0;  // lo que pide (o pidió) el factor
    // Resuelve con el factor (solo si resuelto); el factor vive con ella
    std::function<Eigen::MatrixXd(const Eigen::MatrixXd&)> resolver;
};

// Factoriza el bloque libre con un orden que reduce el relleno y resuelve en
// el lugar todas las columnas de cargasYSolucion. No factoriza si el factor
// pediría más de topeBytes.
resultadoFactorizacion resolverBloqueLibre(const matrizDispersa& kLibres,
                                           Eigen::MatrixXd& cargasYSolucion, double topeBytes);

// Cifras que lleva la solución: error relativo estimado de desplazamientos
// (con el factor, antes de soltarlo) y de las fuerzas (con las reacciones
// ya formadas). Cada una sube d.errorCifras y deja en d.filaCifras el grado
// donde el error es mayor.
void estimarErrorDesplazamientos(datosAnalisis& d, const resultadoFactorizacion& r);
void estimarErrorFuerzas(datosAnalisis& d, const Eigen::MatrixXd& absKu);
// Cifras significativas de un error relativo (16 si es cero)
double cifrasDe(double error);
// Con menos cifras que estas los resultados se entregan con un aviso; con
// menos que las de rechazo, no se entregan.
const double cifrasAviso = 6;
const double cifrasRechazo = 2;

// Lugar en el bloque del grado que nombra el mecanismo: el primero, en el
// orden de la estructura, con el que el bloque deja de ser definido.
Eigen::Index gdlQueNombraElMecanismo(const matrizDispersa& kLibres,
                                     const Eigen::MatrixXd& cargas, double topeBytes);

// Diagnóstico de una estructura que no se pudo resolver, o que parece no
// tener rigidez en un grado: ¿hay de verdad un mecanismo, o es la doble
// precisión la que no alcanza con rigideces tan dispares?
enum class causaFalla { estable, sinRigidez, mecanismo, indeterminada };

struct diagnostico {
    causaFalla causa = causaFalla::indeterminada;
    Eigen::Index fila = -1;  // grado (fila de la estructura) que se nombra
};

// Decide con los vínculos de las barras, sin sus rigideces: cada barra con
// pesos de uno en lo que no deja mover, que no cambia los mecanismos.
diagnostico diagnosticarVinculos(const datosAnalisis& d, double topeBytes);

// Línea de una estructura estable que la doble precisión no resuelve: nombra
// el grado (si fila >= 0), las barras cuyas rigideces chocan y una razón que
// dejaría 6 cifras según las que se estimaron (cifras < 0: no se sabe, no hay
// solución).
std::string lineaMalCondicionada(Eigen::Index fila, double cifras);

// Aviso de resultados entregados con pocas cifras: cuántas, dónde y qué
// barras chocan, con la razón que dejaría 6.
std::string lineaPocasCifras(Eigen::Index fila, double cifras);

}  // namespace analisis
