// PENDIENTE: implementación provisional vacía
#include "app/zurezar3o.h"
#include "viewer/funcionPlot.h"

void teclado(unsigned char, int, int) {}
void tecladoEspecial(int, int, int) {}
void funcionRecargar() {}
