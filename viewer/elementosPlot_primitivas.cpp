// PENDIENTE: implementación provisional vacía
#include "app/zurezar3o.h"
#include "viewer/elementosPlot.h"

void drawFlecha(double, double, double, double, double, double, double) {}
void plotArcoXY(double, double, double) {}
void drawTextoEscalado(double, double, double, const char*, double, int) {}
void drawTextoEscaladoFacing(double, double, double, const char*, double, int) {}
void drawNumFloat(double, double, double, double, int, double, int) {}
void drawNumFloatFacing(double, double, double, double, int, double, int) {}
void drawNumSci(double, double, double, double, int, double, int) {}
void drawNumSciFacing(double, double, double, double, int, double, int) {}
