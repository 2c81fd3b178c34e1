// PENDIENTE: implementación provisional vacía
#include "app/zurezar3o.h"
#include "input/funcionLeerArchivo.h"
#include "input/claseLeerArchivo.h"

void funcionLeerArchivo() {}
