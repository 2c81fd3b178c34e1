// Carga del modelo completo desde el archivo nombreArchivo.
#pragma once

#include <string>
#include <vector>

void funcionLeerArchivo();

// Etiquetas que el cargador lee: tablas, bloques y ajustes de dibujo
extern const std::vector<std::string> etiquetasFormato;

// Ajustes de dibujo con su valor por defecto, en el orden en que se leen
// ("precision:" primero, luego las diez escalas)
struct ajusteFormato {
    std::string etiqueta;
    double defecto;
};
extern const std::vector<ajusteFormato> ajustesFormato;
