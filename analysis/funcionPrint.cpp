// PENDIENTE: implementación provisional vacía
#include "app/zurezar3o.h"
#include "analysis/analisis.h"

void funcionPrint() {}
