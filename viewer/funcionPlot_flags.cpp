// PENDIENTE: implementación provisional vacía
#include "app/zurezar3o.h"
#include "viewer/funcionPlot.h"

void funcionFlagsInicio() {}
void modificadorFlagsGraf(int) {}
