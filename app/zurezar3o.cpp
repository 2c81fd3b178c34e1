// Definición de todas las variables globales.
#include "app/zurezar3o.h"

#include <tuple>
#include <type_traits>

// Cada uno con el valor al construirse que da la lista de los globales
#define GLOBAL_DEFINIDO(tipo, nombre, inicial) tipo nombre = inicial;
TODOS_LOS_GLOBALES(GLOBAL_DEFINIDO)
#undef GLOBAL_DEFINIDO

void reiniciarModelo()
{
    // Cada uno a su valor de arranque: vacío o 0
    auto vaciar = [](auto&... g) { ((g = std::decay_t<decltype(g)>()), ...); };
    std::apply(vaciar, globalesCantidades());
    std::apply(vaciar, globalesModelo());
    versionModelo++;
}

const claseNombresCombo& nombresCombosModelo()
{
    static const claseNombresCombo ninguno;
    return nudo.empty() ? ninguno : nudo[0].getNombresCombo();
}
