// PENDIENTE: implementación provisional vacía
#include "app/zurezar3o.h"
#include "viewer/funcionPlot.h"

void funcionPlot(int, char**) {}
void changeSize(int, int) {}
void funcionFronteraGraf() {}
void draw() {}
void funcionAplicarProyeccion() {}
