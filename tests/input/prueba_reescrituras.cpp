// Un archivo válido escrito de otra forma carga igual: sin ninguna línea
// nueva en la consola, con el mismo modelo y los mismos resultados bit a bit.
// build/tests/revisar_reescrituras hace lo mismo con todos los ejemplos y
// muchas más formas combinadas.
#include <gtest/gtest.h>

#include "comun/utilidades.h"
#include "reescrituras.h"

namespace {

void probarReescrituras(const std::string& original, const std::vector<estiloEscritura>& estilos)
{
    cargaCalculada esperado = cargarYCalcular(original);
    ASSERT_TRUE(esperado.resuelto) << esperado.mensaje;
    ASSERT_EQ(avisosDe(esperado.salida), std::vector<std::string>{}) << esperado.salida;
    std::vector<bloqueArchivo> bloques = partirEnBloques(original);
    for (const estiloEscritura& e : estilos) {
        std::string texto = escribir(bloques, e);
        EXPECT_EQ(diferencias(esperado, cargarYCalcular(texto)), "")
            << e.nombre << ":\n" << texto;
    }
}

}  // namespace

TEST(Reescrituras, PorticoConTodosLosBloques)
{
    std::vector<estiloEscritura> estilos = estilosBasicos();
    for (const estiloEscritura& e : estilosCombinados(27, 8)) {
        estilos.push_back(e);
    }
    probarReescrituras(leerArchivo(std::string(DIR_EJEMPLOS) + "/porticoCompleto.txt"), estilos);
}

TEST(Reescrituras, EjemploDelReadme)
{
    std::string ejemplo = ejemploDelReadme(leerArchivo(std::string(DIR_EJEMPLOS) + "/../README.md"));
    ASSERT_NE(ejemplo.find("combo: SERVICIO"), std::string::npos) << ejemplo;
    probarReescrituras(ejemplo, estilosBasicos());
}

// La reescritura en sí: "como el original" con el ejemplo da sus mismos tokens
TEST(Reescrituras, PartirYEscribirConservaLosTokens)
{
    std::string original = leerArchivo(std::string(DIR_EJEMPLOS) + "/porticoCompleto.txt");
    auto tokens = [](const std::string& t) {
        std::vector<std::string> v;
        std::istringstream is(t);
        std::string s;
        while (is >> s) {
            v.push_back(s);
        }
        return v;
    };
    EXPECT_EQ(tokens(escribir(partirEnBloques(original), estiloEscritura())), tokens(original));
}
