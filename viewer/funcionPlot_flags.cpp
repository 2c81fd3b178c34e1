// Estado inicial y reglas de los flags de pantalla.
#include <algorithm>
#include <initializer_list>

#include "analysis/analisis.h"
#include "app/zurezar3o.h"
#include "viewer/funcionPlot.h"

namespace {

// Suma 1 a la entrada i y pone en 0 las indicadas
void alternar(int i, std::initializer_list<int> limpiar)
{
    flags[i]++;
    for (int j : limpiar) flags[j] = 0;
}

}  // namespace

void funcionFlagsInicio()
{
    std::fill(flags.begin(), flags.end(), 0);
    for (int i : {flagApoyos, flagEjes, flagTextoDiagramas, flagLineasInternas, flagNudos,
                  flagPerspectiva}) {
        flags[i] = 1;
    }
}

void modificadorFlagsGraf(int i)
{
    switch (i) {
    case flagTagNudos:
    case flagTagBarras:
    case flagSecciones:
        alternar(i, {flagVolumen});
        break;
    case flagDeformada:
        alternar(i, {4, 5, 6, 7, 8, 10, 11, 20, 21});
        break;
    case flagAxial:
        alternar(i, {3, 5, 6, 7, 8, 10, 11, 20, 21});
        break;
    case flagCortanteY:
        alternar(i, {3, 4, 6, 7, 8, 10, 11, 20, 21});
        break;
    case flagMomentoY:
        alternar(i, {3, 4, 5, 7, 8, 10, 11, 20, 21});
        break;
    case flagCarga:
        alternar(i, {3, 4, 5, 6, 8, 10, 11, 20, 21});
        break;
    case flagReacciones:
        alternar(i, {3, 4, 5, 6, 7, 10, 11, 20, 21});
        break;
    case flagCortanteZ:
        alternar(i, {3, 4, 5, 6, 7, 8, 11, 20, 21});
        break;
    case flagMomentoZ:
        alternar(i, {3, 4, 5, 6, 7, 8, 10, 20, 21});
        break;
    case flagTorsion:
        alternar(i, {0, 1, 2, 3, 4, 5, 6, 7, 8, 10, 11, 20});
        break;
    case flagVolumen:
        alternar(i, {0, 1, 2, 3, 4, 5, 6, 7, 8, 10, 11, 21});
        break;
    case flagApoyos:
    case flagEjes:
    case flagTextoDiagramas:
    case flagLineasInternas:
    case flagNudos:
    case flagPerspectiva:
        alternar(i, {});
        break;
    case flagAyuda:
        flags[flagAyudaEtiquetas] = 0;
        flags[flagAyuda]++;
        break;
    case flagAyudaEtiquetas:
        flags[flagAyuda] = 0;
        flags[flagAyudaEtiquetas]++;
        if (flags[flagAyudaEtiquetas] > 4) flags[flagAyudaEtiquetas] = 0;
        break;
    case flagCalculado:
        flags[flagCalculado] = 1;
        // Estructura que no se puede resolver: sin resultados y la línea a la vista
        if (!funcionSolve()) {
            flags[flagCalculado] = 0;
            dialogo = mensajeAnalisis.empty() ? "No se pudo resolver la estructura." : mensajeAnalisis;
        }
        break;
    default:
        break;
    }
}
