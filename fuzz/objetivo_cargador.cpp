// Fuzzer del cargador: cualquier archivo de entrada se carga sin fallar y
// deja un modelo coherente (índices, mapas, grados de libertad y combos).
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>
#include <unistd.h>

#include "app/zurezar3o.h"
#include "input/funcionLeerArchivo.h"

namespace {

void exigir(bool condicion, const char* que)
{
    if (!condicion) {
        std::fprintf(stderr, "modelo incoherente: %s\n", que);
        std::abort();
    }
}

void verificarModelo()
{
    exigir(static_cast<int>(nudo.size()) == noNudos, "tamaño de nudo");
    exigir(static_cast<int>(barra.size()) == noBarras, "tamaño de barra");
    for (int r = 0; r < noNudos; r++) {
        objNudo3d& n = nudo[static_cast<size_t>(r)];
        int usuario = n.getNoNudoUsuario();
        exigir(n.getNoNudoInterno() == r, "índice de nudo");
        exigir(usuario >= 0 && usuario < punteroNudos.size(), "nudo fuera del mapa");
        exigir(punteroNudos(usuario) == r, "mapa de nudos");
        exigir(n.getGdl()(0) == 6 * r + 1, "grados de libertad");
        exigir(n.getCantidadDeCombos() == noCombos, "combos de un nudo");
    }
    for (int r = 0; r < noBarras; r++) {
        objBarra3d& b = barra[static_cast<size_t>(r)];
        int usuario = b.getNoBarraUsuario();
        exigir(b.getNoBarraInterna() == r, "índice de barra");
        exigir(usuario >= 0 && usuario < punteroBarras.size(), "barra fuera del mapa");
        exigir(punteroBarras(usuario) == r, "mapa de barras");
        int i = b.getNudoInicioInterno(), j = b.getNudoFinalInterno();
        exigir(i >= 0 && i < noNudos && j >= 0 && j < noNudos, "extremos de barra");
        exigir(b.getLongitud() > 0, "barra de longitud cero");
        exigir(static_cast<int>(b.getEtiquetasCombo().size()) == noCombos, "combos de una barra");
    }
    exigir(precision >= 0, "precision negativa");
    for (double e : {escalaTexto, escalaDef, escalaMy, escalaMz, escalaVy, escalaVz, escalaN,
                     escalaT, escalaCarga}) {
        exigir(e > 0, "escala no positiva");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo)
{
    static std::string ruta = "/tmp/tresnal_fuzz_" + std::to_string(getpid()) + ".txt";
    static std::ofstream nulo("/dev/null");
    static bool preparado = false;
    if (!preparado) {
        std::cout.rdbuf(nulo.rdbuf());
        preparado = true;
    }
    {
        std::ofstream archivo(ruta, std::ios::binary | std::ios::trunc);
        archivo.write(reinterpret_cast<const char*>(datos), static_cast<std::streamsize>(largo));
    }
    nudo.clear();
    barra.clear();
    noNudos = 0;
    noBarras = 0;
    noCombos = 0;
    nombreArchivo = ruta;
    funcionLeerArchivo();
    verificarModelo();
    return 0;
}
