// PENDIENTE: implementación provisional vacía
#include "input/claseLeerArchivo.h"

claseLeerArchivo::claseLeerArchivo() {}
claseLeerArchivo::~claseLeerArchivo() {}
void claseLeerArchivo::setNombreArchivo(std::string nombre) { nombreArchivo = nombre; }
bool claseLeerArchivo::esNumero(std::string) { return false; }
int claseLeerArchivo::getNoEtiquetas(std::string) { return 0; }
int claseLeerArchivo::getEntero(std::string) { return -1; }
double claseLeerArchivo::getReal(std::string) { return -1.0; }
std::string claseLeerArchivo::getString(std::string, int) { return ""; }
MatrixXd claseLeerArchivo::getMatriz(std::string, int c) { return MatrixXd(0, c); }
std::vector<double> claseLeerArchivo::getMatrizEtiquetaRepetida(std::string, int, int) { return {}; }
std::vector<double> claseLeerArchivo::getFactoresEtiqueta(std::string, int, int) { return {}; }
std::vector<std::string> claseLeerArchivo::getNombresDeFactores(std::string, int, int) { return {}; }
