// PENDIENTE: implementación provisional vacía
#include "app/zurezar3o.h"
#include "viewer/elementosPlot.h"

void plotDeformada(int, double) {}
void plotAxial(int, double) {}
void plotCortanteY(int, double) {}
void plotMomentoY(int, double) {}
void plotCortanteZ(int, double) {}
void plotMomentoZ(int, double) {}
void plotTorsion(int, double) {}
void plotReacciones(int) {}
