// PENDIENTE: implementación provisional vacía
#include "app/zurezar3o.h"
#include "viewer/elementosPlot.h"

void plotEjes() {}
void plotNudos() {}
void plotBarras() {}
void plotArticulaciones() {}
void plotTagNudos(double) {}
void plotTagBarras(double) {}
void plotSecciones(double) {}
void plotVolumen() {}
