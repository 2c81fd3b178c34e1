// PENDIENTE: implementación provisional vacía
#include "app/zurezar3o.h"
#include "viewer/elementosPlot.h"

void plotDialogo() {}
const std::string textoAyuda;
const std::string textoAyudaEtiquetas[4];
std::string funcionUtf8ALatin1(const std::string& texto) { return texto; }
