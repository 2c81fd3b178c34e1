// Botones del panel: se dibujan y atienden el clic pendiente en la misma llamada.
#pragma once

#include <string>

void botonFlag(double x, double y, double w, double h, std::string label, int index);
void botonCombo(double x, double y, double w, double h, std::string label, int k);
