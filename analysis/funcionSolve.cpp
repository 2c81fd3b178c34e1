// PENDIENTE: implementación provisional vacía
#include "app/zurezar3o.h"
#include "analysis/analisis.h"

bool funcionSolve() { return false; }
