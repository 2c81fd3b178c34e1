// Estado inicial y reglas de los flags de pantalla.
#include <algorithm>

#include "analysis/analisis.h"
#include "app/zurezar3o.h"
#include "viewer/comunPlot.h"
#include "viewer/funcionPlot.h"

namespace {

// Rótulos que el volumen y la torsión apagan
const int rotulos[] = {flagTagNudos, flagTagBarras, flagSecciones};

// Los dibujos que se excluyen entre sí: los de resultados y el volumen
bool esExclusivo(int i) { return i == flagVolumen || esFlagResultado(i); }

// Suma 1 a la entrada i y apaga los demás dibujos exclusivos; el volumen y la
// torsión apagan también los rótulos
void alternarExclusivo(int i)
{
    flags[i]++;
    for (const TipoResultado& t : tiposResultado) {
        if (t.flag != i) flags[t.flag] = 0;
    }
    if (i != flagVolumen) flags[flagVolumen] = 0;
    if (i == flagVolumen || i == flagTorsion) {
        for (int j : rotulos) flags[j] = 0;
    }
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
    if (esExclusivo(i)) {
        alternarExclusivo(i);
        return;
    }
    switch (i) {
    case flagTagNudos:
    case flagTagBarras:
    case flagSecciones:
        flags[i]++;
        flags[flagVolumen] = 0;
        break;
    case flagApoyos:
    case flagEjes:
    case flagTextoDiagramas:
    case flagLineasInternas:
    case flagNudos:
    case flagPerspectiva:
        flags[i]++;
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
        // Estructura que no se puede resolver: sin resultados y la línea a la
        // vista. Resuelta con pocas cifras: resultados y el aviso a la vista
        if (!funcionSolve()) {
            flags[flagCalculado] = 0;
            dialogo = mensajeAnalisis.empty() ? "No se pudo resolver la estructura." : mensajeAnalisis;
        } else if (!mensajeAnalisis.empty()) {
            dialogo = mensajeAnalisis;
        }
        break;
    default:
        break;
    }
}
