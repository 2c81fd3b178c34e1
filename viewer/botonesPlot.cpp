// PENDIENTE: implementación provisional vacía
#include "app/zurezar3o.h"
#include "viewer/botonesPlot.h"

void botonFlag(double, double, double, double, std::string, int) {}
void botonCombo(double, double, double, double, std::string, int) {}
