// PENDIENTE: implementación provisional vacía
#include "app/zurezar3o.h"
#include "viewer/funcionPlot.h"

void mouseButton(int, int, int, int) {}
void mouseMove(int, int) {}
void zoomIn() {}
void zoomOut() {}
