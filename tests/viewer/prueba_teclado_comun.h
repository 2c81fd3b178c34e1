// Base de las pruebas del teclado y la recarga: guarda el estado global del
// visor, carga un modelo desde texto y escribe líneas tecla por tecla.
#pragma once

#include <string>
#include <vector>

#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include "input/funcionLeerArchivo.h"
#include "viewer/prueba_estado_visor.h"

namespace teclado_prueba {

inline int modificadorFalso = 0;
inline int leerModificadorFalso() { return modificadorFalso; }

// Flags de arranque escritos a mano: todo en 0 salvo apoyos, ejes,
// textos de diagramas, líneas internas, esferas de nudos y perspectiva.
inline std::vector<int> flagsDeArranque()
{
    std::vector<int> f(200, 0);
    for (int i : {9, 12, 14, 15, 16, 17}) f[i] = 1;
    return f;
}

// Escribe la línea tecla por tecla y la ejecuta con Enter
inline void escribirLinea(const std::string& linea)
{
    for (unsigned char c : linea) teclado(c, 0, 0);
    EXPECT_EQ(comando, linea);
    teclado(13, 0, 0);
    EXPECT_EQ(comando, "");
}

// Vector de Eigen como std::vector (compara aunque difieran los tamaños)
inline std::vector<int> aVector(const VectorXi& v)
{
    return std::vector<int>(v.data(), v.data() + v.size());
}

// Deja el estado global como lo encontró; arranca con los flags de arranque,
// la línea vacía y Shift/Ctrl/Alt leídos de modificadorFalso
class EstadoVisorTest : public testing::Test {
protected:
    void SetUp() override
    {
        funcionLeerModificadores = leerModificadorFalso;
        modificadorFalso = 0;
        reiniciarModelo();
        flags = flagsDeArranque();
        dialogo = "Comando:";
        comando.clear();
        numeroComboCoincidente = -1;
    }

    // Carga el modelo del texto como al arrancar el programa
    void cargarModelo(const std::string& texto)
    {
        nombreArchivo = archivoTemporal(texto);
        capturarSalida([] { funcionLeerArchivo(); });
        funcionVistaNuevoModelo();
        funcionAplicarProyeccion();
    }

private:
    EstadoVisorGuardado estado;
};

// Pórtico pequeño: barras con números de usuario salteados y desordenados
// (internas 0..3 = usuario 7, 3, 10, 12) y tres combos.
inline const char* modeloPortico = R"(nudos:
1 0 0 0
2 4 0 0
3 4 0 3
4 0 0 3
5 8 0 3
barras:
7 1 4
3 2 3
10 4 3
12 3 5
apoyo:
1 1 1 1 1 1
1 2
seccionRectangular:
R 0.3 0.3 2.5e7 0.2 24
7 3 10 12
puntual:
V 10 0 0 0 0 0
4
combo:
ELU 1.2 V
combo:
SERV 1 V
combo:
SISMO 1 V
)";

}  // namespace teclado_prueba
