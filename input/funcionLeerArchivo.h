// Carga del modelo completo desde el archivo nombreArchivo.
#pragma once

#include <string>
#include <vector>

void funcionLeerArchivo();

// Etiquetas que el cargador lee: tablas, bloques y ajustes de dibujo
extern const std::vector<std::string> etiquetasFormato;

// Bloques del formato (apoyo:, seccionW:, puntual:...), en el orden en que se
// aplican dentro de su fase
struct bloqueFormato {
    std::string etiqueta;
    std::string nombre;  // qué es el token tras la etiqueta ("casoCarga"); vacío si no lleva
    std::vector<std::string> campos;   // los valores fijos, como los nombran los avisos
    std::vector<std::string> enAyuda;  // los mismos, como los escribe la página de ayuda
    std::string lista;                 // "nudos" o "barras"
};
extern const std::vector<bloqueFormato> bloquesFormato;

// Ajustes de dibujo con su valor por defecto, en el orden en que se leen
// ("precision:" primero, luego las diez escalas)
struct ajusteFormato {
    std::string etiqueta;
    double defecto;
};
extern const std::vector<ajusteFormato> ajustesFormato;
