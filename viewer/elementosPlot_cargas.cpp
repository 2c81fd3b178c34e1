// PENDIENTE: implementación provisional vacía
#include "app/zurezar3o.h"
#include "viewer/elementosPlot.h"

void plotCarga(int, double) {}
